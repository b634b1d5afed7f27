// MP3 through the audio codec manager: the frames found by their headers, the stream
// opened from MPEG layer III to PCM, and the samples written as a WAVE file in memory.
#include "Mp3Decode.h"
#include "Mp3Frames.h"
#include "WaveFile.h"

#include <mmreg.h>
#include <msacm.h>

namespace {

// Closes the conversion stream on every way out.
class CAcmStream
{
public:
    CAcmStream() = default;
    ~CAcmStream()
    {
        if (m_hStream != NULL)
            acmStreamClose(m_hStream, 0);
    }
    CAcmStream(const CAcmStream&) = delete;
    CAcmStream& operator=(const CAcmStream&) = delete;

    HACMSTREAM m_hStream = NULL;
};

// The ACM format of the stream: the decoder takes each frame as a block of its own.
MPEGLAYER3WAVEFORMAT SourceFormat(const Mp3Stream& stream)
{
    MPEGLAYER3WAVEFORMAT format = {};
    format.wfx.wFormatTag = WAVE_FORMAT_MPEGLAYER3;
    format.wfx.nChannels = (WORD)stream.first.channels;
    format.wfx.nSamplesPerSec = (DWORD)stream.first.sampleRate;
    format.wfx.nAvgBytesPerSec = (DWORD)(stream.bitRateSum / stream.frames / 8);
    format.wfx.nBlockAlign = 1;
    format.wfx.cbSize = MPEGLAYER3_WFX_EXTRA_BYTES;
    format.wID = MPEGLAYER3_ID_MPEG;
    format.fdwFlags = MPEGLAYER3_FLAG_PADDING_ISO;
    format.nBlockSize = (WORD)(stream.first.frameLength - (stream.first.padding ? 1 : 0));
    format.nFramesPerBlock = 1;
    return format;
}

// Converts the frames into pcm, which has room for all their samples; the bytes
// converted, or -1 when the decoder fails.
INT_PTR Convert(HACMSTREAM hStream, std::span<const uint8_t> frames, std::vector<BYTE>& pcm)
{
    size_t nSource = 0, nDecoded = 0;
    DWORD dwFlags = ACM_STREAMCONVERTF_START | ACM_STREAMCONVERTF_END;
    // The decoder may stop short of the end of its input or output; each call must
    // move on, or it has nothing more to give.
    while (nSource < frames.size() && nDecoded < pcm.size())
    {
        ACMSTREAMHEADER header = {};
        header.cbStruct = sizeof header;
        header.pbSrc = const_cast<BYTE*>(frames.data() + nSource);
        header.cbSrcLength = (DWORD)(frames.size() - nSource);
        header.pbDst = pcm.data() + nDecoded;
        header.cbDstLength = (DWORD)(pcm.size() - nDecoded);
        if (acmStreamPrepareHeader(hStream, &header, 0) != MMSYSERR_NOERROR)
            return -1;
        MMRESULT result = acmStreamConvert(hStream, &header, dwFlags);
        acmStreamUnprepareHeader(hStream, &header, 0);
        if (result != MMSYSERR_NOERROR)
            return -1;
        if (header.cbSrcLengthUsed == 0 && header.cbDstLengthUsed == 0)
            break;
        nSource += header.cbSrcLengthUsed;
        nDecoded += header.cbDstLengthUsed;
        dwFlags = ACM_STREAMCONVERTF_END;
    }
    return (INT_PTR)nDecoded;
}

} // namespace

bool IsMpegAudio(std::span<const uint8_t> bytes)
{
    return FindMp3Frames(bytes).has_value();
}

std::vector<uint8_t> DecodeMp3ToWave(std::span<const uint8_t> bytes, CString& strWhy)
{
    std::optional<Mp3Stream> stream = FindMp3Frames(bytes);
    if (!stream)
    {
        strWhy = "no MPEG audio frames";
        return {};
    }
    if (stream->first.layer != 3)
    {
        strWhy.Format("MPEG audio layer %d", stream->first.layer);
        return {};
    }
    const uint64_t nSamples = (uint64_t)stream->frames * stream->first.samplesPerFrame * stream->first.channels;
    if (nSamples * 2 > kMaxDecodedMp3Bytes)
    {
        strWhy.Format("MP3 longer than %u MB decoded", (UINT)(kMaxDecodedMp3Bytes >> 20));
        return {};
    }

    MPEGLAYER3WAVEFORMAT source = SourceFormat(*stream);
    WAVEFORMATEX target = {};
    target.wFormatTag = WAVE_FORMAT_PCM;
    target.wBitsPerSample = 16;
    CAcmStream acm;
    if (acmFormatSuggest(NULL, &source.wfx, &target, sizeof target,
                         ACM_FORMATSUGGESTF_WFORMATTAG | ACM_FORMATSUGGESTF_WBITSPERSAMPLE) != MMSYSERR_NOERROR ||
        acmStreamOpen(&acm.m_hStream, NULL, &source.wfx, &target, NULL, 0, 0, ACM_STREAMOPENF_NONREALTIME) !=
            MMSYSERR_NOERROR)
    {
        strWhy = "no MP3 decoder in the system";
        return {};
    }
    // Room for every frame's samples and one frame more, for what a decoder may hold
    // back from one call to the next.
    std::vector<BYTE> pcm((size_t)(nSamples + (uint64_t)stream->first.samplesPerFrame * stream->first.channels) * 2);
    INT_PTR nDecoded = Convert(acm.m_hStream, bytes.subspan(stream->offset, stream->size), pcm);
    if (nDecoded <= 0)
    {
        strWhy = nDecoded < 0 ? "the MP3 decoder failed" : "the MP3 decoder gave no samples";
        return {};
    }

    PCMWAVEFORMAT format = {};
    format.wf.wFormatTag = WAVE_FORMAT_PCM;
    format.wf.nChannels = target.nChannels;
    format.wf.nSamplesPerSec = target.nSamplesPerSec;
    format.wf.nAvgBytesPerSec = target.nAvgBytesPerSec;
    format.wf.nBlockAlign = target.nBlockAlign;
    format.wBitsPerSample = target.wBitsPerSample;
    CMemFile file;
    WriteWaveFile(file, format, pcm.data(), (DWORD)nDecoded);
    std::vector<uint8_t> wave((size_t)file.GetLength());
    file.SeekToBegin();
    file.Read(wave.data(), (UINT)wave.size());
    return wave;
}
