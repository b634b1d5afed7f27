// The zip writer: deflate through zlib, one pass, everything in memory.
#include "ZipWriter.h"

#include "ObfError.h"
#include "PackagePath.h"
#include "ZipFormat.h"

#include <zlib.h>

namespace obf {

using namespace zip;

namespace {

// 2 Jan 1980 00:00 in MS-DOS form: packages come out the same whenever they are made.
constexpr uint16_t kDosTime = 0;
constexpr uint16_t kDosDate = (0 << 9) | (1 << 5) | 2;
constexpr uint16_t kVersion = 20; // 2.0: deflate and folders

// Raw deflate of the bytes; empty when zlib fails, which leaves the file stored.
std::vector<uint8_t> Deflate(std::span<const uint8_t> bytes)
{
    z_stream stream{};
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return {};
    std::vector<uint8_t> out(deflateBound(&stream, static_cast<uLong>(bytes.size())));
    stream.next_in = const_cast<Bytef*>(bytes.data());
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    int result = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return result == Z_STREAM_END ? out : std::vector<uint8_t>{};
}

} // namespace

// The fields that local and central headers share, from "version needed" to the name's
// length.
void ZipWriter::PutSharedFields(std::vector<uint8_t>& out, const Written& file)
{
    Put16(out, kVersion);
    Put16(out, kUtf8Flag);
    Put16(out, file.method);
    Put16(out, kDosTime);
    Put16(out, kDosDate);
    Put32(out, file.crc32);
    Put32(out, file.compressed_size);
    Put32(out, file.size);
    Put16(out, static_cast<uint32_t>(file.path.size()));
}

void ZipWriter::Add(std::string_view path, std::span<const uint8_t> bytes)
{
    std::string canonical = CheckPackagePath(path);
    for (const Written& file : m_files)
        if (file.path == canonical)
            throw Error("the package would hold \"" + canonical + "\" twice");
    if (bytes.size() >= 0xffffffffu || m_data.size() >= 0xffffffffu)
        throw Error("the package would be larger than 4 GB, which needs ZIP64");
    if (m_files.size() >= 0xffff)
        throw Error("the package would hold more than 65,535 files, which needs ZIP64");

    Written file{canonical, kStored, 0, 0, static_cast<uint32_t>(bytes.size()),
                 static_cast<uint32_t>(m_data.size())};
    file.crc32 = static_cast<uint32_t>(
        crc32(crc32(0L, Z_NULL, 0), bytes.data(), static_cast<uInt>(bytes.size())));
    std::vector<uint8_t> deflated = Deflate(bytes);
    std::span<const uint8_t> data = bytes;
    if (!deflated.empty() && deflated.size() < bytes.size()) {
        file.method = kDeflated;
        data = deflated;
    }
    file.compressed_size = static_cast<uint32_t>(data.size());

    Put32(m_data, kLocalHeaderSignature);
    PutSharedFields(m_data, file);
    Put16(m_data, 0); // extra field
    m_data.insert(m_data.end(), canonical.begin(), canonical.end());
    m_data.insert(m_data.end(), data.begin(), data.end());
    m_files.push_back(std::move(file));
}

std::vector<uint8_t> ZipWriter::Finish() const
{
    std::vector<uint8_t> out = m_data;
    uint32_t directoryOffset = static_cast<uint32_t>(out.size());
    for (const Written& file : m_files) {
        Put32(out, kCentralHeaderSignature);
        Put16(out, kVersion); // made by
        PutSharedFields(out, file);
        Put16(out, 0); // extra field
        Put16(out, 0); // comment
        Put16(out, 0); // disk
        Put16(out, 0); // internal attributes
        Put32(out, 0); // external attributes
        Put32(out, file.header_offset);
        out.insert(out.end(), file.path.begin(), file.path.end());
    }
    uint32_t directorySize = static_cast<uint32_t>(out.size() - directoryOffset);
    Put32(out, kEndOfDirectorySignature);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, static_cast<uint32_t>(m_files.size()));
    Put16(out, static_cast<uint32_t>(m_files.size()));
    Put32(out, directorySize);
    Put32(out, directoryOffset);
    Put16(out, 0);
    return out;
}

} // namespace obf
