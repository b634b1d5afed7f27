// Writing RIFF WAVE files.
#include "WaveFile.h"

void WriteWaveFile(const char* pszPath, const PCMWAVEFORMAT& format, const void* pSamples,
                   DWORD nBytes)
{
    CFile file(pszPath, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
    WriteWave(file, format, pSamples, nBytes);
    file.Close();
}

void WriteWave(CFile& file, const PCMWAVEFORMAT& format, const void* pSamples, DWORD nBytes)
{
    // Chunks are padded to even lengths; the pad byte is not counted in the chunk.
    const BYTE pad = 0;
    DWORD nPadded = nBytes + (nBytes & 1);
    DWORD nRiffSize = 4 + (8 + (DWORD)sizeof format) + (8 + nPadded);
    DWORD nFormatSize = sizeof format;

    file.Write("RIFF", 4);
    file.Write(&nRiffSize, 4);
    file.Write("WAVEfmt ", 8);
    file.Write(&nFormatSize, 4);
    file.Write(&format, sizeof format);
    file.Write("data", 4);
    file.Write(&nBytes, 4);
    file.Write(pSamples, nBytes);
    if (nBytes & 1)
        file.Write(&pad, 1);
}
