// CPicture: pictures imported from files, read by what their first bytes say they are.
#include "limn/pictures/Picture.h"
#include "limn/pictures/DIBElem.h"
#include "limn/pictures/MacPictElem.h"

#include <memory>
#include <unordered_set>
#include <string.h>

namespace {

// The kinds of picture file that the import reads, each with its own way in.
enum class PictureFileKind
{
    Unknown,
    Bitmap, // a BITMAPFILEHEADER: diblib's own reader
    Png,    // the rest through the imaging component
    Jpeg,
    Gif,
    Tiff
};

// The kind from the file's first bytes (cbHead of them); the extension is not trusted.
PictureFileKind KindOf(const BYTE* pHead, UINT cbHead)
{
    static const struct
    {
        PictureFileKind kind;
        BYTE signature[8];
        UINT cbSignature;
    } signatures[] = {
        { PictureFileKind::Bitmap, { 'B', 'M' }, 2 },
        { PictureFileKind::Png, { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n' }, 8 },
        { PictureFileKind::Jpeg, { 0xFF, 0xD8, 0xFF }, 3 },
        { PictureFileKind::Gif, { 'G', 'I', 'F', '8' }, 4 },
        { PictureFileKind::Tiff, { 'I', 'I', '*', 0 }, 4 },
        { PictureFileKind::Tiff, { 'M', 'M', 0, '*' }, 4 },
    };
    for (const auto& s : signatures)
    {
        if (cbHead >= s.cbSignature && memcmp(pHead, s.signature, s.cbSignature) == 0)
            return s.kind;
    }
    return PictureFileKind::Unknown;
}

// Lays the straight alpha of a 32-bit BI_RGB DIB over white, in place; the fourth
// bytes become 0. Other DIBs are left as they are.
void CompositeOverWhite(HDIB hDIB)
{
    DIBINFO info;
    if (!ValidateDIBHandle(hDIB, &info) || info.wBitCount != 32 || info.dwCompression != BI_RGB)
        return;
    BYTE* pDIB = static_cast<BYTE*>(::GlobalLock(hDIB));
    if (pDIB == NULL)
        return;
    BYTE* pPixel = pDIB + info.cbHeader + info.cbColorTable;
    for (DWORD i = 0; i < info.cbBits / 4; ++i, pPixel += 4)
    {
        const UINT nAlpha = pPixel[3];
        for (int c = 0; c < 3; ++c)
            pPixel[c] = (BYTE)((pPixel[c] * nAlpha + 255 * (255 - nAlpha) + 127) / 255);
        pPixel[3] = 0;
    }
    ::GlobalUnlock(hDIB);
}

// The kind of the file, which is left at its start.
PictureFileKind SniffKind(CFile& file)
{
    BYTE head[8] = {};
    const UINT cbHead = file.Read(head, sizeof head);
    file.SeekToBegin();
    return KindOf(head, cbHead);
}

// Whether a 24- or 32-bit BI_RGB DIB has at most 256 colours (the fourth byte, 0 after
// CompositeOverWhite, aside). Stops at the 257th colour, which a photograph reaches
// within its first rows.
BOOL HasPaletteColors(HDIB hDIB)
{
    DIBINFO info;
    if (!ValidateDIBHandle(hDIB, &info) || (info.wBitCount != 24 && info.wBitCount != 32) ||
        info.dwCompression != BI_RGB)
        return FALSE;
    const BYTE* pDIB = static_cast<const BYTE*>(::GlobalLock(hDIB));
    if (pDIB == NULL)
        return FALSE;
    const UINT cbPixel = info.wBitCount / 8;
    const DWORD cbRow = ((info.nWidth * info.wBitCount + 31) / 32) * 4;
    std::unordered_set<DWORD> colors;
    const BYTE* pRow = pDIB + info.cbHeader + info.cbColorTable;
    for (LONG y = 0; y < info.nHeight && colors.size() <= 256; ++y, pRow += cbRow)
    {
        const BYTE* pPixel = pRow;
        for (LONG x = 0; x < info.nWidth && colors.size() <= 256; ++x, pPixel += cbPixel)
            colors.insert(pPixel[0] | (pPixel[1] << 8) | (pPixel[2] << 16));
    }
    ::GlobalUnlock(hDIB);
    return colors.size() <= 256;
}

// The picture through the imaging component, its transparent parts laid over white.
// The bitmap element keeps its image for the fast way in 8 or 16 bits, which have no
// alpha, so this is done here, once: a picture with transparent parts then looks right
// on the usual white board, and a transparent background (the lightest corner colour
// as the key) still takes the white away. A picture of at most 256 colours (a GIF, a
// PNG with a palette, a drawing) becomes 8 bits of exactly its colours, where the
// element's 16 bits would round them.
HDIB ReadImageOverWhite(CFile& file)
{
    HDIB hDIB = ReadImageFile(file, 0);
    if (hDIB == NULL)
        return NULL;
    CompositeOverWhite(hDIB);
    if (!HasPaletteColors(hDIB))
        return hDIB;
    HDIB hPalette = ChangeDIBFormat(hDIB, 8, BI_RGB, NULL);
    if (hPalette == NULL)
        return hDIB;
    ::GlobalFree(hDIB);
    return hPalette;
}

} // namespace

BOOL CPicture::ImportFromFile(const char* pszPath)
{
    CFile file(pszPath, CFile::modeRead | CFile::shareDenyWrite);
    return ImportFromFile(file, pszPath);
}

BOOL CPicture::ImportFromFile(CFile& file, const char* pszPath)
{
    file.SeekToBegin();
    switch (SniffKind(file))
    {
    case PictureFileKind::Bitmap:
        return AppendImportedDIB(ReadDIBFile(file, 0), pszPath);
    case PictureFileKind::Png:
    case PictureFileKind::Jpeg:
    case PictureFileKind::Gif:
    case PictureFileKind::Tiff:
        return AppendImportedDIB(ReadImageOverWhite(file), pszPath);
    case PictureFileKind::Unknown:
        // A Macintosh picture has no signature at the start of its file: its version
        // opcode follows its frame, after the file's header or without one.
        if (CMacPictElem* pElem = CMacPictElem::ReadFile(file))
        {
            AppendWholeElem(pElem);
            SetNameFromPath(pszPath);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

BOOL CPicture::AppendImportedDIB(HDIB hDIB, const char* pszPath)
{
    if (hDIB == NULL)
        return FALSE;
    std::unique_ptr<CDIBElem> pElem;
    try
    {
        pElem.reset(new CDIBElem(hDIB));
    }
    catch (...)
    {
        GlobalFree(hDIB);
        throw;
    }
    GlobalFree(hDIB);
    if (pElem->GetDIBSize() == 0)
        return FALSE;
    AppendWholeElem(pElem.release());
    SetNameFromPath(pszPath);
    return TRUE;
}
