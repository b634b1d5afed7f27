// Small pictures and sounds made in memory for the board import's tests: a 24-bit
// bitmap file and its PNG, a WAVE file, and MP3 frames of silence (a frame header, then
// zeros: side information of zero codes no samples, which decodes to silence).
#pragma once

#include <afx.h>

#include <cstdint>
#include <vector>

namespace sample {

// A 3x2 24-bit bitmap file of six different colours.
std::vector<uint8_t> BitmapFile();
// The same picture as a PNG, through the imaging component.
std::vector<uint8_t> PngFile(const std::vector<uint8_t>& bitmapFile);
// A WAVE file of nBytes of 8-bit mono samples at 11025 Hz, counting up from seed.
std::vector<uint8_t> WaveFile(DWORD nBytes, BYTE seed);
// nFrames MPEG-1 layer III frames of silence, 128 kbit/s, 44.1 kHz, joint stereo (417
// bytes each, 1152 samples a channel).
std::vector<uint8_t> SilentMp3(int nFrames);

// A folder of its own under the system's temporary folder, removed with what it holds.
class CTempFolder
{
public:
    CTempFolder();
    ~CTempFolder();
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    // The path of a file in it.
    CString Path(const char* pszName) const { return m_strPath + "\\" + pszName; }
    // The names of the files in it, sorted.
    std::vector<CString> Files() const;
    void Write(const char* pszName, const std::vector<uint8_t>& bytes) const;
    std::vector<uint8_t> Read(const char* pszName) const;

private:
    CString m_strPath;
};

} // namespace sample
