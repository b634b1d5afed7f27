// Pictures, sounds and folders for the board import's tests.
#include "SampleMedia.h"
#include "WaveFile.h"

#include "diblib/dibapi.h"

#include <algorithm>

namespace sample {

namespace {

std::vector<uint8_t> Contents(CMemFile& file)
{
    std::vector<uint8_t> bytes((size_t)file.GetLength());
    file.SeekToBegin();
    file.Read(bytes.data(), (UINT)bytes.size());
    return bytes;
}

template <class T>
void Append(std::vector<uint8_t>& bytes, const T& value)
{
    const auto* p = reinterpret_cast<const uint8_t*>(&value);
    bytes.insert(bytes.end(), p, p + sizeof value);
}

} // namespace

std::vector<uint8_t> BitmapFile()
{
    const int nWidth = 3, nHeight = 2, nStride = 12; // 9 bytes a row, padded to 12
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = nWidth;
    info.biHeight = nHeight;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = nStride * nHeight;
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof header + sizeof info;
    header.bfSize = header.bfOffBits + info.biSizeImage;
    std::vector<uint8_t> bytes;
    Append(bytes, header);
    Append(bytes, info);
    const uint8_t rows[2][12] = { { 0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0 },
                                  { 255, 255, 255, 0, 0, 0, 128, 64, 32, 0, 0, 0 } };
    for (const auto& row : rows)
        bytes.insert(bytes.end(), row, row + nStride);
    return bytes;
}

std::vector<uint8_t> PngFile(const std::vector<uint8_t>& bitmapFile)
{
    const size_t nPacked = bitmapFile.size() - sizeof(BITMAPFILEHEADER);
    HDIB hDIB = (HDIB)GlobalAlloc(GMEM_MOVEABLE, nPacked);
    memcpy(GlobalLock(hDIB), bitmapFile.data() + sizeof(BITMAPFILEHEADER), nPacked);
    GlobalUnlock(hDIB);
    CMemFile file;
    const BOOL bWritten = WriteImageFile(file, hDIB, IMAGE_PNG);
    GlobalFree(hDIB);
    return bWritten ? Contents(file) : std::vector<uint8_t>();
}

std::vector<uint8_t> WaveFile(DWORD nBytes, BYTE seed)
{
    PCMWAVEFORMAT format = {};
    format.wf.wFormatTag = WAVE_FORMAT_PCM;
    format.wf.nChannels = 1;
    format.wf.nSamplesPerSec = 11025;
    format.wf.nAvgBytesPerSec = 11025;
    format.wf.nBlockAlign = 1;
    format.wBitsPerSample = 8;
    std::vector<BYTE> samples(nBytes);
    for (DWORD i = 0; i < nBytes; ++i)
        samples[i] = (BYTE)(seed + i);
    CMemFile file;
    WriteWaveFile(file, format, samples.data(), nBytes);
    return Contents(file);
}

std::vector<uint8_t> SilentMp3(int nFrames)
{
    std::vector<uint8_t> bytes;
    for (int i = 0; i < nFrames; ++i)
    {
        const uint8_t header[4] = { 0xFF, 0xFB, 0x90, 0x40 };
        bytes.insert(bytes.end(), header, header + 4);
        bytes.resize(bytes.size() + 417 - 4, 0);
    }
    return bytes;
}

CTempFolder::CTempFolder()
{
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    static int s_nFolders = 0;
    m_strPath.Format("%sboardimport-%lu-%d", szTemp, GetCurrentProcessId(), ++s_nFolders);
    CreateDirectoryA(m_strPath, NULL);
}

CTempFolder::~CTempFolder()
{
    for (const CString& strName : Files())
        DeleteFileA(Path(strName));
    RemoveDirectoryA(m_strPath);
}

std::vector<CString> CTempFolder::Files() const
{
    std::vector<CString> names;
    WIN32_FIND_DATAA found;
    HANDLE hFind = FindFirstFileA(m_strPath + "\\*", &found);
    if (hFind == INVALID_HANDLE_VALUE)
        return names;
    do
    {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            names.push_back(found.cFileName);
    } while (FindNextFileA(hFind, &found));
    FindClose(hFind);
    std::sort(names.begin(), names.end());
    return names;
}

void CTempFolder::Write(const char* pszName, const std::vector<uint8_t>& bytes) const
{
    CFile file(Path(pszName), CFile::modeCreate | CFile::modeWrite);
    file.Write(bytes.data(), (UINT)bytes.size());
}

std::vector<uint8_t> CTempFolder::Read(const char* pszName) const
{
    CFile file(Path(pszName), CFile::modeRead);
    std::vector<uint8_t> bytes((size_t)file.GetLength());
    file.Read(bytes.data(), (UINT)bytes.size());
    return bytes;
}

} // namespace sample
