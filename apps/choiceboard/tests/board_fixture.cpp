// The choice board's test fixture.
#include "board_fixture.h"

#include "BitmapFile.h"
#include "BoardBuilder.h"
#include "WaveFile.h"

#include "hoard/resources/Hoard.h"
#include "hoard/resources/ResourceClass.h"
#include "hoard/sound/Wav.h"
#include "limn/containers/MainContainerRecord.h"
#include "limn/pictures/Picture.h"

#include <fstream>
#include <memory>
#include <sstream>

namespace board_test {

const std::vector<Leaf> board = {
    { "alpha", CRect(10, 10, 130, 200) },
    { "beta", CRect(140, 10, 260, 200) },
    { "gamma", CRect(270, 10, 390, 200) },
    { "", CRect(10, 210, 390, 290) },
};
const std::vector<Leaf> groups = {
    { "left", CRect(10, 10, 195, 290) },
    { "a", CRect(10, 10, 175, 90), 0 },
    { "b", CRect(10, 100, 175, 180), 0 },
    { "c", CRect(10, 190, 175, 270), 0 },
    { "right", CRect(205, 10, 390, 290) },
    { "d", CRect(10, 10, 175, 90), 4 },
    { "e", CRect(10, 100, 175, 180), 4 },
    { "f", CRect(10, 190, 175, 270), 4 },
};
const std::vector<Leaf> singles = {
    { "g0", CRect(10, 10, 70, 290) },   { "c0", CRect(5, 5, 55, 275), 0 },
    { "g1", CRect(75, 10, 135, 290) },  { "c1", CRect(5, 5, 55, 275), 2 },
    { "g2", CRect(140, 10, 200, 290) }, { "c2", CRect(5, 5, 55, 275), 4 },
    { "g3", CRect(205, 10, 265, 290) }, { "c3", CRect(5, 5, 55, 275), 6 },
    { "g4", CRect(270, 10, 330, 290) }, { "c4", CRect(5, 5, 55, 275), 8 },
    { "g5", CRect(335, 10, 395, 290) }, { "c5", CRect(5, 5, 55, 275), 10 },
};
const CSize sizeScreen(400, 300);

std::string ReadWhole(const CString& strPath)
{
    std::ifstream in((LPCSTR)strPath, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteWhole(const CString& strPath, const std::string& bytes)
{
    std::ofstream out((LPCSTR)strPath, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string Joined(const std::vector<CString>& lines)
{
    std::string text;
    for (const CString& strLine : lines)
        text += std::string(strLine) + "\n";
    return text;
}

BITMAPINFOHEADER PictureHeader(int cx, int cy)
{
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = cx;
    header.biHeight = cy;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biSizeImage = ((cx * 3 + 3) & ~3) * cy;
    return header;
}

BOOL WaitFor(const std::function<bool()>& done)
{
    for (DWORD dwStart = ::GetTickCount(); !done(); ::Sleep(10))
    {
        if (::GetTickCount() - dwStart >= dwTimeoutMS)
            return FALSE;
    }
    return TRUE;
}

void ChoiceBoard::SetUpTestSuite() { CResourceClass::InitResourceClasses(); }

ChoiceBoard::ChoiceBoard()
{
    char szTemp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szTemp);
    m_strFolder.Format("%schoiceboard_test_%lu", szTemp, ::GetCurrentProcessId());
    ::CreateDirectoryA(m_strFolder, NULL);
    m_strDoc = Path("board.lmd");
    m_strLog = Path("board.log");
    m_strOutput = Path("output.txt");
}

ChoiceBoard::~ChoiceBoard()
{
    // The board goes before its files.
    if (m_session.IsRunning())
        m_session.Close(dwTimeoutMS);
    for (const char* pszName : { "board.log", "output.txt", "alpha.bmp", "beta.wav", "shot.bmp" })
        ::DeleteFileA(Path(pszName));
    for (const CString& strPath : m_written)
        ::DeleteFileA(strPath);
    ::RemoveDirectoryA(m_strFolder);
}

CString ChoiceBoard::BoardExe() const
{
    char szPath[MAX_PATH];
    DWORD nLen = ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
    CString strPath(szPath, (int)nLen);
    return strPath.Left(strPath.ReverseFind('\\')) + "\\choiceboard.exe";
}

CString ChoiceBoard::WriteBoard(const std::vector<Leaf>& leaves, const char* pszName)
{
    CHoard hoard;
    AddPicture(hoard, "alpha");
    AddSound(hoard, "beta");
    auto pRoot = std::make_unique<CWndContainer>();
    pRoot->SetName("board");
    std::vector<CContainer*> made;
    for (const Leaf& leaf : leaves)
    {
        auto* pLeaf = new CContainer(leaf.nParent < 0 ? pRoot.get() : made[leaf.nParent], arrangeNone);
        pLeaf->SetName(leaf.pszName);
        pLeaf->SetFillColor(RGB(255, 255, 255));
        pLeaf->SetBounds(leaf.rect);
        made.push_back(pLeaf);
    }
    pRoot->SetBounds(CRect(CPoint(0, 0), sizeScreen));
    m_strDoc = Path(pszName);
    CMainContainerRecord::SaveFile(m_strDoc, pRoot.get(), hoard);
    m_written.push_back(m_strDoc);
    return m_strDoc;
}

CString ChoiceBoard::WriteBuiltBoard(const char* pszName, const char* pszTitle, const std::vector<BuiltChoice>& choices,
                                     const std::vector<const char*>& sounds)
{
    CHoard hoard;
    AddSound(hoard, "beta");
    // Each a tone of its own, so that saving keeps them apart.
    for (size_t i = 0; i < sounds.size(); ++i)
        AddSound(hoard, sounds[i], (BYTE)(i + 1));
    CBoardBuilder builder(hoard);
    builder.SetTitle(pszTitle);
    for (const BuiltChoice& built : choices)
    {
        BoardChoice choice;
        choice.strName = built.pszName;
        if (built.bSound)
            choice.pSound = hoard.GetResource("CWav", "beta");
        if (built.pszBoard != NULL)
            choice.strBoard = built.pszBoard;
        builder.AddChoice(choice);
    }
    CString strPath = Path(pszName);
    builder.Save(strPath);
    m_written.push_back(strPath);
    return strPath;
}

// A 24-bit picture of 32 by 32 green pixels, imported from a file of its name.
void ChoiceBoard::AddPicture(CHoard& hoard, const char* pszName)
{
    BITMAPINFOHEADER header = PictureHeader(32, 32);
    std::vector<BYTE> bits(header.biSizeImage);
    for (size_t i = 1; i < bits.size(); i += 3)
        bits[i] = 0xC0;
    CString strPath = Path(CString(pszName) + ".bmp");
    WriteBitmapFile(strPath, &header, sizeof header, bits.data(), (DWORD)bits.size());
    ASSERT_TRUE(CPicture::New(hoard, NULL)->ImportFromFile(strPath));
}

// Four seconds of 8-bit mono tone (a good second on a device that is not paced in real
// time), imported from a file of its name.
void ChoiceBoard::AddSound(CHoard& hoard, const char* pszName, BYTE nLift)
{
    PCMWAVEFORMAT format = {};
    format.wf.wFormatTag = WAVE_FORMAT_PCM;
    format.wf.nChannels = 1;
    format.wf.nSamplesPerSec = format.wf.nAvgBytesPerSec = 11025;
    format.wf.nBlockAlign = 1;
    format.wBitsPerSample = 8;
    std::vector<BYTE> samples(4 * 11025);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = (BYTE)(((i / 12) % 2 ? 0xA0 : 0x60) + nLift);
    CString strPath = Path(CString(pszName) + ".wav");
    WriteWaveFile(strPath, format, samples.data(), (DWORD)samples.size());
    ASSERT_TRUE(CWav::New(hoard, NULL)->ImportFromFile(strPath));
}

void ChoiceBoard::StartBoard(const std::vector<CString>& args, const char* pszActive)
{
    ASSERT_TRUE(m_session.Start(BoardExe(), args.empty() ? std::vector<CString>{ m_strDoc } : args, m_strLog,
                                m_strOutput));
    ASSERT_NE(m_session.WaitForWindow(szTitle, dwTimeoutMS), (HWND)NULL) << ReadWhole(m_strOutput);
    ASSERT_TRUE(m_session.WaitForLine(CString("activate ") + pszActive, dwTimeoutMS))
        << Joined(m_session.GetLines());
    m_nStartLines = m_session.GetLines().size();
}

void ChoiceBoard::PressFor(const char* pszKeys, const char* pszLine)
{
    ASSERT_TRUE(CScanSession::Press(pszKeys)) << pszKeys;
    ExpectLine(pszLine);
}

void ChoiceBoard::ExpectLine(const char* pszLine)
{
    EXPECT_TRUE(m_session.WaitForLine(pszLine, dwTimeoutMS))
        << "waited for \"" << pszLine << "\"; the log:\n" << Joined(m_session.GetLines());
}

void ChoiceBoard::ExpectLog(const std::vector<CString>& expected)
{
    const std::vector<CString>& lines = m_session.GetLines();
    std::vector<CString> since(lines.begin() + (ptrdiff_t)std::min(m_nStartLines, lines.size()), lines.end());
    EXPECT_EQ(Joined(since), Joined(expected));
}

int ChoiceBoard::CountLines(const char* pszWord)
{
    m_session.ReadLog();
    int n = 0;
    for (const CString& strLine : m_session.GetLines())
        n += strLine.Left((int)strlen(pszWord)) == pszWord;
    return n;
}

void ChoiceBoard::Answer(const char* pszTitle, const char* pszButton)
{
    HWND hDialog = m_session.WaitForDialog(pszTitle, dwTimeoutMS);
    ASSERT_NE(hDialog, (HWND)NULL) << "no \"" << pszTitle << "\"";
    ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == hDialog; })) << pszTitle << " is not in front";
    ASSERT_TRUE(CScanSession::ClickButton(hDialog, pszButton)) << pszTitle << " has no " << pszButton;
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(hDialog); })) << pszTitle << " stays";
}

CString ChoiceBoard::MessageText()
{
    HWND hBox = m_session.WaitForDialog(szTitle, dwTimeoutMS);
    CString strText;
    for (HWND hChild = ::GetWindow(hBox, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        char szClass[16], szText[512];
        ::GetClassNameA(hChild, szClass, sizeof szClass);
        ::GetWindowTextA(hChild, szText, sizeof szText);
        if (_stricmp(szClass, "Static") == 0)
            strText += szText;
    }
    return strText;
}

void ChoiceBoard::PastePicture()
{
    BITMAPINFOHEADER header = PictureHeader(16, 16);
    HGLOBAL hDIB = ::GlobalAlloc(GMEM_MOVEABLE, sizeof header + header.biSizeImage);
    ASSERT_NE(hDIB, (HGLOBAL)NULL);
    BYTE* pDIB = static_cast<BYTE*>(::GlobalLock(hDIB));
    memcpy(pDIB, &header, sizeof header);
    memset(pDIB + sizeof header, 0x80, header.biSizeImage);
    ::GlobalUnlock(hDIB);
    ASSERT_TRUE(::OpenClipboard(NULL));
    ::EmptyClipboard();
    EXPECT_NE(::SetClipboardData(CF_DIB, hDIB), (HANDLE)NULL);
    ::CloseClipboard();

    ASSERT_TRUE(m_session.OpenMenu("alt+e", dwTimeoutMS));
    ASSERT_TRUE(CScanSession::Press("p"));
    HWND hEditor = m_session.WaitForDialog("New/Edit Picture", dwTimeoutMS);
    ASSERT_NE(hEditor, (HWND)NULL) << "no list editor";
    // The editor pastes once it has painted itself: its list then holds two names.
    HWND hList = ::FindWindowExA(hEditor, NULL, "ListBox", NULL);
    ASSERT_TRUE(WaitFor([&] { return ::SendMessageA(hList, LB_GETCOUNT, 0, 0) == 2; })) << "nothing pasted";
    Answer("New/Edit Picture", "Done");
}

CShotPixels ChoiceBoard::Shot()
{
    CShotPixels pixels;
    CString strPath = Path("shot.bmp");
    EXPECT_TRUE(m_session.Shot(strPath));
    EXPECT_TRUE(pixels.Read(strPath));
    ::DeleteFileA(strPath);
    return pixels;
}

} // namespace board_test
