// The choice board as a user meets it: the real program on a small generated document,
// driven through SendInput (the scanning keys, a click), its event log read back; and
// documents it cannot show, each refused with a message and exit status 1.
#include "ScanSession.h"
#include "ShotPixels.h"

#include "BitmapFile.h"
#include "WaveFile.h"

#include "hoard/resources/Hoard.h"
#include "hoard/resources/ResourceClass.h"
#include "hoard/sound/Wav.h"
#include "limn/containers/MainContainerRecord.h"
#include "limn/pictures/Picture.h"
#include "limn/res/resource.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

const DWORD dwTimeoutMS = 20000;
const char szTitle[] = "Choice Board";

// A container of the screen: its name, its bounds in its parent and its parent's index
// in the list (-1: the root). Containers with children are groups.
struct Leaf
{
    const char* pszName;
    CRect rect;
    int nParent = -1;
};

// Three choices side by side: "alpha" with a picture, "beta" with a sound, "gamma" with
// neither; an unnamed leaf below them is no choice.
const std::vector<Leaf> board = {
    { "alpha", CRect(10, 10, 130, 200) },
    { "beta", CRect(140, 10, 260, 200) },
    { "gamma", CRect(270, 10, 390, 200) },
    { "", CRect(10, 210, 390, 290) },
};
// Two groups of three choices.
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
// Six groups of one choice each: six entries, so the level is not flattened.
const std::vector<Leaf> singles = {
    { "g0", CRect(10, 10, 70, 290) },  { "c0", CRect(5, 5, 55, 275), 0 },
    { "g1", CRect(75, 10, 135, 290) }, { "c1", CRect(5, 5, 55, 275), 2 },
    { "g2", CRect(140, 10, 200, 290) }, { "c2", CRect(5, 5, 55, 275), 4 },
    { "g3", CRect(205, 10, 265, 290) }, { "c3", CRect(5, 5, 55, 275), 6 },
    { "g4", CRect(270, 10, 330, 290) }, { "c4", CRect(5, 5, 55, 275), 8 },
    { "g5", CRect(335, 10, 395, 290) }, { "c5", CRect(5, 5, 55, 275), 10 },
};
const CSize sizeScreen(400, 300);
const COLORREF crHighlight = RGB(255, 0, 0);
// The ground of a pressed choice, within what a 16-bit buffer keeps of it.
const COLORREF crPressed = RGB(255, 204, 0);
const int nPressedTolerance = 8;

CString ModuleFolder()
{
    char szPath[MAX_PATH];
    DWORD nLen = ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
    CString strPath(szPath, (int)nLen);
    return strPath.Left(strPath.ReverseFind('\\'));
}

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

class ChoiceBoard : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { CResourceClass::InitResourceClasses(); }

    ChoiceBoard()
    {
        char szTemp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, szTemp);
        m_strFolder.Format("%schoiceboard_test_%lu", szTemp, ::GetCurrentProcessId());
        ::CreateDirectoryA(m_strFolder, NULL);
        m_strDoc = Path("board.lmd");
        m_strLog = Path("board.log");
        m_strOutput = Path("output.txt");
    }
    ~ChoiceBoard() override
    {
        for (const char* pszName : { "board.lmd", "board.log", "output.txt", "alpha.bmp", "beta.wav", "shot.bmp" })
            ::DeleteFileA(Path(pszName));
        ::RemoveDirectoryA(m_strFolder);
    }

    CString Path(const char* pszName) const { return m_strFolder + '\\' + pszName; }

    // A screen of those leaves, with a picture for "alpha" and a sound for "beta".
    void WriteBoard(const std::vector<Leaf>& leaves = board)
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
        CMainContainerRecord::SaveFile(m_strDoc, pRoot.get(), hoard);
    }

    // A 24-bit picture of 32 by 32 green pixels, imported from a file of its name.
    void AddPicture(CHoard& hoard, const char* pszName)
    {
        BITMAPINFOHEADER header = {};
        header.biSize = sizeof header;
        header.biWidth = header.biHeight = 32;
        header.biPlanes = 1;
        header.biBitCount = 24;
        header.biSizeImage = 32 * 32 * 3;
        std::vector<BYTE> bits(header.biSizeImage);
        for (size_t i = 1; i < bits.size(); i += 3)
            bits[i] = 0xC0;
        CString strPath = Path(CString(pszName) + ".bmp");
        WriteBitmapFile(strPath, &header, sizeof header, bits.data(), (DWORD)bits.size());
        ASSERT_TRUE(CPicture::New(hoard, NULL)->ImportFromFile(strPath));
    }

    // Four seconds of 8-bit mono tone (a good second on a device that is not paced in
    // real time), imported from a file of its name.
    void AddSound(CHoard& hoard, const char* pszName)
    {
        PCMWAVEFORMAT format = {};
        format.wf.wFormatTag = WAVE_FORMAT_PCM;
        format.wf.nChannels = 1;
        format.wf.nSamplesPerSec = format.wf.nAvgBytesPerSec = 11025;
        format.wf.nBlockAlign = 1;
        format.wBitsPerSample = 8;
        std::vector<BYTE> samples(4 * 11025);
        for (size_t i = 0; i < samples.size(); ++i)
            samples[i] = (i / 12) % 2 ? 0xA0 : 0x60;
        CString strPath = Path(CString(pszName) + ".wav");
        WriteWaveFile(strPath, format, samples.data(), (DWORD)samples.size());
        ASSERT_TRUE(CWav::New(hoard, NULL)->ImportFromFile(strPath));
    }

    void StartBoard()
    {
        ASSERT_TRUE(m_session.Start(ModuleFolder() + "\\choiceboard.exe", { m_strDoc }, m_strLog, m_strOutput));
        ASSERT_NE(m_session.WaitForWindow(szTitle, dwTimeoutMS), (HWND)NULL) << ReadWhole(m_strOutput);
    }

    // Sends keys and waits for the log line they should bring.
    void PressFor(const char* pszKeys, const char* pszLine)
    {
        ASSERT_TRUE(CScanSession::Press(pszKeys)) << pszKeys;
        ExpectLine(pszLine);
    }
    void ExpectLine(const char* pszLine)
    {
        EXPECT_TRUE(m_session.WaitForLine(pszLine, dwTimeoutMS))
            << "waited for \"" << pszLine << "\"; the log:\n" << Joined(m_session.GetLines());
    }
    void ExpectLog(const std::vector<CString>& expected)
    {
        EXPECT_EQ(Joined(m_session.GetLines()), Joined(expected));
    }

    // Polls until done() holds; FALSE when it does not within the time-out.
    static BOOL WaitFor(const std::function<bool()>& done)
    {
        for (DWORD dwStart = ::GetTickCount(); !done(); ::Sleep(10))
        {
            if (::GetTickCount() - dwStart >= dwTimeoutMS)
                return FALSE;
        }
        return TRUE;
    }

    // Ctrl+Delete, and the button nID of the "Dedicated Scanning" dialog it opens; the
    // board is in the foreground again after.
    void ChooseDedicatedScanning(UINT nID)
    {
        ASSERT_TRUE(CScanSession::Press("ctrl+delete"));
        HWND hDialog = NULL;
        ASSERT_TRUE(WaitFor([&] { return (hDialog = ::FindWindowA(NULL, "Dedicated Scanning")) != NULL; }))
            << "no dialog";
        ::PostMessageA(hDialog, WM_COMMAND, nID, 0);
        ASSERT_TRUE(WaitFor([&] { return !::IsWindow(hDialog); })) << "the dialog stays";
        ::SetForegroundWindow(m_session.GetWindow());
        ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == m_session.GetWindow(); }));
    }

    // A key held down for nRepeats of the keyboard's repeats, 150 ms apart, then let go.
    static void HoldKey(WORD wKey, int nRepeats)
    {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = wKey;
        for (int i = 0; i <= nRepeats; ++i)
        {
            ::SendInput(1, &input, sizeof input);
            ::Sleep(150);
        }
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        ::SendInput(1, &input, sizeof input);
    }

    // How many lines read so far start with pszWord.
    int CountLines(const char* pszWord) const
    {
        int n = 0;
        for (const CString& strLine : m_session.GetLines())
            n += strLine.Left((int)strlen(pszWord)) == pszWord;
        return n;
    }

    // A picture of the board's window, read back.
    CShotPixels Shot()
    {
        CShotPixels pixels;
        CString strPath = Path("shot.bmp");
        EXPECT_TRUE(m_session.Shot(strPath));
        EXPECT_TRUE(pixels.Read(strPath));
        ::DeleteFileA(strPath);
        return pixels;
    }

    CString m_strFolder;
    CString m_strDoc;
    CString m_strLog;
    CString m_strOutput;
    CScanSession m_session;
};

TEST_F(ChoiceBoard, StepKeysMoveTheFocusAndTheSelectKeyPlaysTheSound)
{
    WriteBoard();
    StartBoard();
    PressFor("ctrl+right", "focus alpha");
    PressFor("ctrl+right", "focus beta");
    PressFor("ctrl+down", "select beta");
    ExpectLine("play beta");
    ExpectLog({ "focus alpha", "focus beta", "select beta", "play beta" });
    EXPECT_EQ(m_session.Close(dwTimeoutMS), 0);
}

// A step back from no focus lands on the last choice; after a selection by steps the
// scan starts over at the top. Neither the picture nor the missing sound of a choice
// gives a "play" line.
TEST_F(ChoiceBoard, ChoicesWithoutSoundsAreSelectedSilently)
{
    WriteBoard();
    StartBoard();
    PressFor("ctrl+left", "focus gamma");
    PressFor("ctrl+down", "select gamma");
    PressFor("ctrl+right", "focus alpha");
    PressFor("ctrl+down", "select alpha");
    PressFor("ctrl+right", "focus alpha");
    ExpectLog({ "focus gamma", "select gamma", "focus alpha", "select alpha", "focus alpha" });
    EXPECT_EQ(m_session.Close(dwTimeoutMS), 0);
}

TEST_F(ChoiceBoard, AClickSelectsTheChoiceUnderTheMouse)
{
    WriteBoard();
    StartBoard();
    ASSERT_TRUE(m_session.Click(board[1].rect.CenterPoint()));
    ExpectLine("select beta");
    ExpectLine("play beta");
    ASSERT_TRUE(m_session.Click(CPoint(395, 295)));     // the bare screen
    ASSERT_TRUE(m_session.Click(board[2].rect.CenterPoint()));
    ExpectLine("select gamma");
    ExpectLog({ "select beta", "play beta", "select gamma" });
    EXPECT_EQ(m_session.Close(dwTimeoutMS), 0);
}

// Selecting a group descends into it, and the focus goes to its first choice; below the
// top level the root is the last entry, the way back. A choice selected by steps takes
// scanning back to the top.
TEST_F(ChoiceBoard, SelectingAGroupScansItsChoices)
{
    WriteBoard(groups);
    StartBoard();
    PressFor("ctrl+right", "focus left");
    PressFor("ctrl+down", "focus a");
    PressFor("ctrl+left", "focus board");
    PressFor("ctrl+left", "focus c");
    PressFor("ctrl+down", "select c");
    PressFor("ctrl+right", "focus left");
    PressFor("ctrl+right", "focus right");
    ExpectLog({ "focus left", "focus a", "focus board", "focus c", "select c", "focus left", "focus right" });
    EXPECT_EQ(m_session.Close(dwTimeoutMS), 0);
}

// A group that holds one choice stands for it: selecting the group selects the choice.
TEST_F(ChoiceBoard, SelectingAGroupOfOneChoiceSelectsIt)
{
    WriteBoard(singles);
    StartBoard();
    PressFor("ctrl+right", "focus g0");
    PressFor("ctrl+right", "focus g1");
    PressFor("ctrl+down", "select c1");
    PressFor("ctrl+right", "focus g0");
    ExpectLog({ "focus g0", "focus g1", "select c1", "focus g0" });
    EXPECT_EQ(m_session.Close(dwTimeoutMS), 0);
}

// The choice the scan stepped to last is clicked as any other, once its highlight has
// timed out (it flashes: it has gone once no picture showed it for a second).
TEST_F(ChoiceBoard, AClickSelectsTheChoiceTheScanLeft)
{
    WriteBoard();
    StartBoard();
    PressFor("ctrl+right", "focus alpha");
    DWORD dwLastSeen = ::GetTickCount();
    for (DWORD dwStart = dwLastSeen; ::GetTickCount() - dwLastSeen < 1000 && ::GetTickCount() - dwStart < dwTimeoutMS;)
    {
        if (Shot().Contains(crHighlight))
            dwLastSeen = ::GetTickCount();
        ::Sleep(50);
    }
    ASSERT_GE(::GetTickCount() - dwLastSeen, 1000u) << "the highlight never timed out";
    ASSERT_TRUE(m_session.Click(board[0].rect.CenterPoint()));
    ExpectLine("select alpha");
    ExpectLog({ "focus alpha", "select alpha" });
    EXPECT_EQ(m_session.Close(dwTimeoutMS), 0);
}

// In dedicated keyboard mode a switch key held down counts once, however long the
// keyboard repeats it.
TEST_F(ChoiceBoard, AHeldSwitchKeyStepsOnce)
{
    WriteBoard();
    StartBoard();
    ChooseDedicatedScanning(IDC_DEDICATED_KEYBOARD);
    HoldKey('2', 4);
    ExpectLine("focus alpha");
    PressFor("2", "focus beta");
    ExpectLog({ "focus alpha", "focus beta" });
    EXPECT_EQ(m_session.Close(dwTimeoutMS), 0);
}

// In dedicated mouse mode a switch that bounces, pressed twice in quick succession over
// the highlight, selects once: the second press, a double-click, is the switch too.
TEST_F(ChoiceBoard, ABouncingMouseSwitchSelectsOnce)
{
    WriteBoard();
    StartBoard();
    ChooseDedicatedScanning(IDC_DEDICATED_MOUSE);
    ASSERT_TRUE(m_session.Click(board[0].rect.CenterPoint()));
    ExpectLine("focus alpha");
    ::Sleep(::GetDoubleClickTime() + 50);
    ASSERT_TRUE(m_session.Click(board[0].rect.CenterPoint()));
    ASSERT_TRUE(m_session.Click(board[0].rect.CenterPoint()));
    ExpectLine("select");
    // Continuous scanning starts again from the top about two seconds later.
    ExpectLine("focus alpha");
    EXPECT_EQ(1, CountLines("select")) << Joined(m_session.GetLines());
    EXPECT_EQ(m_session.Close(dwTimeoutMS), 0);
}

// The highlight, in the scanning colour, lies around the focus and nowhere else (it
// flashes: a picture is taken again until it shows); a choice whose sound plays looks
// pressed, and normal again once the sound has ended.
TEST_F(ChoiceBoard, TheWindowShowsTheHighlightAndThePressedChoice)
{
    WriteBoard();
    StartBoard();
    PressFor("ctrl+right", "focus alpha");
    CShotPixels pixels;
    for (int nTry = 0; nTry < 40 && !pixels.Contains(crHighlight); ++nTry)
        pixels = Shot();
    ASSERT_EQ(pixels.GetSize(), sizeScreen);
    EXPECT_TRUE(pixels.Contains(crHighlight, CRect(0, 0, 10, 210))) << "left of alpha";
    EXPECT_TRUE(pixels.Contains(crHighlight, CRect(0, 200, 140, 210))) << "below alpha";
    EXPECT_FALSE(pixels.Contains(crHighlight, CRect(145, 0, 400, 300))) << "beyond alpha";
    EXPECT_FALSE(pixels.Contains(crPressed, board[1].rect, nPressedTolerance)) << "nothing is pressed yet";

    ASSERT_TRUE(m_session.Click(board[1].rect.CenterPoint()));
    ExpectLine("play beta");
    pixels = Shot();
    EXPECT_TRUE(pixels.Contains(crPressed, board[1].rect, nPressedTolerance)) << "beta plays";
    EXPECT_FALSE(pixels.Contains(crPressed, board[0].rect, nPressedTolerance)) << "alpha does not";
    for (DWORD dwStart = ::GetTickCount();
         pixels.Contains(crPressed, board[1].rect, nPressedTolerance) && ::GetTickCount() - dwStart < dwTimeoutMS;)
    {
        ::Sleep(50);
        pixels = Shot();
    }
    EXPECT_FALSE(pixels.Contains(crPressed, board[1].rect, nPressedTolerance)) << "the sound has ended";
    EXPECT_EQ(m_session.Close(dwTimeoutMS), 0);
}

// Automatic scanning highlights the first choice at once; Esc ends it.
TEST_F(ChoiceBoard, EscEndsAutomaticScanning)
{
    WriteBoard();
    StartBoard();
    PressFor("ctrl+enter", "focus alpha");
    PressFor("esc", "stop");
    ExpectLog({ "focus alpha", "stop" });
    EXPECT_EQ(m_session.Close(dwTimeoutMS), 0);
}

// Documents the board cannot show: each ends it with status 1 and a message naming the
// problem, before any window.
TEST_F(ChoiceBoard, DocumentsThatCannotBeShownAreRefused)
{
    WriteBoard();
    const std::string good = ReadWhole(m_strDoc);
    ASSERT_GT(good.size(), 200u);
    std::string damaged = good;
    for (size_t i = 8; i < 40; ++i)
        damaged[i] = '\xFF';

    const struct
    {
        const char* pszWhat;
        std::function<void()> write;
        const char* pszMessage;
    } cases[] = {
        { "a missing file", [&] { ::DeleteFileA(m_strDoc); }, "cannot be read" },
        { "an empty file", [&] { WriteWhole(m_strDoc, ""); }, "is not a screen document" },
        { "a text file", [&] { WriteWhole(m_strDoc, "alpha beta gamma\r\n"); }, "is not a screen document" },
        { "a document cut short", [&] { WriteWhole(m_strDoc, good.substr(0, good.size() / 2)); },
          "is not a screen document" },
        { "a damaged tree", [&] { WriteWhole(m_strDoc, damaged); }, "cannot be read" },
        { "a resource file", [&] {
             CHoard hoard;
             AddSound(hoard, "beta");
             hoard.SaveToFile(m_strDoc);
         }, "is not a screen document" },
        { "an empty tree", [&] { WriteBoard({}); }, "holds no screen" },
        { "a tree without names", [&] { WriteBoard({ board[3] }); }, "has no choices" },
    };
    for (const auto& c : cases)
    {
        c.write();
        CScanSession session;
        ASSERT_TRUE(session.Start(ModuleFolder() + "\\choiceboard.exe", { m_strDoc }, m_strLog, m_strOutput));
        EXPECT_EQ(session.WaitForExit(dwTimeoutMS), 1) << c.pszWhat;
        std::string output = ReadWhole(m_strOutput);
        EXPECT_NE(output.find(c.pszMessage), std::string::npos) << c.pszWhat << ": " << output;
        EXPECT_NE(output.find(std::string(m_strDoc)), std::string::npos) << c.pszWhat << ": " << output;
    }
}

TEST_F(ChoiceBoard, ACommandLineItDoesNotUnderstandIsRefused)
{
    WriteBoard();
    ASSERT_TRUE(m_session.Start(ModuleFolder() + "\\choiceboard.exe", { m_strDoc, "--bogus" }, m_strLog,
                                m_strOutput));
    EXPECT_EQ(m_session.WaitForExit(dwTimeoutMS), 2);
    EXPECT_NE(ReadWhole(m_strOutput).find("usage: choiceboard [DOC] [--log FILE]"), std::string::npos)
        << ReadWhole(m_strOutput);
}

} // namespace
