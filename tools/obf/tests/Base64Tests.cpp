// Base64 and data: URIs: the RFC's vectors, text that is not base64, round trips.
#include "Base64.h"
#include "ObfError.h"

#include <gtest/gtest.h>

namespace {

std::vector<uint8_t> Bytes(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

TEST(Base64, DecodesTheStandardVectors)
{
    const char* vectors[][2] = {{"", ""},         {"Zg==", "f"},         {"Zm8=", "fo"},
                                {"Zm9v", "foo"},  {"Zm9vYg==", "foob"},  {"Zm9vYmE=", "fooba"},
                                {"Zm9vYmFy", "foobar"}};
    for (auto& v : vectors) {
        SCOPED_TRACE(v[0]);
        EXPECT_EQ(obf::DecodeBase64(v[0]), Bytes(v[1]));
        EXPECT_EQ(obf::EncodeBase64(Bytes(v[1])), v[0]);
    }
    // Without padding, and wrapped in lines.
    EXPECT_EQ(obf::DecodeBase64("Zm9vYg"), Bytes("foob"));
    EXPECT_EQ(obf::DecodeBase64("Zm9v\r\nYmFy\n"), Bytes("foobar"));
    EXPECT_EQ(obf::DecodeBase64("+/+/"), (std::vector<uint8_t>{0xfb, 0xff, 0xbf}));
}

TEST(Base64, RefusesWhatIsNotBase64)
{
    const char* texts[] = {"Zm9v!", "Zm9-", "Z", "Zm9vY", "=Zm9v", "Zg=", "Zg===", "Zg==Zg==", "Zm9v=",
                           "Zm\x80v"};
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        EXPECT_THROW(obf::DecodeBase64(text), obf::Error);
    }
}

TEST(Base64, EveryByteAndLengthRoundTrips)
{
    std::vector<uint8_t> bytes;
    for (int i = 0; i < 300; ++i) {
        EXPECT_EQ(obf::DecodeBase64(obf::EncodeBase64(bytes)), bytes) << bytes.size();
        bytes.push_back(static_cast<uint8_t>(i * 37));
    }
}

TEST(Base64, DataUris)
{
    obf::DataUri png = obf::ParseDataUri("data:image/png;base64,iVBORw0KGgo=");
    EXPECT_EQ(png.content_type, "image/png");
    EXPECT_EQ(png.bytes, (std::vector<uint8_t>{0x89, 'P', 'N', 'G', 13, 10, 26, 10}));

    obf::DataUri svg = obf::ParseDataUri("data:image/svg+xml;charset=utf-8,%3Csvg%2F%3e");
    EXPECT_EQ(svg.content_type, "image/svg+xml");
    EXPECT_EQ(svg.bytes, Bytes("<svg/>"));

    EXPECT_EQ(obf::ParseDataUri("data:,").content_type, "");
    EXPECT_EQ(obf::ParseDataUri("DATA:text/plain,x").bytes, Bytes("x"));
    EXPECT_EQ(obf::ParseDataUri(obf::MakeDataUri("audio/wav", Bytes("RIFF"))).bytes, Bytes("RIFF"));

    const char* bad[] = {"", "http://x/a.png", "data:image/png;base64", "data:image/png;base64,****",
                         "data:,%4", "data:,%zz", "dat:,x", "data;,x"};
    for (const char* uri : bad) {
        SCOPED_TRACE(uri);
        EXPECT_THROW(obf::ParseDataUri(uri), obf::Error);
    }
}

} // namespace
