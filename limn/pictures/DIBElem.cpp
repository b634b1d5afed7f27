// CDIBElem: the stored DIB, its payload, comparison, copy and flips.
#include "limn/pictures/DIBElem.h"
#include "limn/pictures/DIBElemLock.h"

#include "hoard/runtime/TempMem.h"

#include <algorithm>

IMPLEMENT_SERIAL(CDIBElem, CPictElemFreeable, 0)

BOOL CDIBElem::m_bAllowAntiAliasing = FALSE;

namespace {

// Whether nSize bytes, whose first nHead are at pHead, are no more than the DIB that
// they begin with can use: as much again, and 64 KB more, for blocks that whoever made
// them rounded up. Bytes that begin with no DIB may be 64 KB. A stored stream can claim
// any size, and what it expands to is allocated.
BOOL FitsItsDIB(const BYTE* pHead, DWORD nHead, DWORD nSize)
{
    const ULONGLONG cbMax = std::min(DIBMaxSize(pHead, nHead), (ULONGLONG)MAXDWORD);
    return nSize <= 2 * cbMax + 0x10000;
}

// Whether fn, which locks blocks, ran to its end: a damaged stored stream, or one too
// large for the memory there is, stops it.
template <class Fn>
BOOL RunReading(Fn fn)
{
    try
    {
        fn();
        return TRUE;
    }
    catch (CArchiveException* e)
    {
        e->Delete();
    }
    catch (CMemoryException* e)
    {
        e->Delete();
    }
    return FALSE;
}

} // namespace

// CDIBLock

CDIBElem::CDIBLock::CDIBLock(const CReloadableData& dib)
    : CDIBLock(const_cast<CReloadableData&>(dib), FALSE)     // only read
{
}

CDIBElem::CDIBLock::CDIBLock(CReloadableData& dib, BOOL bForWriting) : m_dib(dib), m_p(NULL), m_info()
{
    RunReading([&] { m_p = bForWriting ? dib.LockForWriting(dib.GetSize()) : dib.Lock(); });
    Check();
}

CDIBElem::CDIBLock::~CDIBLock()
{
    if (m_p != NULL)
        m_dib.Unlock();
}

void CDIBElem::CDIBLock::Check()
{
    if (m_p == NULL)
        return;
    if (!ValidateDIB(m_p, m_dib.GetSize(), &m_info))
    {
        m_dib.Unlock();
        m_p = NULL;
    }
}

BOOL CDIBElem::CDIBLock::LacksStreamLength() const
{
    return (m_info.dwCompression == BI_RLE8 || m_info.dwCompression == BI_RLE4) &&
           reinterpret_cast<const BITMAPINFOHEADER*>(m_p)->biSizeImage == 0;
}

void CDIBElem::CDIBLock::CompleteHeader(BYTE* pDIB) const
{
    if (LacksStreamLength())
        reinterpret_cast<BITMAPINFOHEADER*>(pDIB)->biSizeImage = m_info.cbBits;
}

const BITMAPINFO* CDIBElem::CDIBLock::HeaderForGDI(std::vector<BYTE>& copy) const
{
    if (!LacksStreamLength())
        return reinterpret_cast<const BITMAPINFO*>(m_p);
    copy.assign(m_p, m_p + m_info.cbHeader + m_info.cbColorTable);
    CompleteHeader(copy.data());
    return reinterpret_cast<const BITMAPINFO*>(copy.data());
}

// CDIBElem

CDIBElem::CDIBElem()
    : m_nOptRowPixels(0), m_nOptHeight(0), m_nUniqueColors(0), m_colorUsed(), m_nOptBytesPerPixel(0),
      m_bColoredTransparent(FALSE), m_bColoredUseColor(FALSE), m_coloredColor(0), m_nOptWidth(0)
{
    m_dib.SetSizeCheck(FitsItsDIB);
    m_optimized.SetCacheFlag(FALSE);
    m_colored.SetCacheFlag(FALSE);
}

CDIBElem::CDIBElem(HDIB hDIB) : CDIBElem()
{
    DIBINFO info;
    if (hDIB == NULL || !ValidateDIBHandle(hDIB, &info))
        return;
    HDIB hConverted = NULL;
    if (info.wBitCount > 16)
    {
        hConverted = ChangeDIBFormat(hDIB, 16, BI_RGB, NULL);
        if (hConverted == NULL)
            return;
        hDIB = hConverted;
    }
    try
    {
        m_dib.SetData((DWORD)GlobalSize(hDIB), GlobalLock(hDIB));
        GlobalUnlock(hDIB);
    }
    catch (...)
    {
        GlobalUnlock(hDIB);
        if (hConverted != NULL)
            GlobalFree(hConverted);
        throw;
    }
    if (hConverted != NULL)
        GlobalFree(hConverted);
    CDIBLock lock(m_dib);
    if (lock.Get() != NULL)
        InitDIB(lock.Get());
}

CDIBElem::~CDIBElem() = default;

void CDIBElem::InitDIB(void* pDIB)
{
    m_extent.cx = (LONG)DIBWidth(static_cast<LPSTR>(pDIB));
    m_extent.cy = (LONG)DIBHeight(static_cast<LPSTR>(pDIB));
}

HDIB CDIBElem::GetDIB()
{
    if (m_dib.Lock() == NULL)
        return NULL;
    return static_cast<HDIB>(m_dib.GetHandle());
}

void CDIBElem::ReleaseDIB() { m_dib.Unlock(); }

HDIB CDIBElem::CopyDIB() const
{
    CDIBLock lock(m_dib);
    if (lock.Get() == NULL)
        return NULL;
    HDIB hCopy = CopyHandle(m_dib.GetHandle());
    if (BYTE* pCopy = hCopy != NULL ? static_cast<BYTE*>(GlobalLock(hCopy)) : NULL)
    {
        lock.CompleteHeader(pCopy);
        GlobalUnlock(hCopy);
    }
    return hCopy;
}

BOOL CDIBElem::GetDIBInfo(DIBINFO* pInfo) const
{
    CDIBLock lock(m_dib);
    if (lock.Get() == NULL)
        return FALSE;
    if (pInfo != NULL)
        *pInfo = lock.Info();
    return TRUE;
}

BOOL CDIBElem::IsSameAs(CDrawable* pOther)
{
    auto* pElem = dynamic_cast<CDIBElem*>(pOther);
    BOOL bSame = FALSE;
    if (pElem != NULL)
        RunReading([&] { bSame = m_dib == pElem->m_dib; });
    return bSame;
}

void CDIBElem::CopyFrom(const CPictElem* pOther)
{
    auto* pElem = dynamic_cast<const CDIBElem*>(pOther);
    if (pElem == NULL)
        return;
    m_dib = pElem->m_dib;
    EmptyCaches();
    CDIBLock lock(m_dib);
    if (lock.Get() != NULL)
        InitDIB(lock.Get());
    else
        m_extent = pElem->m_extent;
}

void CDIBElem::Serialize(CArchive& ar)
{
    // A DIB in memory is coded by its bit count when it is written: 16-bit images in
    // words, the others in bytes. One still in the file is copied as it is stored.
    if (ar.IsStoring() && m_dib.IsLoaded())
    {
        CDIBLock lock(m_dib);
        if (lock.Get() != NULL)
            m_dib.SetCompression(lock.Info().wBitCount == 16 ? CReloadableData::compressWords
                                                             : CReloadableData::compressBytes);
        // A block longer than a coded stream may claim for the DIB it begins with (one
        // that another program handed over) is written as it is, which reads back at
        // any length.
        if (const BYTE* pBytes = m_dib.Lock())
        {
            const DWORD nSize = m_dib.GetSize();
            if (!FitsItsDIB(pBytes, std::min(nSize, CReloadableData::nSizeCheckHead), nSize))
                m_dib.SetCompression(CReloadableData::compressNone);
            m_dib.Unlock();
        }
    }
    m_dib.Serialize(ar);
    CDrawable::Serialize(ar);
    if (ar.IsLoading())
        EmptyCaches();
}

void CDIBElem::EmptyCaches() const
{
    m_optimized.SetSize(0);
    m_colored.SetSize(0);
}

// Flips

void CDIBElem::FlipHorizontally()
{
    CDIBLock lock(m_dib, TRUE);
    if (lock.Get() == NULL)
        return;
    const DIBINFO& info = lock.Info();
    if (info.dwCompression == BI_RLE8 || info.dwCompression == BI_RLE4)
        return;
    int nPixelBytes = info.wBitCount / 8;
    if (nPixelBytes == 0)
        return;         // 1 and 4 bits per pixel are left as they are
    BYTE* pRow = lock.Bits();
    for (LONG y = 0; y < info.nHeight; ++y, pRow += info.cbRow)
    {
        BYTE* pLeft = pRow;
        BYTE* pRight = pRow + (info.nWidth - 1) * nPixelBytes;
        for (; pLeft < pRight; pLeft += nPixelBytes, pRight -= nPixelBytes)
            std::swap_ranges(pLeft, pLeft + nPixelBytes, pRight);
    }
    EmptyCaches();
}

void CDIBElem::FlipVertically()
{
    CDIBLock lock(m_dib, TRUE);
    if (lock.Get() == NULL)
        return;
    const DIBINFO& info = lock.Info();
    if (info.dwCompression == BI_RLE8 || info.dwCompression == BI_RLE4)
        return;         // the rows of a run-length stream are not of one length
    FlipVertically(lock.Bits(), CSize((int)info.cbRow, (int)info.nHeight));
    EmptyCaches();
}

void CDIBElem::FlipVertically(BYTE* pBits, CSize size)
{
    DWORD nRowBytes = (DWORD)std::abs(size.cx);
    DWORD nRows = (DWORD)std::abs(size.cy);
    if (nRowBytes == 0 || nRows == 0)
        return;
    CTempMem<BYTE> scratch(nRowBytes);
    for (DWORD i = 0; i < nRows / 2; ++i)
    {
        BYTE* pTop = pBits + (SIZE_T)i * nRowBytes;
        BYTE* pBottom = pBits + (SIZE_T)(nRows - 1 - i) * nRowBytes;
        memcpy(scratch.GetData(), pTop, nRowBytes);
        memcpy(pTop, pBottom, nRowBytes);
        memcpy(pBottom, scratch.GetData(), nRowBytes);
    }
}
