// CDIBElem: the image kept in the buffer's pixel format.
#include "limn/pictures/DIBElem.h"
#include "limn/pictures/DIBElemLock.h"
#include "limn/canvas/Canvas.h"
#include "limn/canvas/CanvasBuffer.h"
#include "limn/canvas/SharedPalette.h"

#include <memory>

namespace {

// A converted copy of a DIB, freed with the scope, with what ValidateDIB learnt of it.
class CConvertedDIB
{
public:
    CConvertedDIB(HDIB hDIB, WORD wBitCount, HPALETTE hPalette)
        : m_h(ChangeDIBFormat(hDIB, wBitCount, BI_RGB, hPalette)), m_p(NULL), m_info()
    {
        if (m_h != NULL && ValidateDIBHandle(m_h, &m_info))
            m_p = static_cast<BYTE*>(GlobalLock(m_h));
    }
    ~CConvertedDIB()
    {
        if (m_p != NULL)
            GlobalUnlock(m_h);
        if (m_h != NULL)
            GlobalFree(m_h);
    }
    CConvertedDIB(const CConvertedDIB&) = delete;
    CConvertedDIB& operator=(const CConvertedDIB&) = delete;

    BYTE* Get() const { return m_p; }
    const DIBINFO& Info() const { return m_info; }

private:
    HDIB m_h;
    BYTE* m_p;
    DIBINFO m_info;
};

// Whether the pixels of a DIB are RGB555 values as they stand.
BOOL IsRGB555(const BYTE* pDIB, const DIBINFO& info)
{
    if (info.wBitCount != 16)
        return FALSE;
    if (info.dwCompression == BI_RGB)
        return TRUE;
    if (info.dwCompression != BI_BITFIELDS)
        return FALSE;
    const DWORD* pMasks = reinterpret_cast<const DWORD*>(pDIB + 40);
    return pMasks[0] == 0x7C00 && pMasks[1] == 0x03E0 && pMasks[2] == 0x001F;
}

// Each colour-table entry of an 8-bit DIB as its nearest index of the shared palette;
// pixel values past the table are black.
void MakeIndexMap(const BYTE* pDIB, const DIBINFO& info, BYTE map[256])
{
    const BYTE* pTable = pDIB + info.cbHeader;
    int nEntryBytes = info.cbHeader == sizeof(BITMAPCOREHEADER) ? 3 : 4;
    for (DWORD i = 0; i < 256; ++i)
    {
        if (i >= info.nColors)
        {
            map[i] = 0;
            continue;
        }
        const BYTE* pEntry = pTable + i * nEntryBytes;     // blue, green, red
        map[i] = NearestPaletteIndex(pEntry[2], pEntry[1], pEntry[0]);
    }
}

} // namespace

BOOL CDIBElem::Optimize(CCanvas& canvas) const
{
    int nBytesPerPixel = canvas.GetCurrentBuffer()->GetPixelBitSize() / 8;
    if (nBytesPerPixel != 1 && nBytesPerPixel != 2)
        return FALSE;
    if (m_nOptBytesPerPixel != nBytesPerPixel)
        EmptyCaches();
    if (!m_optimized.IsLoaded() && !BuildOptimized(nBytesPerPixel))
        return FALSE;

    if (!m_bTransparent && !m_bUseColor)
    {
        m_colored.SetSize(0);
        return TRUE;
    }
    if (m_colored.IsLoaded() && m_bColoredTransparent == m_bTransparent &&
        m_bColoredUseColor == m_bUseColor && (!m_bUseColor || m_coloredColor == m_color))
        return TRUE;
    try
    {
        BuildColored();
    }
    catch (CMemoryException* e)
    {
        e->Delete();
        m_colored.SetSize(0);
        return FALSE;
    }
    return TRUE;
}

BOOL CDIBElem::BuildOptimized(int nBytesPerPixel) const
{
    CDIBLock lock(m_dib);
    if (lock.Get() == NULL)
        return FALSE;
    BYTE* pDIB = lock.Get();
    DIBINFO info = lock.Info();

    // The DIB whose rows are copied: the stored one when its pixels already have the
    // buffer's format, else a converted copy.
    BOOL bAsStored = nBytesPerPixel == 2 ? IsRGB555(pDIB, info)
                                         : info.wBitCount == 8 && info.dwCompression == BI_RGB;
    std::unique_ptr<CConvertedDIB> pConverted;
    if (!bAsStored)
    {
        CPalette* pPalette = nBytesPerPixel == 1 ? GetSharedPalette() : NULL;
        pConverted = std::make_unique<CConvertedDIB>(static_cast<HDIB>(m_dib.GetHandle()),
                                                     (WORD)(nBytesPerPixel * 8),
                                                     pPalette != NULL ? (HPALETTE)pPalette->m_hObject : NULL);
        if (pConverted->Get() == NULL)
            return FALSE;
        pDIB = pConverted->Get();
        info = pConverted->Info();
    }

    int nRowPixels = nBytesPerPixel == 1 ? (info.nWidth + 3) / 4 * 4 : (info.nWidth + 1) / 2 * 2;
    ULONGLONG nSize = (ULONGLONG)nBytesPerPixel * nRowPixels * info.nHeight;
    if (nSize > info.cbBits)
        return FALSE;
    BYTE* pImage;
    try
    {
        pImage = m_optimized.LockForWriting((DWORD)nSize);
    }
    catch (CMemoryException* e)
    {
        e->Delete();
        m_optimized.SetSize(0);
        return FALSE;
    }
    const BYTE* pBits = reinterpret_cast<const BYTE*>(FindDIBBits(reinterpret_cast<LPSTR>(pDIB)));
    memcpy(pImage, pBits, (size_t)nSize);
    m_nOptRowPixels = nRowPixels;
    m_nOptWidth = info.nWidth;
    m_nOptHeight = info.nHeight;
    m_nOptBytesPerPixel = nBytesPerPixel;

    if (nBytesPerPixel == 1)
    {
        BYTE map[256];
        MakeIndexMap(pDIB, info, map);
        memset(m_colorUsed, 0, sizeof m_colorUsed);
        for (DWORD i = 0; i < (DWORD)nSize; ++i)
        {
            pImage[i] = map[pImage[i]];
            m_colorUsed[pImage[i]] = 1;
        }
        m_nUniqueColors = 0;
        for (BYTE used : m_colorUsed)
            m_nUniqueColors += used;
    }
    // Top row first, whatever the DIB's orientation.
    if (!info.bTopDown)
        FlipVertically(pImage, CSize(nBytesPerPixel * nRowPixels, m_nOptHeight));
    FindKeyRows(pImage, m_optKeyRows);
    m_optimized.Unlock();

    // Drawing now reads the copy: the DIB's memory is the first to go when memory is short.
    m_dib.MakeExpendable();
    return TRUE;
}
