// The MP3 frame scan on arbitrary bytes. A run that it finds must lie within the bytes,
// start with a frame of the header it reports and be made of whole frames, each of the
// same stream, one after the other.
#include "tools/common/Mp3Frames.h"

#include <stdlib.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::span<const uint8_t> bytes(data, size);
    std::optional<Mp3Stream> stream = FindMp3Frames(bytes);
    if (!stream)
        return 0;
    if (stream->frames == 0 || stream->offset > size || stream->size > size - stream->offset)
        abort();
    size_t offset = stream->offset;
    uint64_t bitRateSum = 0;
    for (size_t i = 0; i < stream->frames; ++i)
    {
        std::optional<Mp3Header> header = ReadMp3Header(bytes.subspan(offset));
        if (!header || header->sampleRate != stream->first.sampleRate || header->channels != stream->first.channels ||
            header->layer != stream->first.layer || header->version != stream->first.version ||
            header->frameLength < 4)
            abort();
        bitRateSum += static_cast<uint64_t>(header->bitRate);
        offset += header->frameLength;
    }
    if (offset != stream->offset + stream->size || bitRateSum != stream->bitRateSum)
        abort();
    return 0;
}
