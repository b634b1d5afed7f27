// What the board tests share: a folder of their own, pictures and sounds written there,
// and the programs of the build run on them.
#pragma once

#include <afx.h>

#include <string>
#include <vector>

class CHoard;
class CPicture;
class CWav;

namespace board_test {

// A new empty folder in the temporary folder, removed with everything in it.
class CTestFolder
{
public:
    CTestFolder();
    ~CTestFolder();
    CTestFolder(const CTestFolder&) = delete;
    CTestFolder& operator=(const CTestFolder&) = delete;

    // The path of pszName in the folder.
    CString Path(const char* pszName) const;

private:
    CString m_strFolder;    // with its closing backslash
};

std::string ReadWhole(const char* pszPath);
void WriteWhole(const char* pszPath, const std::string& bytes);

// A picture of hoard named pszName: 16 by 8 pixels of one colour, imported from a
// bitmap file written in folder.
CPicture* AddPicture(CHoard& hoard, const CTestFolder& folder, const char* pszName, COLORREF color);
// A sound of hoard named pszName: nBytes of 8-bit mono samples of the value, imported
// from a WAVE file written in folder.
CWav* AddSound(CHoard& hoard, const CTestFolder& folder, const char* pszName, BYTE value, DWORD nBytes = 512);

// Runs the program pszProgram of the build's bin folder with the arguments (each
// quoted), its output and errors into output; its exit status, or -1 when it cannot
// start or does not end within a minute.
int RunProgram(const char* pszProgram, const std::vector<CString>& args, std::string& output);

} // namespace board_test
