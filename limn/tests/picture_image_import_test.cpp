// Importing PNG, JPEG, GIF and TIFF files into a picture: the reader chosen by the file's
// content, transparent parts laid over white, and damaged files refused with the picture
// left as it was.
#include "limn/pictures/DIBElem.h"
#include "limn/pictures/Picture.h"

#include "hoard/resources/Hoard.h"

#include <gtest/gtest.h>

#include "diblib/tests/image_bytes.h"
#include "framework/tests/test_support.h"
#include "picture_support.h"

namespace {

// Writes the DIB as a picture file of nFormat; ReadImageFile and the encoders are
// tested in diblib.
void WritePicture(const char* pszPath, HDIB hDIB, int nFormat)
{
    CFile file(pszPath, CFile::modeCreate | CFile::modeWrite);
    ASSERT_TRUE(WriteImageFile(file, hDIB, nFormat)) << pszPath;
}

// Four colours in blocks of 16 x 16, a JPEG's unit of colour, so that a JPEG keeps them
// nearly.
DWORD Blocks(int x, int y)
{
    static const DWORD colors[] = { 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF };
    return colors[(x / 16) % 2 + 2 * ((y / 16) % 2)];
}

// The colour of the imported element's pixel, from its 16-bit RGB555 DIB, in 8 bits a
// channel (the low bits repeated).
DWORD ElemColor(const CPicture& picture, INT_PTR nElem, int x, int y)
{
    auto* pElem = static_cast<CDIBElem*>(picture.GetPictElems()[nElem].m_pElem);
    CTestDIB dib(pElem->CopyDIB());
    CTestDIB rgb(ChangeDIBFormat(dib, 24, BI_RGB, NULL));
    return DIBPixel(rgb, x, y);
}

WORD ElemBitCount(const CPicture& picture, INT_PTR nElem)
{
    auto* pElem = static_cast<CDIBElem*>(picture.GetPictElems()[nElem].m_pElem);
    CTestDIB dib(pElem->CopyDIB());
    return dib.Header().biBitCount;
}

BOOL IsNear(DWORD a, DWORD b, int nTolerance)
{
    for (int nShift = 0; nShift < 24; nShift += 8)
    {
        if (abs((int)((a >> nShift) & 0xFF) - (int)((b >> nShift) & 0xFF)) > nTolerance)
            return FALSE;
    }
    return TRUE;
}

} // namespace

TEST(PictureImageImport, EachKindIsReadByItsContent)
{
    CScratchFolder folder;
    CTestDIB dib = MakeTestDIB(32, 32, 24, Blocks);
    CTestDIB bitmap = MakeTestDIB(32, 32, 24, Blocks);
    const struct
    {
        const char* pszFile;
        int nFormat; // 0: a bitmap file
        const char* pszName;
    } cases[] = {
        { "sun.png", IMAGE_PNG, "sun" },
        { "sea.photo.jpg", IMAGE_JPEG, "sea" },
        { "sky.jpeg", IMAGE_JPEG, "sky" },
        { "cat.gif", IMAGE_GIF, "cat" },
        { "hat.tif", IMAGE_TIFF, "hat" },
        { "map.tiff", IMAGE_TIFF, "map" },
        { "png-named.bmp", IMAGE_PNG, "png-named" },
        { "bitmap-named.png", 0, "bitmap-named" },
    };
    CHoard hoard;
    CPicture* pPicture = CPicture::New(hoard, NULL);
    for (const auto& c : cases)
    {
        if (c.nFormat != 0)
            WritePicture(folder.Path(c.pszFile), dib, c.nFormat);
        else
            WriteFileBytes(folder.Path(c.pszFile), BitmapFileBytes(bitmap));
        const INT_PTR nElems = pPicture->GetPictElems().GetSize();
        ASSERT_TRUE(pPicture->ImportFromFile(folder.Path(c.pszFile))) << c.pszFile;
        ASSERT_EQ(nElems + 1, pPicture->GetPictElems().GetSize()) << c.pszFile;
        EXPECT_STREQ(c.pszName, pPicture->GetName()) << c.pszFile;
        EXPECT_EQ(CSize(32, 32), pPicture->GetExtent()) << c.pszFile;
        const int nTolerance = c.nFormat == IMAGE_JPEG ? 24 : 0;
        for (CPoint pt : { CPoint(8, 8), CPoint(24, 8), CPoint(8, 24), CPoint(24, 24) })
            EXPECT_TRUE(IsNear(Blocks(pt.x, pt.y), ElemColor(*pPicture, nElems, pt.x, pt.y), nTolerance))
                << c.pszFile << " at " << pt.x << ", " << pt.y << ": " << std::hex
                << ElemColor(*pPicture, nElems, pt.x, pt.y);
    }
}

// A picture of at most 256 colours keeps them exactly, in 8 bits; one of more colours
// is kept in the bitmap element's 16 bits.
TEST(PictureImageImport, FewColoursAreKeptExactly)
{
    CScratchFolder folder;
    for (int nColours : { 256, 257 })
    {
        // Colours whose low bits 16 bits would lose.
        CTestDIB dib = MakeTestDIB(32, 16, 24, [nColours](int x, int y) {
            const DWORD n = (DWORD)(y * 32 + x) % nColours;
            return 0x070301u + (n << 8) + n * 3;
        });
        WritePicture(folder.Path("colours.png"), dib, IMAGE_PNG);
        CHoard hoard;
        CPicture* pPicture = CPicture::New(hoard, NULL);
        ASSERT_TRUE(pPicture->ImportFromFile(folder.Path("colours.png")));
        if (nColours == 256)
        {
            EXPECT_EQ(8, ElemBitCount(*pPicture, 0));
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 32; ++x)
                    ASSERT_EQ(DIBPixel(dib, x, y), ElemColor(*pPicture, 0, x, y)) << x << ", " << y;
        }
        else
        {
            EXPECT_EQ(16, ElemBitCount(*pPicture, 0));
        }
    }
}

TEST(PictureImageImport, TransparentPartsAreLaidOverWhite)
{
    // A red square, half-transparent black around it, a fully transparent blue border.
    CTestDIB dib = MakeTestDIB(8, 8, 32, [](int x, int y) {
        if (x == 0 || y == 0 || x == 7 || y == 7)
            return 0x000000FFu;
        return x >= 3 && x < 5 && y >= 3 && y < 5 ? 0xFFFF0000u : 0x80000000u;
    });
    CScratchFolder folder;
    WritePicture(folder.Path("badge.png"), dib, IMAGE_PNG);
    CHoard hoard;
    CPicture* pPicture = CPicture::New(hoard, NULL);
    ASSERT_TRUE(pPicture->ImportFromFile(folder.Path("badge.png")));
    EXPECT_EQ(0xFFFFFFu, ElemColor(*pPicture, 0, 0, 0)) << "transparent: white";
    EXPECT_EQ(0xFF0000u, ElemColor(*pPicture, 0, 3, 3)) << "opaque: its own colour";
    EXPECT_TRUE(IsNear(0x7F7F7F, ElemColor(*pPicture, 0, 1, 1), 4)) << "half: halfway to white";

    // A transparent background keys the white corners, as for any bitmap on white.
    pPicture->SetTransparentBackground(TRUE);
    CBufferedCanvas canvas(8, 8, 16);
    pPicture->Draw(canvas.m_canvas, CRect(0, 0, 8, 8), CRect(0, 0, 8, 8));
    EXPECT_TRUE(canvas.PaintedBounds() == CRect(1, 1, 7, 7)) << "the white border is not drawn";
}

TEST(PictureImageImport, DamagedFilesLeaveThePictureUnchanged)
{
    CScratchFolder folder;
    CTestDIB dib = MakeTestDIB(32, 32, 24, Blocks);
    std::vector<std::vector<BYTE>> files;
    for (int nFormat : { IMAGE_PNG, IMAGE_JPEG, IMAGE_GIF, IMAGE_TIFF })
    {
        WritePicture(folder.Path("good"), dib, nFormat);
        files.push_back(ReadFileBytes(folder.Path("good")));
    }
    const std::vector<BYTE>& png = files[0];
    const size_t nIdat = FindIdat(png);
    const struct
    {
        const char* pszFile;
        std::vector<BYTE> bytes;
    } cases[] = {
        { "cut.png", CutBytes(png, nIdat + 16) },
        { "crc.png", ChangedByte(png, PngCrcOffset(png, nIdat)) },
        { "signature.png", ChangedByte(png, 2) },
        { "cut.jpg", CutBytes(files[1], files[1].size() / 2) },
        { "cut.gif", CutBytes(files[2], files[2].size() / 2) },
        { "cut.tif", CutBytes(files[3], files[3].size() - 40) },
        { "header.gif", { 'G', 'I', 'F', '8', '9', 'a' } },
        { "empty.png", {} },
    };
    CHoard hoard;
    CPicture* pPicture = CPicture::New(hoard, NULL);
    WriteFileBytes(folder.Path("dog.bmp"), BitmapFileBytes(dib));
    ASSERT_TRUE(pPicture->ImportFromFile(folder.Path("dog.bmp")));
    for (const auto& c : cases)
    {
        WriteFileBytes(folder.Path(c.pszFile), c.bytes);
        EXPECT_FALSE(pPicture->ImportFromFile(folder.Path(c.pszFile))) << c.pszFile;
        // The same bytes in memory.
        CMemFile memory(const_cast<BYTE*>(c.bytes.data()), (UINT)c.bytes.size());
        EXPECT_FALSE(pPicture->ImportFromFile(memory, c.pszFile)) << c.pszFile << " in memory";
        EXPECT_EQ(1, pPicture->GetPictElems().GetSize()) << c.pszFile;
        EXPECT_STREQ("dog", pPicture->GetName()) << c.pszFile;
        EXPECT_EQ(CSize(32, 32), pPicture->GetExtent()) << c.pszFile;
    }
}
