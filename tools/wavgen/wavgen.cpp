// wavgen: writes the demo's sample sounds, generated rather than recorded.
//
//   wavgen FOLDER
//
// Writes chime.wav (8-bit mono, a fading tone), pause.wav (8-bit, mostly silence,
// which run-length coding shrinks well), stereo-sweep.wav (16-bit stereo, a rising
// tone) and click.track.wav (16-bit mono, clicks between silences).
#include "ExceptionText.h"
#include "WaveFile.h"

#include <fcntl.h>
#include <io.h>
#include <math.h>
#include <stdio.h>

#include <vector>

namespace {

const double dPi = 3.14159265358979323846;

PCMWAVEFORMAT Format(WORD nChannels, DWORD nRate, WORD nBits)
{
    PCMWAVEFORMAT format = {};
    format.wf.wFormatTag = WAVE_FORMAT_PCM;
    format.wf.nChannels = nChannels;
    format.wf.nSamplesPerSec = nRate;
    format.wf.nBlockAlign = (WORD)(nChannels * nBits / 8);
    format.wf.nAvgBytesPerSec = nRate * format.wf.nBlockAlign;
    format.wBitsPerSample = nBits;
    return format;
}

void WriteChime(const CString& strFolder)
{
    std::vector<BYTE> samples(11025);
    for (size_t i = 0; i < samples.size(); ++i)
    {
        double t = (double)i / 11025;
        samples[i] = (BYTE)(128 + 100 * exp(-4 * t) * sin(2 * dPi * 880 * t));
    }
    WriteWaveFile(strFolder + "\\chime.wav", Format(1, 11025, 8), samples.data(), (DWORD)samples.size());
}

void WritePause(const CString& strFolder)
{
    std::vector<BYTE> samples(22050, 128);
    for (size_t i = 11000; i < 11100; ++i)
        samples[i] = (BYTE)(128 + 60 * sin(2 * dPi * (double)i / 20));
    WriteWaveFile(strFolder + "\\pause.wav", Format(1, 22050, 8), samples.data(), (DWORD)samples.size());
}

void WriteStereoSweep(const CString& strFolder)
{
    const DWORD nFrames = 22050 / 2;
    std::vector<short> samples(nFrames * 2);
    for (DWORD i = 0; i < nFrames; ++i)
    {
        double t = (double)i / 22050;
        double f = 220 + 660 * t * 2;
        samples[2 * i] = (short)(12000 * sin(2 * dPi * f * t));
        samples[2 * i + 1] = (short)(12000 * sin(2 * dPi * f * t + dPi / 2));
    }
    WriteWaveFile(strFolder + "\\stereo-sweep.wav", Format(2, 22050, 16), samples.data(),
                  (DWORD)(samples.size() * sizeof(short)));
}

void WriteClickTrack(const CString& strFolder)
{
    std::vector<short> samples(16000, 0);
    for (size_t i = 0; i < samples.size(); i += 4000)
    {
        for (size_t k = 0; k < 40; ++k)
            samples[i + k] = (short)(k % 2 ? -20000 : 20000);
    }
    WriteWaveFile(strFolder + "\\click.track.wav", Format(1, 16000, 16), samples.data(),
                  (DWORD)(samples.size() * sizeof(short)));
}

} // namespace

int main(int argc, char** argv)
{
    _setmode(_fileno(stderr), _O_BINARY);
    if (argc != 2)
    {
        fputs("usage: wavgen FOLDER\n", stderr);
        return 2;
    }
    try
    {
        CString strFolder = argv[1];
        WriteChime(strFolder);
        WritePause(strFolder);
        WriteStereoSweep(strFolder);
        WriteClickTrack(strFolder);
    }
    catch (CException* e)
    {
        fprintf(stderr, "wavgen: %s\n", (LPCSTR)ExceptionText(e));
        e->Delete();
        return 1;
    }
    return 0;
}
