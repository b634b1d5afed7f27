// Reading a zip package (.obz) from bytes in memory: its central directory, and its
// entries stored or deflated, each checked against its CRC-32.
//
// The reader is built for packages from the internet. Opening checks the whole
// directory before any entry is inflated: entry names go through CheckPackagePath and
// may not repeat, the entry count and the sum of the sizes the directory declares are
// capped, every entry's local header and data must lie inside the file, before the
// directory and apart from every other entry's. Reading inflates at most one byte more
// than the declared size and refuses an entry whose data gives more, fewer, or other
// bytes (by its CRC-32).
// ZIP64, encrypted and multi-disk packages are refused.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace obf {

struct ZipLimits
{
    uint64_t max_total_size = 256ull << 20; // sum of all entries' uncompressed sizes
    size_t max_entries = 10000;
};

struct ZipEntry
{
    std::string path;          // canonical (CheckPackagePath); folders end in '/'
    uint16_t method = 0;       // 0 stored, 8 deflated; others are refused by Read
    uint32_t crc32 = 0;
    uint32_t compressed_size = 0;
    uint32_t size = 0;         // uncompressed
    uint64_t data_offset = 0;  // where the entry's data starts in the package
    uint64_t header_offset = 0; // where its local header starts

    bool IsFolder() const { return !path.empty() && path.back() == '/'; }
};

class ZipReader
{
public:
    // Takes the package's bytes and checks its directory; throws obf::Error.
    explicit ZipReader(std::vector<uint8_t> package, const ZipLimits& limits = {});

    ZipReader(const ZipReader&) = delete;
    ZipReader& operator=(const ZipReader&) = delete;

// Attributes
    const std::vector<ZipEntry>& Entries() const { return m_entries; }
    // The entry of a path (any form CheckPackagePath accepts), or null.
    const ZipEntry* Find(std::string_view path) const;

// Operations
    // The entry's bytes, inflated and checked; throws obf::Error.
    std::vector<uint8_t> Read(const ZipEntry& entry) const;
    // The bytes of the file at path; throws obf::Error naming the path when it is absent.
    std::vector<uint8_t> Read(std::string_view path) const;

private:
    void ReadDirectory(const ZipLimits& limits);
    void IndexAndCheckPlacement();

    std::vector<uint8_t> m_package;
    std::vector<ZipEntry> m_entries;          // in the directory's order
    std::vector<const ZipEntry*> m_byPath;    // the same, sorted by path
    uint64_t m_directoryOffset = 0;
};

} // namespace obf
