// Decoding pictures of 640x480 and 256 colours into packed DIBs: a Macintosh picture
// (PackBitsRect) converted by the media library (QTIM32.DLL's routine 46), and the same
// image as a PNG read through the system's imaging component (ReadImageFile), each
// against its peer in the same run, ReadDIBFile of the image as an RLE8 bitmap file. Two
// images: a photograph-like one (smooth shades and noise) and a drawing-like one (a few
// flat colours).
// Target: the Macintosh picture at most 3 times the bitmap file's cost; the PNG has none.
#include "bench_images.h"
#include "diblib/dibapi.h"
#include "media/MediaEntry.h"
#include "media/pict/PictWriter.h"
#include "timing.h"

#include <stdio.h>

#include <vector>

namespace {

const LONG WIDTH = 640, HEIGHT = 480;

// An 8-bit image: indices top row first, and its colour table.
struct CIndexed
{
    std::vector<BYTE> indices;
    std::vector<RGBQUAD> table;
};

// The image of h24, which this frees, reduced to 256 colours of its own.
CIndexed MakeIndexed(HDIB h24)
{
    HDIB h8 = ChangeDIBFormat(h24, 8, BI_RGB, NULL);
    ::GlobalFree(h24);
    const BYTE* pDIB = static_cast<const BYTE*>(::GlobalLock(h8));
    DIBINFO info;
    ValidateDIB(pDIB, ::GlobalSize(h8), &info);
    CIndexed image;
    const RGBQUAD* pTable = reinterpret_cast<const RGBQUAD*>(pDIB + info.cbHeader);
    image.table.assign(pTable, pTable + info.nColors);
    const BYTE* p8 = pDIB + info.cbHeader + info.cbColorTable;
    for (LONG y = 0; y < HEIGHT; ++y)
    {
        const BYTE* pRow = p8 + (size_t)(HEIGHT - 1 - y) * info.cbRow;
        image.indices.insert(image.indices.end(), pRow, pRow + WIDTH);
    }
    ::GlobalUnlock(h8);
    ::GlobalFree(h8);
    return image;
}

// The image as a ".bmp" file coded BI_RLE8: runs of one index up to 255 long, bottom
// row first, each row ended, then the bitmap's end.
std::vector<BYTE> Rle8File(const CIndexed& image)
{
    std::vector<BYTE> stream;
    for (LONG y = HEIGHT - 1; y >= 0; --y)
    {
        const BYTE* pRow = &image.indices[(size_t)y * WIDTH];
        for (LONG x = 0; x < WIDTH;)
        {
            LONG n = 1;
            while (x + n < WIDTH && n < 255 && pRow[x + n] == pRow[x])
                ++n;
            stream.push_back((BYTE)n);
            stream.push_back(pRow[x]);
            x += n;
        }
        stream.push_back(0), stream.push_back(0);
    }
    stream.push_back(0), stream.push_back(1);

    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = WIDTH;
    header.biHeight = HEIGHT;
    header.biPlanes = 1;
    header.biBitCount = 8;
    header.biCompression = BI_RLE8;
    header.biSizeImage = (DWORD)stream.size();
    header.biClrUsed = (DWORD)image.table.size();
    const DWORD cbTable = (DWORD)(image.table.size() * sizeof(RGBQUAD));
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header + cbTable;
    file.bfSize = file.bfOffBits + (DWORD)stream.size();
    std::vector<BYTE> bytes((const BYTE*)&file, (const BYTE*)(&file + 1));
    bytes.insert(bytes.end(), (const BYTE*)&header, (const BYTE*)(&header + 1));
    bytes.insert(bytes.end(), (const BYTE*)image.table.data(), (const BYTE*)image.table.data() + cbTable);
    bytes.insert(bytes.end(), stream.begin(), stream.end());
    return bytes;
}

// The image as a version 2 picture of one PackBitsRect, in a movable block.
HGLOBAL PackBitsPict(const CIndexed& image)
{
    pict::IndexedImage indexed;
    indexed.width = WIDTH;
    indexed.height = HEIGHT;
    indexed.depth = 8;
    indexed.indices = image.indices;
    for (const RGBQUAD& q : image.table)
        indexed.palette.push_back((pict::Color)q.rgbRed << 16 | q.rgbGreen << 8 | q.rgbBlue);
    const pict::Rect frame{0, 0, WIDTH, HEIGHT};
    pict::PictWriter writer(frame);
    writer.ClipRect(frame);
    pict::Placement place;
    place.src = place.dst = frame;
    writer.PixMap(indexed, place);
    const std::vector<uint8_t> bytes = writer.Finish();
    HGLOBAL hPict = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    memcpy(::GlobalLock(hPict), bytes.data(), bytes.size());
    ::GlobalUnlock(hPict);
    return hPict;
}

// The image as a PNG file, through the system's encoder.
std::vector<BYTE> PngFile(const std::vector<BYTE>& bmpFile)
{
    CMemFile in(const_cast<BYTE*>(bmpFile.data()), (UINT)bmpFile.size());
    HDIB hDIB = ReadDIBFile(in, 0);
    HDIB h24 = ChangeDIBFormat(hDIB, 24, BI_RGB, NULL);
    CMemFile out;
    WriteImageFile(out, h24, IMAGE_PNG);
    ::GlobalFree(hDIB);
    ::GlobalFree(h24);
    std::vector<BYTE> bytes((size_t)out.GetLength());
    out.SeekToBegin();
    out.Read(bytes.data(), (UINT)bytes.size());
    return bytes;
}

// Reads a file held in memory with reader, and frees the DIB.
double TimeReading(const std::vector<BYTE>& bytes, HDIB (WINAPI* reader)(CFile&, int))
{
    return Best(20, [&] {
        CMemFile file(const_cast<BYTE*>(bytes.data()), (UINT)bytes.size());
        HDIB hDIB = reader(file, 0);
        if (hDIB == NULL)
            throw "a reader refused its own image";
        ::GlobalFree(hDIB);
    });
}

void Measure(const char* pszImage, const CIndexed& image, MEDIAENTRYPROC pfnEntry)
{
    const std::vector<BYTE> bmp = Rle8File(image);
    const std::vector<BYTE> png = PngFile(bmp);
    HGLOBAL hPict = PackBitsPict(image);
    const double dBmp = TimeReading(bmp, ReadDIBFile);
    const double dPng = TimeReading(png, ReadImageFile);
    const double dPict = Best(20, [&] {
        HGLOBAL hDIB = (HGLOBAL)pfnEntry(QTIM_PICTURETODIB, (LONG_PTR)hPict, 0, 0, 0);
        if (hDIB == NULL)
            throw "the media library refused the picture";
        ::GlobalFree(hDIB);
    });
    printf("%s: RLE8 bitmap file %.2f ms (%zu bytes), Macintosh picture %.2f ms (%zu bytes), "
           "PNG %.2f ms (%zu bytes)\n", pszImage, dBmp * 1000, bmp.size(), dPict * 1000,
           (size_t)::GlobalSize(hPict), dPng * 1000, png.size());
    printf("  Macintosh picture / bitmap file: %.2f (target at most 3)\n", dPict / dBmp);
    printf("  PNG / bitmap file: %.2f\n", dPng / dBmp);
    ::GlobalFree(hPict);
}

} // namespace

int main()
{
    HMODULE hQTIM = ::LoadLibraryA("QTIM32.DLL");
    auto pfnEntry = hQTIM != NULL ? reinterpret_cast<MEDIAENTRYPROC>(
                                        reinterpret_cast<void*>(::GetProcAddress(hQTIM, "_EntryPoint")))
                                  : NULL;
    if (pfnEntry == NULL || pfnEntry(QTIM_INITIALIZE, 0, 0, 0, 0) != 0)
    {
        printf("the media library (QTIM32.DLL) cannot be loaded\n");
        return 1;
    }
    try
    {
        Measure("640x480 photograph", MakeIndexed(MakePhoto(WIDTH, HEIGHT)), pfnEntry);
        Measure("640x480 drawing", MakeIndexed(MakeDrawing(WIDTH, HEIGHT)), pfnEntry);
    }
    catch (const char* pszWhat)
    {
        printf("%s\n", pszWhat);
        return 1;
    }
    pfnEntry(QTIM_TERMINATE, 0, 0, 0, 0);
    ::FreeLibrary(hQTIM);
    return 0;
}
