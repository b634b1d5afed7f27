// Zip packages byte by byte for the tests of the reader: every field of every record
// can be set to what a hostile package would hold, which the package writer refuses
// to make.
#pragma once

#include "ZipFormat.h"

#include <cstdint>
#include <string>
#include <vector>
#include <zlib.h>

namespace obf_test {

struct RawEntry
{
    std::string name;
    std::vector<uint8_t> data; // as stored in the package (already deflated for method 8)
    uint16_t method = obf::zip::kStored;
    uint32_t crc32 = 0;
    uint32_t compressed_size = 0;
    uint32_t size = 0;
    uint16_t flags = 0;
    int64_t header_offset = -1; // the local header's real offset unless set
};

// A stored entry with correct sizes and CRC.
inline RawEntry StoredEntry(const std::string& name, const std::string& text)
{
    RawEntry entry{name, std::vector<uint8_t>(text.begin(), text.end())};
    entry.crc32 = static_cast<uint32_t>(
        crc32(crc32(0, Z_NULL, 0), entry.data.data(), static_cast<uInt>(entry.data.size())));
    entry.compressed_size = entry.size = static_cast<uint32_t>(entry.data.size());
    return entry;
}

// A deflated entry with correct sizes and CRC.
inline RawEntry DeflatedEntry(const std::string& name, const std::vector<uint8_t>& bytes)
{
    RawEntry entry{name, {}, obf::zip::kDeflated};
    z_stream stream{};
    deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    entry.data.resize(deflateBound(&stream, static_cast<uLong>(bytes.size())));
    stream.next_in = const_cast<Bytef*>(bytes.data());
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = entry.data.data();
    stream.avail_out = static_cast<uInt>(entry.data.size());
    deflate(&stream, Z_FINISH);
    entry.data.resize(stream.total_out);
    deflateEnd(&stream);
    entry.crc32 = static_cast<uint32_t>(
        crc32(crc32(0, Z_NULL, 0), bytes.data(), static_cast<uInt>(bytes.size())));
    entry.compressed_size = static_cast<uint32_t>(entry.data.size());
    entry.size = static_cast<uint32_t>(bytes.size());
    return entry;
}

// Local headers and data, then the central directory and its end record. entryCount
// overrides the count the end record gives.
inline std::vector<uint8_t> BuildZip(const std::vector<RawEntry>& entries, int entryCount = -1)
{
    using namespace obf::zip;
    std::vector<uint8_t> out;
    std::vector<uint32_t> offsets;
    // The fields both headers hold, from "version needed" to the name's length.
    auto putSharedFields = [&out](const RawEntry& entry) {
        Put16(out, 20);
        Put16(out, entry.flags);
        Put16(out, entry.method);
        Put32(out, 0); // time and date
        Put32(out, entry.crc32);
        Put32(out, entry.compressed_size);
        Put32(out, entry.size);
        Put16(out, static_cast<uint32_t>(entry.name.size()));
    };
    for (const RawEntry& entry : entries) {
        offsets.push_back(static_cast<uint32_t>(out.size()));
        Put32(out, kLocalHeaderSignature);
        putSharedFields(entry);
        Put16(out, 0);
        out.insert(out.end(), entry.name.begin(), entry.name.end());
        out.insert(out.end(), entry.data.begin(), entry.data.end());
    }
    uint32_t directory = static_cast<uint32_t>(out.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        const RawEntry& entry = entries[i];
        Put32(out, kCentralHeaderSignature);
        Put16(out, 20);
        putSharedFields(entry);
        Put32(out, 0);
        Put32(out, 0);
        Put32(out, 0);
        Put32(out, entry.header_offset >= 0 ? static_cast<uint32_t>(entry.header_offset) : offsets[i]);
        out.insert(out.end(), entry.name.begin(), entry.name.end());
    }
    uint32_t count = entryCount >= 0 ? static_cast<uint32_t>(entryCount) : static_cast<uint32_t>(entries.size());
    Put32(out, kEndOfDirectorySignature);
    Put32(out, 0);
    Put16(out, count);
    Put16(out, count);
    Put32(out, static_cast<uint32_t>(out.size() - 12 - directory));
    Put32(out, directory);
    Put16(out, 0);
    return out;
}

} // namespace obf_test
