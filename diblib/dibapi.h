// diblib: device-independent bitmaps held as packed DIBs in movable global memory.
//
// A packed DIB is one block: a bitmap header (BITMAPCOREHEADER, BITMAPINFOHEADER,
// BITMAPV4HEADER or BITMAPV5HEADER), its colour table or bit-field masks, then the pixel
// rows. Every routine that takes a DIB checks it with ValidateDIB against the bytes that
// hold it, so a header that claims more than its block holds is refused, never read past.
// Uncompressed rows are read as stored, without the padding bytes; run-length (BI_RLE8,
// BI_RLE4) streams are drawn as the system's blits draw them: a run that crosses the end
// of its row is cut there, a step past the image ends the stream, and pixels the stream
// leaves unset are colour index 0.
//
// Ownership: a returned HDIB or HGLOBAL is a new block that the caller frees with
// GlobalFree. Arguments are never freed.
#pragma once

#include <afx.h>

#if !defined(_WIN32)
#define DIBLIB_API
#elif defined(_DIBLIB_BUILDING)
#define DIBLIB_API __declspec(dllexport)
#else
#define DIBLIB_API __declspec(dllimport)
#endif

// A movable global memory block holding a packed DIB.
typedef HGLOBAL HDIB;

// What ValidateDIB learnt of a packed DIB.
struct DIBINFO
{
    DWORD cbHeader;      // size of the header as stored (12, 40, 52, 56, 108 or 124)
    LONG nWidth;         // pixels, > 0
    LONG nHeight;        // rows, > 0 (the absolute value of the stored height)
    BOOL bTopDown;       // the stored height is negative: the first row is the top one
    WORD wBitCount;      // 1, 4, 8, 16, 24 or 32
    DWORD dwCompression; // BI_RGB, BI_RLE8, BI_RLE4 or BI_BITFIELDS
    DWORD nColors;       // entries of the colour table
    DWORD cbColorTable;  // bytes between the header and the bits (table, or the masks)
    DWORD cbRow;         // bytes of one uncompressed row, padded to 4
    DWORD cbBits;        // bytes of pixel data that the DIB holds (uncompressed: cbRow * nHeight)
};

// TRUE when the cbDIB bytes at pDIB hold a whole packed DIB that these routines can
// read: a known header, sane dimensions, the colour table and every pixel byte inside the
// block. Fills *pInfo (which may be NULL) when it returns TRUE.
//   - one plane; 1, 4, 8, 16, 24 or 32 bits per pixel (1, 4, 8 or 24 with a 12-byte
//     header); BI_RGB, BI_RLE8 with 8 bits, BI_RLE4 with 4 bits (both bottom-up only), or
//     BI_BITFIELDS with 16 or 32 bits, whose red, green and blue masks are non-zero runs
//     of adjacent bits that do not overlap (an alpha mask is ignored);
//   - biClrUsed at most 1 << wBitCount up to 8 bits, at most 256 above;
//   - a non-zero biSizeImage no larger than the bytes after the colour table;
//   - run-length streams at least 2 bytes long (biSizeImage, or every byte left), whose
//     uncompressed rows take at most 1 MB or 256 times the stream's length.
DIBLIB_API BOOL WINAPI ValidateDIB(const void* pDIB, SIZE_T cbDIB, DIBINFO* pInfo);
// ValidateDIB on a locked global block, with the block's own size.
DIBLIB_API BOOL WINAPI ValidateDIBHandle(HGLOBAL hDIB, DIBINFO* pInfo);
// The most bytes a packed DIB can use, from its header alone (the first cbHead bytes at
// pHead): the header, its colour table or masks, and the pixel rows, or for a
// run-length stream the longest that its rows need (two bytes a pixel, two for each
// row's end and two for the bitmap's end). 0 when the header is not one that
// ValidateDIB accepts.
DIBLIB_API ULONGLONG WINAPI DIBMaxSize(const void* pHead, SIZE_T cbHead);

// Reads a ".bmp" or ".dib" file (a BITMAPFILEHEADER, then a packed DIB) from the file's
// current position. nFlags is 0. The DIB that comes back always has a BITMAPINFOHEADER:
// older and newer headers are rewritten (bit-field masks follow the header; masks that
// say what BI_RGB means become BI_RGB), the colour table is complete (1 << wBitCount
// entries up to 8 bits, padded with black; none above, where a table is only a hint),
// biSizeImage is exact, and the pixel rows are as stored (RLE stays RLE, top-down stays
// top-down). NULL when the file is not a bitmap that can be read: beyond what
// ValidateDIB refuses, a file whose sizes or offsets claim more than it holds, whose
// colour indices or run-length steps go outside the table or the image, or whose pixel
// density is absurd (above 1,000,000 per metre). Sizes are checked against the file's
// length before anything is allocated. Errors of the file itself (CFileException) pass
// to the caller.
DIBLIB_API HDIB WINAPI ReadDIBFile(CFile& file, int nFlags);

// Pictures through the Windows Imaging Component (windowscodecs.dll): COM is
// initialised on the calling thread for the length of each call and given back after
// it (a thread already in a multithreaded apartment keeps it).
//
// The most pixels a picture that ReadImageFile decodes may have: each side at most
// IMAGE_MAX_SIDE, both together at most IMAGE_MAX_PIXELS (a 32-bit DIB of 256 MB).
// Larger ones are refused from the size the decoder reports, before the DIB is
// allocated or a pixel converted (the system's decoder may have read the file by then).
const UINT IMAGE_MAX_SIDE = 32767;
const ULONGLONG IMAGE_MAX_PIXELS = 64 * 1024 * 1024;

// Reads the picture held by the bytes from the file's current position to its end, in
// any format the imaging component decodes (it recognises the format by content): PNG,
// JPEG, GIF, TIFF, BMP and what else the system offers. nFlags is 0. Of a GIF, TIFF or
// other file of several frames, the first frame is taken, at the size the decoder gives
// it (frame 0). The DIB that comes back has a
// BITMAPINFOHEADER, is bottom-up and BI_RGB with no colour table, and has
//   - 32 bits per pixel, blue, green, red, then straight (not premultiplied) alpha in the
//     fourth byte, when the picture can be transparent: a pixel format with alpha, or a
//     palette with a transparent entry (a GIF's transparent colour, a PNG's tRNS);
//   - 24 bits otherwise (grey, 16-bit-channel and CMYK pictures converted by the
//     component).
// The resolution is the file's, when it gives one within 1,000,000 pixels per metre.
// NULL when the bytes are no picture the component can decode (unknown format,
// damaged, truncated; a GIF cut after all its pixels, short of only its end marker, is
// still read), a PNG with a chunk cut short, a wrong chunk CRC or no IEND chunk (the
// component itself checks none of these), a picture above the pixel cap, or when
// memory or COM cannot be had. Errors of the file itself (CFileException) pass to the caller.
DIBLIB_API HDIB WINAPI ReadImageFile(CFile& file, int nFlags);

// Formats of WriteImageFile.
enum
{
    IMAGE_PNG = 1,
    IMAGE_JPEG = 2,
    IMAGE_GIF = 3,
    IMAGE_TIFF = 4,
    IMAGE_BMP = 5
};

// Writes hDIB as one picture of nFormat at the file's position, through the imaging
// component's encoder for that format. Any DIB that ValidateDIB accepts is taken:
//   - a 32-bit BI_RGB DIB with a non-zero fourth byte anywhere is written with that byte
//     as straight alpha where the encoder keeps alpha (PNG, TIFF); where it does not, the
//     alpha is dropped, not composited. A 32-bit DIB whose fourth bytes are all 0 (as the
//     system's bitmaps leave them) is opaque;
//   - a GIF gets 8-bit indices: a palette DIB keeps its indices and colour table, other
//     DIBs are reduced as ChangeDIBFormat does without a palette (exact up to 256
//     colours). No colour is marked transparent;
//   - other DIBs are written as 24 bits (JPEG at the encoder's default quality).
// The resolution is the DIB's, or 96 dots per inch when it gives none. FALSE, with
// nothing written, when hDIB is not a valid DIB, nFormat not one of IMAGE_*, or the
// encoder fails or is missing. Errors of the file itself (CFileException) pass.
DIBLIB_API BOOL WINAPI WriteImageFile(CFile& file, HDIB hDIB, int nFormat);

// A new packed DIB with a BITMAPINFOHEADER, bottom-up, uncompressed (BI_RGB), of
// wBitCount bits per pixel: 8 (colours mapped onto hPal's entries by nearest colour,
// as GetNearestPaletteIndex chooses; without hPal a palette of the image's colours),
// 16 (RGB555), 24 or 32. RLE and bit-field sources are decoded first. dwCompression must
// be BI_RGB. NULL when hDIB is not a valid DIB or the format is not one of these.
//   - Bit-field channels narrower than 8 bits repeat their bits to fill a byte (5 bits
//     abcde give abcdeabc), wider ones keep their top 8 bits; alpha is ignored.
//   - 8 bits with hPal: the table is hPal's first 256 entries (biClrUsed of them).
//     Without hPal: a palette image keeps its indices and its table of 1 << wBitCount
//     entries; other images get their own colours, in the order they first appear from
//     the top, when they have at most 256, else 256 colours chosen by median cut.
//   - 16 bits keep each channel's top 5 bits; 32 bits have 0 in the fourth byte.
DIBLIB_API HDIB WINAPI ChangeDIBFormat(HDIB hDIB, WORD wBitCount, DWORD dwCompression, HPALETTE hPal);

// The header's width and height in pixels (the height as an absolute value); 0 for a
// header that is not one of the kinds ValidateDIB knows.
DIBLIB_API DWORD WINAPI DIBWidth(LPSTR lpDIB);
DIBLIB_API DWORD WINAPI DIBHeight(LPSTR lpDIB);
// The first pixel byte, after the header and its colour table or masks; NULL for a
// header that is not one of the kinds ValidateDIB knows.
DIBLIB_API LPSTR WINAPI FindDIBBits(LPSTR lpDIB);
// A new movable block with the same bytes as h; NULL for NULL or when memory runs out.
DIBLIB_API HGLOBAL WINAPI CopyHandle(HGLOBAL h);
