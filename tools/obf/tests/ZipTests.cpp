// The zip reader and writer: round trips, and packages made to break out of the
// package, exhaust memory or slip bad data past the reader.
#include "ObfError.h"
#include "RawZip.h"
#include "ZipReader.h"
#include "ZipWriter.h"

#include <gtest/gtest.h>

namespace {

using obf_test::BuildZip;
using obf_test::DeflatedEntry;
using obf_test::RawEntry;
using obf_test::StoredEntry;

std::vector<uint8_t> Text(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

// The message the reader refuses the package with, or "" when it opens and reads
// every file.
std::string Refusal(std::vector<uint8_t> package, const obf::ZipLimits& limits = {})
{
    try {
        obf::ZipReader zip(std::move(package), limits);
        for (const obf::ZipEntry& entry : zip.Entries())
            if (!entry.IsFolder())
                zip.Read(entry);
        return "";
    } catch (const obf::Error& e) {
        return e.what();
    }
}

TEST(Zip, WrittenPackageReadsBack)
{
    std::vector<uint8_t> repetitive(100000, 'a');
    std::vector<uint8_t> noise;
    for (int i = 0; i < 1000; ++i)
        noise.push_back(static_cast<uint8_t>(i * 7919 >> 3));
    obf::ZipWriter writer;
    writer.Add("manifest.json", Text("{}"));
    writer.Add("images/a.png", repetitive);
    writer.Add("./sounds//b.wav", noise);
    writer.Add("empty", {});
    obf::ZipReader reader(writer.Finish());

    ASSERT_EQ(reader.Entries().size(), 4u);
    EXPECT_EQ(reader.Read("manifest.json"), Text("{}"));
    EXPECT_EQ(reader.Read("images/a.png"), repetitive);
    EXPECT_EQ(reader.Find("images/a.png")->method, obf::zip::kDeflated);
    EXPECT_LT(reader.Find("images/a.png")->compressed_size, 1000u);
    EXPECT_EQ(reader.Read("sounds/b.wav"), noise) << "names are stored in their canonical form";
    EXPECT_EQ(reader.Read("empty"), std::vector<uint8_t>());
    EXPECT_EQ(reader.Find("images\\a.png"), reader.Find("images/a.png"));
    EXPECT_EQ(reader.Find("missing"), nullptr);
    EXPECT_THROW(reader.Read("missing"), obf::Error);
    EXPECT_THROW(reader.Find("../manifest.json"), obf::Error);
}

TEST(Zip, WriterRefusesRepeatedAndLeavingPaths)
{
    obf::ZipWriter writer;
    writer.Add("a/b", Text("1"));
    EXPECT_THROW(writer.Add("a//b", Text("2")), obf::Error);
    EXPECT_THROW(writer.Add("../c", Text("3")), obf::Error);
    EXPECT_THROW(writer.Add("C:/c", Text("3")), obf::Error);
    EXPECT_EQ(obf::ZipReader(writer.Finish()).Entries().size(), 1u);
}

TEST(Zip, ReadsFoldersAndOtherWritersPackages)
{
    RawEntry folder = StoredEntry("images/", "");
    RawEntry deflated = DeflatedEntry("images/x.png", Text("xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"));
    obf::ZipReader reader(BuildZip({folder, deflated}));
    ASSERT_EQ(reader.Entries().size(), 2u);
    EXPECT_TRUE(reader.Entries()[0].IsFolder());
    EXPECT_EQ(reader.Read("images/x.png"), Text("xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"));
    EXPECT_THROW(reader.Read("images"), obf::Error) << "a folder is no file";
}

TEST(Zip, RefusesPathsThatLeaveThePackage)
{
    const char* names[] = {"../evil.txt", "a/../../evil.txt", "/etc/passwd", "\\windows\\evil.dll",
                           "C:/evil.txt", "c:evil.txt", "a\\..\\..\\evil.txt", "..", "a/\x01"};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        std::string refusal = Refusal(BuildZip({StoredEntry("ok.txt", "ok"), StoredEntry(name, "evil")}));
        EXPECT_NE(refusal.find("the path"), std::string::npos) << refusal;
    }
}

TEST(Zip, RefusesBombsBeforeInflating)
{
    // 1 MB of zeros deflates to about a kilobyte; ten of them pass a 9 MB cap only by lying.
    std::vector<uint8_t> zeros(1 << 20, 0);
    std::vector<RawEntry> entries;
    for (int i = 0; i < 10; ++i)
        entries.push_back(DeflatedEntry("zeros" + std::to_string(i), zeros));
    obf::ZipLimits limits;
    limits.max_total_size = 9 << 20;
    EXPECT_NE(Refusal(BuildZip(entries), limits).find("more than 9 MB"), std::string::npos);
    limits.max_total_size = 10 << 20;
    EXPECT_EQ(Refusal(BuildZip(entries), limits), "");

    // The default cap: 256 MB declared by two entries.
    RawEntry big = StoredEntry("big", "");
    big.size = big.compressed_size = 0;
    big.method = obf::zip::kDeflated;
    big.size = 200u << 20;
    RawEntry big2 = big;
    big2.name = "big2";
    EXPECT_NE(Refusal(BuildZip({big, big2})).find("more than 256 MB"), std::string::npos);

    limits = {};
    limits.max_entries = 3;
    std::vector<RawEntry> many;
    for (int i = 0; i < 4; ++i)
        many.push_back(StoredEntry("f" + std::to_string(i), "x"));
    EXPECT_NE(Refusal(BuildZip(many), limits).find("4 entries, more than the 3 allowed"),
              std::string::npos);
    many.pop_back();
    EXPECT_EQ(Refusal(BuildZip(many), limits), "");
}

TEST(Zip, RefusesEntriesThatLie)
{
    std::vector<uint8_t> text = Text("the quick brown fox jumps over the lazy dog, twice: the quick brown fox");
    struct Case
    {
        const char* what;
        void (*spoil)(RawEntry&);
        const char* message;
    } cases[] = {
        {"declares fewer bytes than it unpacks to", [](RawEntry& e) { e.size -= 1; }, "unpacks to more"},
        {"declares more bytes than it unpacks to", [](RawEntry& e) { e.size += 1; }, "unpacks to fewer"},
        {"has a wrong CRC", [](RawEntry& e) { e.crc32 ^= 1; }, "CRC-32"},
        {"has damaged data", [](RawEntry& e) { e.data[0] ^= 0xff; e.data[1] ^= 0xff; }, ""},
        {"is cut short", [](RawEntry& e) { e.data.resize(e.data.size() / 2); e.compressed_size = static_cast<uint32_t>(e.data.size()); }, "cut-short"},
        {"uses an unknown method", [](RawEntry& e) { e.method = 14; }, "compression method 14"},
        {"is encrypted", [](RawEntry& e) { e.flags |= obf::zip::kEncryptedFlag; }, "encrypted"},
        {"claims data beyond the file", [](RawEntry& e) { e.compressed_size += 5000; }, "outside"},
        {"needs ZIP64", [](RawEntry& e) { e.size = 0xffffffff; }, "ZIP64"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RawEntry entry = DeflatedEntry("fox.txt", text);
        c.spoil(entry);
        std::string refusal = Refusal(BuildZip({entry}));
        EXPECT_NE(refusal, "");
        EXPECT_NE(refusal.find(c.message), std::string::npos) << refusal;
    }

    RawEntry stored = StoredEntry("fox.txt", "fox");
    stored.size = 2;
    EXPECT_NE(Refusal(BuildZip({stored})).find("two sizes differ"), std::string::npos);
    stored = StoredEntry("fox.txt", "fox");
    stored.crc32 ^= 0x80000000;
    EXPECT_NE(Refusal(BuildZip({stored})).find("CRC-32"), std::string::npos);
}

TEST(Zip, RefusesOverlappingAndRepeatedEntries)
{
    // Two directory entries for one local header: one set of bytes unpacked twice.
    RawEntry first = DeflatedEntry("a", std::vector<uint8_t>(1000, 1));
    RawEntry second = first;
    second.name = "b";
    second.header_offset = 0;
    EXPECT_NE(Refusal(BuildZip({first, second})).find("overlaps"), std::string::npos);

    // The second entry's header inside the first's data.
    second.header_offset = 40;
    EXPECT_NE(Refusal(BuildZip({first, second})), "");

    EXPECT_NE(Refusal(BuildZip({StoredEntry("a/b", "1"), StoredEntry("a\\b", "2")})).find("twice"),
              std::string::npos);
}

TEST(Zip, RefusesDamagedAndTruncatedPackages)
{
    std::vector<uint8_t> good = BuildZip({StoredEntry("a.txt", "alpha"), StoredEntry("b.txt", "beta")});
    ASSERT_EQ(Refusal(good), "");
    EXPECT_NE(Refusal({}).find("no zip"), std::string::npos);
    EXPECT_NE(Refusal(Text("PK\x03\x04 not really a zip file at all")).find("no zip"), std::string::npos);
    // Every truncation is refused with a message, never read past the end.
    for (size_t size = 0; size < good.size(); ++size) {
        SCOPED_TRACE(size);
        EXPECT_NE(Refusal(std::vector<uint8_t>(good.begin(), good.begin() + size)), "");
    }
    // A directory that promises more entries than it holds.
    EXPECT_NE(Refusal(BuildZip({StoredEntry("a.txt", "alpha")}, 2)).find("cut short"), std::string::npos);
    // A local header that is not one.
    std::vector<uint8_t> spoilt = good;
    spoilt[0] = 'X';
    EXPECT_NE(Refusal(spoilt).find("damaged local header"), std::string::npos);
}

TEST(Zip, RefusesZip64)
{
    std::vector<uint8_t> package = BuildZip({StoredEntry("a.txt", "alpha")});
    // A ZIP64 locator just before the end record.
    std::vector<uint8_t> locator(20, 0);
    locator[0] = 0x50, locator[1] = 0x4b, locator[2] = 0x06, locator[3] = 0x07;
    package.insert(package.end() - obf::zip::kEndOfDirectorySize, locator.begin(), locator.end());
    EXPECT_NE(Refusal(package).find("ZIP64"), std::string::npos);
}

} // namespace
