// Writing RIFF WAVE files: a format chunk and a data chunk.
#pragma once

#include <afx.h>
#include <mmsystem.h>

// Writes nBytes of samples in the given PCM format; throws CFileException.
void WriteWaveFile(const char* pszPath, const PCMWAVEFORMAT& format, const void* pSamples,
                   DWORD nBytes);
// The same into a file already open (a CMemFile, say), at its position.
void WriteWave(CFile& file, const PCMWAVEFORMAT& format, const void* pSamples, DWORD nBytes);
