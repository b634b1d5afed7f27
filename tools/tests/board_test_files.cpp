// The board tests' folder, files and programs.
#include "board_test_files.h"

#include "BitmapFile.h"
#include "WaveFile.h"

#include "hoard/resources/Hoard.h"
#include "hoard/resources/ResourceClass.h"
#include "hoard/sound/Wav.h"
#include "limn/pictures/Picture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace board_test {

namespace {

// Every resource type has registered itself before the first test.
class CRegistryEnvironment : public ::testing::Environment
{
public:
    void SetUp() override { CResourceClass::InitResourceClasses(); }
};

const auto* g_pRegistryEnvironment = ::testing::AddGlobalTestEnvironment(new CRegistryEnvironment);

void RemoveTree(const CString& strFolder)
{
    WIN32_FIND_DATAA data;
    HANDLE hFind = ::FindFirstFileA(strFolder + "*", &data);
    if (hFind != INVALID_HANDLE_VALUE)
    {
        do
        {
            const CString strName = data.cFileName;
            if (strName == "." || strName == "..")
                continue;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(strFolder + strName + "\\");
            else
                ::DeleteFileA(strFolder + strName);
        } while (::FindNextFileA(hFind, &data));
        ::FindClose(hFind);
    }
    ::RemoveDirectoryA(strFolder);
}

CString BinFolder()
{
    char szPath[MAX_PATH];
    DWORD nLength = ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
    CString strPath(szPath, (int)nLength);
    return strPath.Left(strPath.ReverseFind('\\') + 1);
}

} // namespace

CTestFolder::CTestFolder()
{
    char szTemp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szTemp);
    static int s_nFolder = 0;
    m_strFolder.Format("%sboard_test_%lu_%d\\", szTemp, ::GetCurrentProcessId(), ++s_nFolder);
    RemoveTree(m_strFolder);
    ::CreateDirectoryA(m_strFolder, NULL);
}

CTestFolder::~CTestFolder() { RemoveTree(m_strFolder); }

CString CTestFolder::Path(const char* pszName) const { return m_strFolder + pszName; }

std::string ReadWhole(const char* pszPath)
{
    std::ifstream in(pszPath, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteWhole(const char* pszPath, const std::string& bytes)
{
    std::ofstream out(pszPath, std::ios::binary | std::ios::trunc);
    out << bytes;
}

CPicture* AddPicture(CHoard& hoard, const CTestFolder& folder, const char* pszName, COLORREF color)
{
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = 16;
    header.biHeight = 8;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biSizeImage = 16 * 3 * 8;
    std::vector<BYTE> bits(header.biSizeImage);
    for (size_t i = 0; i < bits.size(); i += 3)
    {
        bits[i] = GetBValue(color);
        bits[i + 1] = GetGValue(color);
        bits[i + 2] = GetRValue(color);
    }
    const CString strPath = folder.Path(CString(pszName) + ".bmp");
    WriteBitmapFile(strPath, &header, sizeof header, bits.data(), (DWORD)bits.size());
    CPicture* pPicture = CPicture::New(hoard, NULL);
    EXPECT_TRUE(pPicture->ImportFromFile(strPath));
    return pPicture;
}

CWav* AddSound(CHoard& hoard, const CTestFolder& folder, const char* pszName, BYTE value, DWORD nBytes)
{
    PCMWAVEFORMAT format = {};
    format.wf.wFormatTag = WAVE_FORMAT_PCM;
    format.wf.nChannels = 1;
    format.wf.nSamplesPerSec = format.wf.nAvgBytesPerSec = 11025;
    format.wf.nBlockAlign = 1;
    format.wBitsPerSample = 8;
    const std::vector<BYTE> samples(nBytes, value);
    const CString strPath = folder.Path(CString(pszName) + ".wav");
    WriteWaveFile(strPath, format, samples.data(), (DWORD)samples.size());
    CWav* pWav = CWav::New(hoard, NULL);
    EXPECT_TRUE(pWav->ImportFromFile(strPath));
    return pWav;
}

int RunProgram(const char* pszProgram, const std::vector<CString>& args, std::string& output)
{
    CString strCommand = "\"" + BinFolder() + pszProgram + "\"";
    for (const CString& strArg : args)
        strCommand += " \"" + strArg + "\"";
    char szTemp[MAX_PATH], szOutput[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szTemp);
    ::GetTempFileNameA(szTemp, "out", 0, szOutput);
    SECURITY_ATTRIBUTES inherit = { sizeof inherit, NULL, TRUE };
    HANDLE hOutput = ::CreateFileA(szOutput, GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, NULL);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = hOutput;
    PROCESS_INFORMATION process = {};
    int nStatus = -1;
    if (::CreateProcessA(NULL, strCommand.GetBuffer(0), NULL, NULL, TRUE, 0, NULL, NULL, &startup, &process))
    {
        DWORD dwExit;
        if (::WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0)
            ::TerminateProcess(process.hProcess, 1);
        else if (::GetExitCodeProcess(process.hProcess, &dwExit))
            nStatus = (int)dwExit;
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    ::CloseHandle(hOutput);
    output = ReadWhole(szOutput);
    ::DeleteFileA(szOutput);
    return nStatus;
}

} // namespace board_test
