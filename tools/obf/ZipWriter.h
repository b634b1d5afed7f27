// Writing a zip package in memory: each file deflated (or stored, when deflating would
// not make it smaller), a central directory, and the end record. Names are marked as
// UTF-8, the board format's encoding.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace obf {

class ZipWriter
{
public:
// Operations
    // Adds a file. The path goes through CheckPackagePath and may not repeat; a file
    // over 4 GB, or more than 65,535 files, would need ZIP64 and is refused. Throws
    // obf::Error.
    void Add(std::string_view path, std::span<const uint8_t> bytes);
    // The package's bytes: the files added so far, their directory and its end record.
    std::vector<uint8_t> Finish() const;

private:
    struct Written
    {
        std::string path;
        uint16_t method;
        uint32_t crc32, compressed_size, size, header_offset;
    };

    static void PutSharedFields(std::vector<uint8_t>& out, const Written& file);

    std::vector<uint8_t> m_data; // local headers and file data
    std::vector<Written> m_files;
};

} // namespace obf
