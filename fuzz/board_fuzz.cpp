// The board reader on arbitrary bytes. An even first byte makes the rest board text,
// an odd one a package. Every refusal must be an obf::Error. A board that reads must
// write as text that reads back to the same board; a package's boards and files are
// all read, each image's preferred data: URI decoded.
#include "tools/obf/Base64.h"
#include "tools/obf/Board.h"
#include "tools/obf/ImageSource.h"
#include "tools/obf/ObfError.h"
#include "tools/obf/Package.h"

#include <stdlib.h>

namespace {

// What a reader does with a board: its images' data, and a round trip through the
// writer, which must give the same text again.
void UseBoard(const obf::Board& board)
{
    for (const obf::Image& image : board.images) {
        auto sources = obf::PreferredImageSources(image);
        if (!sources.empty() && sources.front() == obf::ImageSource::Data) {
            try {
                obf::ParseDataUri(image.data);
            } catch (const obf::Error&) {
            }
        }
    }
    std::string text = obf::WriteBoard(board);
    if (obf::WriteBoard(obf::ParseBoard(text)) != text)
        abort();
}

void ReadPackage(std::vector<uint8_t> bytes)
{
    // A small cap on the unpacked size keeps each run short; the checks are the same.
    obf::ZipLimits limits;
    limits.max_total_size = 4 << 20;
    obf::PackageReader package(std::move(bytes), limits);
    for (const obf::ZipEntry& entry : package.Zip().Entries())
        if (!entry.IsFolder()) {
            try {
                if (package.Zip().Read(entry).size() != entry.size)
                    abort();
            } catch (const obf::Error&) {
            }
        }
    for (const auto& [id, path] : package.GetManifest().boards) {
        try {
            UseBoard(package.ReadBoard(path));
        } catch (const obf::Error&) {
        }
    }
    UseBoard(package.ReadRoot());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize == 0)
        return 0;
    try {
        if (pData[0] % 2 == 0)
            UseBoard(obf::ParseBoard(std::string_view(reinterpret_cast<const char*>(pData + 1), nSize - 1)));
        else
            ReadPackage(std::vector<uint8_t>(pData + 1, pData + nSize));
    } catch (const obf::Error&) {
    }
    return 0;
}
