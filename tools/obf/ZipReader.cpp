// The zip reader: the central directory checked whole on opening, entries inflated on
// demand.
#include "ZipReader.h"

#include "ObfError.h"
#include "PackagePath.h"
#include "ZipFormat.h"

#include <algorithm>
#include <zlib.h>

namespace obf {

using namespace zip;

namespace {

// The end of central directory record: the last signature from which the record and
// its comment reach exactly to the end of the package.
size_t FindEndOfDirectory(const std::vector<uint8_t>& package)
{
    if (package.size() < kEndOfDirectorySize)
        throw Error("the package is no zip file (too short)");
    size_t lowest = package.size() > kEndOfDirectorySize + 0xffff
                        ? package.size() - kEndOfDirectorySize - 0xffff
                        : 0;
    for (size_t pos = package.size() - kEndOfDirectorySize + 1; pos-- > lowest;) {
        const uint8_t* p = package.data() + pos;
        if (Get32(p) == kEndOfDirectorySignature &&
            pos + kEndOfDirectorySize + Get16(p + 20) == package.size())
            return pos;
    }
    throw Error("the package is no zip file (no end of central directory)");
}

std::string EntryName(const ZipEntry& entry)
{
    return "the entry \"" + entry.path + "\"";
}

} // namespace

ZipReader::ZipReader(std::vector<uint8_t> package, const ZipLimits& limits)
    : m_package(std::move(package))
{
    ReadDirectory(limits);
    IndexAndCheckPlacement();
}

void ZipReader::ReadDirectory(const ZipLimits& limits)
{
    size_t end = FindEndOfDirectory(m_package);
    const uint8_t* record = m_package.data() + end;
    if (end >= 20 && Get32(record - 20) == kZip64LocatorSignature)
        throw Error("the package is a ZIP64 file, which is not supported");
    uint16_t disk = Get16(record + 4), directoryDisk = Get16(record + 6);
    uint16_t entriesHere = Get16(record + 8), entryCount = Get16(record + 10);
    uint32_t directorySize = Get32(record + 12), directoryOffset = Get32(record + 16);
    if (entryCount == 0xffff || directorySize == 0xffffffff || directoryOffset == 0xffffffff)
        throw Error("the package is a ZIP64 file, which is not supported");
    if (disk != 0 || directoryDisk != 0 || entriesHere != entryCount)
        throw Error("the package spans several disks, which is not supported");
    if (entryCount > limits.max_entries)
        throw Error("the package has " + std::to_string(entryCount) + " entries, more than the " +
                    std::to_string(limits.max_entries) + " allowed");
    if (uint64_t(directoryOffset) + directorySize > end)
        throw Error("the package's central directory lies outside the file");
    m_directoryOffset = directoryOffset;

    uint64_t totalSize = 0;
    size_t pos = directoryOffset, directoryEnd = size_t(directoryOffset) + directorySize;
    m_entries.reserve(entryCount);
    for (uint16_t i = 0; i < entryCount; ++i) {
        if (pos + kCentralHeaderSize > directoryEnd)
            throw Error("the package's central directory is cut short");
        const uint8_t* header = m_package.data() + pos;
        if (Get32(header) != kCentralHeaderSignature)
            throw Error("the package's central directory is damaged");
        ZipEntry entry;
        uint16_t flags = Get16(header + 8);
        entry.method = Get16(header + 10);
        entry.crc32 = Get32(header + 16);
        entry.compressed_size = Get32(header + 20);
        entry.size = Get32(header + 24);
        size_t nameLength = Get16(header + 28);
        size_t extraLength = Get16(header + 30), commentLength = Get16(header + 32);
        uint16_t entryDisk = Get16(header + 34);
        uint32_t headerOffset = Get32(header + 42);
        size_t next = pos + kCentralHeaderSize + nameLength + extraLength + commentLength;
        if (next > directoryEnd)
            throw Error("the package's central directory is cut short");
        std::string_view rawName(reinterpret_cast<const char*>(header + kCentralHeaderSize),
                                 nameLength);
        entry.path = CheckPackagePath(rawName);
        if (rawName.back() == '/' || rawName.back() == '\\')
            entry.path += '/';
        if (entry.compressed_size == 0xffffffff || entry.size == 0xffffffff ||
            headerOffset == 0xffffffff)
            throw Error(EntryName(entry) + " needs ZIP64, which is not supported");
        if (entryDisk != 0)
            throw Error("the package spans several disks, which is not supported");
        if (flags & kEncryptedFlag)
            throw Error(EntryName(entry) + " is encrypted, which is not supported");
        totalSize += entry.size;
        if (totalSize > limits.max_total_size)
            throw Error("the package unpacks to more than " +
                        std::to_string(limits.max_total_size >> 20) + " MB, the most allowed");
        entry.header_offset = headerOffset;
        m_entries.push_back(std::move(entry));
        pos = next;
    }

    // Each local header must agree with the directory on where the data starts.
    for (ZipEntry& entry : m_entries) {
        if (entry.header_offset + kLocalHeaderSize > m_directoryOffset)
            throw Error(EntryName(entry) + " lies outside the package's data");
        const uint8_t* local = m_package.data() + entry.header_offset;
        if (Get32(local) != kLocalHeaderSignature)
            throw Error(EntryName(entry) + " has a damaged local header");
        entry.data_offset = entry.header_offset + kLocalHeaderSize + Get16(local + 26) + Get16(local + 28);
        if (entry.data_offset + entry.compressed_size > m_directoryOffset)
            throw Error(EntryName(entry) + " lies outside the package's data");
    }
}

// Indexes the entries by path and refuses repeated names and entries whose bytes
// overlap: either lets one set of compressed bytes unpack many times.
void ZipReader::IndexAndCheckPlacement()
{
    std::vector<const ZipEntry*> byOffset;
    for (const ZipEntry& entry : m_entries)
        m_byPath.push_back(&entry), byOffset.push_back(&entry);
    std::sort(m_byPath.begin(), m_byPath.end(),
              [](const ZipEntry* a, const ZipEntry* b) { return a->path < b->path; });
    for (size_t i = 1; i < m_byPath.size(); ++i)
        if (m_byPath[i - 1]->path == m_byPath[i]->path)
            throw Error("the package holds \"" + m_byPath[i]->path + "\" twice");
    std::sort(byOffset.begin(), byOffset.end(), [](const ZipEntry* a, const ZipEntry* b) {
        return a->header_offset < b->header_offset;
    });
    for (size_t i = 1; i < byOffset.size(); ++i) {
        const ZipEntry& before = *byOffset[i - 1];
        if (before.data_offset + before.compressed_size > byOffset[i]->header_offset)
            throw Error(EntryName(before) + " overlaps " + EntryName(*byOffset[i]));
    }
}

const ZipEntry* ZipReader::Find(std::string_view path) const
{
    std::string canonical = CheckPackagePath(path);
    auto found = std::lower_bound(m_byPath.begin(), m_byPath.end(), canonical,
                                  [](const ZipEntry* entry, const std::string& p) { return entry->path < p; });
    return found != m_byPath.end() && (*found)->path == canonical ? *found : nullptr;
}

std::vector<uint8_t> ZipReader::Read(std::string_view path) const
{
    const ZipEntry* entry = Find(path);
    if (!entry || entry->IsFolder())
        throw Error("the package has no file \"" + std::string(path) + "\"");
    return Read(*entry);
}

std::vector<uint8_t> ZipReader::Read(const ZipEntry& entry) const
{
    const uint8_t* data = m_package.data() + entry.data_offset;
    std::vector<uint8_t> bytes;
    if (entry.method == kStored) {
        if (entry.compressed_size != entry.size)
            throw Error(EntryName(entry) + " is stored but its two sizes differ");
        bytes.assign(data, data + entry.size);
    } else if (entry.method == kDeflated) {
        // One byte more than declared: an entry that gives it lies about its size.
        bytes.resize(size_t(entry.size) + 1);
        z_stream stream{};
        if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
            throw Error("zlib could not start inflating " + EntryName(entry));
        stream.next_in = const_cast<Bytef*>(data);
        stream.avail_in = entry.compressed_size;
        stream.next_out = bytes.data();
        stream.avail_out = static_cast<uInt>(bytes.size());
        int result = inflate(&stream, Z_FINISH);
        uLong produced = stream.total_out;
        inflateEnd(&stream);
        if (produced > entry.size)
            throw Error(EntryName(entry) + " unpacks to more than the " +
                        std::to_string(entry.size) + " bytes it declares");
        if (result != Z_STREAM_END)
            throw Error(EntryName(entry) + " has damaged or cut-short compressed data");
        if (produced < entry.size)
            throw Error(EntryName(entry) + " unpacks to fewer than the " +
                        std::to_string(entry.size) + " bytes it declares");
        bytes.resize(entry.size);
    } else {
        throw Error(EntryName(entry) + " uses compression method " + std::to_string(entry.method) +
                    "; only stored and deflated entries are supported");
    }
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, bytes.data(), static_cast<uInt>(bytes.size()));
    if (crc != entry.crc32)
        throw Error(EntryName(entry) + " fails its CRC-32 check");
    return bytes;
}

} // namespace obf
