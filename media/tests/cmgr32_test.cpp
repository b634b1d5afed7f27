// CMGR32.DLL's component registry and its WIC decompressors, called as QTIM32 calls them.
#include "media/tests/media_test_util.h"

#include <objbase.h>

namespace
{

LONG_PTR Decompress(const CMediaModule& cmgr, LONG_PTR component, const std::vector<uint8_t>& data, int width,
                    int height, std::vector<uint32_t>& pixels)
{
    pixels.assign(width > 0 && height > 0 ? static_cast<size_t>(width) * height : 1, 0);
    CMGRDECOMPRESS job{};
    job.cbSize = sizeof(job);
    job.pData = data.data();
    job.cbData = static_cast<DWORD>(data.size());
    job.nWidth = width;
    job.nHeight = height;
    job.pBits = pixels.data();
    return cmgr.Call(CMGR_DECOMPRESSIMAGE, component, reinterpret_cast<LONG_PTR>(&job));
}

const DWORD kJpeg = CMGR_FOURCC('j', 'p', 'e', 'g');

} // namespace

TEST(ComponentManager, FindsDecompressorsByCodecType)
{
    CCmgr cmgr;
    const LONG_PTR jpeg = cmgr.Call(CMGR_FINDDECOMPRESSOR, kJpeg);
    const LONG_PTR png = cmgr.Call(CMGR_FINDDECOMPRESSOR, CMGR_FOURCC('p', 'n', 'g', ' '));
    EXPECT_NE(0, jpeg);
    EXPECT_NE(0, png);
    EXPECT_NE(jpeg, png);
    EXPECT_EQ(0, cmgr.Call(CMGR_FINDDECOMPRESSOR, CMGR_FOURCC('r', 'p', 'z', 'a')));
    EXPECT_EQ(0, cmgr.Call(CMGR_FINDDECOMPRESSOR, CMGR_FOURCC('g', 'e', 'p', 'j'))) << "byte order";
}

TEST(ComponentManager, RoutinesNeedAUser)
{
    CMediaModule cmgr("CMGR32.DLL");
    const auto pInitialize =
        reinterpret_cast<CMGRINITIALIZEPROC>(reinterpret_cast<void (*)()>(cmgr.Export("_CMgrInitialize")));
    const auto pTerminate =
        reinterpret_cast<CMGRTERMINATEPROC>(reinterpret_cast<void (*)()>(cmgr.Export("_CMgrTerminate")));
    std::vector<uint32_t> pixels;
    EXPECT_EQ(0, cmgr.Call(CMGR_FINDDECOMPRESSOR, kJpeg));
    EXPECT_EQ(CMGR_ERR_NOTINITIALIZED, Decompress(cmgr, 1, MakeJpeg(8, 8, 0, 0), 8, 8, pixels));
    pTerminate(); // without a user: ignored, not counted below zero

    EXPECT_EQ(0, pInitialize());
    EXPECT_EQ(0, pInitialize());
    pTerminate();
    EXPECT_NE(0, cmgr.Call(CMGR_FINDDECOMPRESSOR, kJpeg));
    pTerminate();
    EXPECT_EQ(0, cmgr.Call(CMGR_FINDDECOMPRESSOR, kJpeg));
}

TEST(ComponentManager, DecompressesJpegIntoTopDownPixels)
{
    CCmgr cmgr;
    const std::vector<uint8_t> jpeg = MakeJpeg(32, 16, 0xFF0000, 0x0000FF);
    ASSERT_FALSE(jpeg.empty());
    const LONG_PTR component = cmgr.Call(CMGR_FINDDECOMPRESSOR, kJpeg);
    std::vector<uint32_t> pixels;
    ASSERT_EQ(0, Decompress(cmgr, component, jpeg, 32, 16, pixels));
    EXPECT_TRUE(NearColor(pixels[8 * 32 + 4] & 0xFFFFFF, 0xFF0000, 24)) << std::hex << pixels[8 * 32 + 4];
    EXPECT_TRUE(NearColor(pixels[8 * 32 + 28] & 0xFFFFFF, 0x0000FF, 24)) << std::hex << pixels[8 * 32 + 28];
    EXPECT_EQ(0xFF000000u, pixels[0] & 0xFF000000u) << "opaque";

    // Asked for another size, the image is scaled to it.
    ASSERT_EQ(0, Decompress(cmgr, component, jpeg, 64, 8, pixels));
    EXPECT_TRUE(NearColor(pixels[4 * 64 + 8] & 0xFFFFFF, 0xFF0000, 24));
    EXPECT_TRUE(NearColor(pixels[4 * 64 + 56] & 0xFFFFFF, 0x0000FF, 24));
}

TEST(ComponentManager, RefusesBadJobs)
{
    CCmgr cmgr;
    const LONG_PTR jpeg = cmgr.Call(CMGR_FINDDECOMPRESSOR, kJpeg);
    const LONG_PTR png = cmgr.Call(CMGR_FINDDECOMPRESSOR, CMGR_FOURCC('p', 'n', 'g', ' '));
    std::vector<uint8_t> data = MakeJpeg(16, 16, 0x00FF00, 0x00FF00);
    std::vector<uint32_t> pixels;
    EXPECT_EQ(CMGR_ERR_DECODE, Decompress(cmgr, png, data, 16, 16, pixels)) << "JPEG data to the PNG decompressor";
    EXPECT_EQ(CMGR_ERR_BADARGUMENT, Decompress(cmgr, 0, data, 16, 16, pixels));
    EXPECT_EQ(CMGR_ERR_BADARGUMENT, Decompress(cmgr, 99, data, 16, 16, pixels));
    EXPECT_EQ(CMGR_ERR_BADARGUMENT, Decompress(cmgr, jpeg, data, 0, 16, pixels));
    EXPECT_EQ(CMGR_ERR_BADARGUMENT, Decompress(cmgr, jpeg, data, 16, -1, pixels));
    EXPECT_EQ(CMGR_ERR_BADARGUMENT, Decompress(cmgr, jpeg, {}, 16, 16, pixels));
    EXPECT_EQ(CMGR_ERR_BADARGUMENT, cmgr.Call(CMGR_DECOMPRESSIMAGE, jpeg, 0));
    data.resize(data.size() / 3);
    EXPECT_NE(0, Decompress(cmgr, jpeg, data, 16, 16, pixels)) << "truncated";
    EXPECT_EQ(CMGR_ERR_DECODE, Decompress(cmgr, jpeg, std::vector<uint8_t>(500, 0x33), 16, 16, pixels));
}

// COM is the caller's business: a thread without it is left without it, and a thread in
// a single-threaded apartment keeps its apartment and still gets its pixels.
TEST(ComponentManager, LeavesTheCallersApartmentAlone)
{
    CCmgr cmgr;
    const LONG_PTR jpeg = cmgr.Call(CMGR_FINDDECOMPRESSOR, kJpeg);
    const std::vector<uint8_t> data = MakeJpeg(8, 8, 0x00FF00, 0x00FF00);
    std::vector<uint32_t> pixels;

    ASSERT_EQ(0, Decompress(cmgr, jpeg, data, 8, 8, pixels));
    const HRESULT hrAfter = ::CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    EXPECT_EQ(S_OK, hrAfter) << "the library's own initialisation was balanced";

    EXPECT_EQ(0, Decompress(cmgr, jpeg, data, 8, 8, pixels)) << "inside a single-threaded apartment";
    EXPECT_TRUE(NearColor(pixels[0] & 0xFFFFFF, 0x00FF00, 24));
    EXPECT_EQ(S_FALSE, ::CoInitializeEx(NULL, COINIT_APARTMENTTHREADED)) << "still that apartment";
    ::CoUninitialize();
    if (SUCCEEDED(hrAfter))
        ::CoUninitialize();
}
