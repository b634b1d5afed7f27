// What the choice board's tests share: boards written as screen documents (named leaves
// that become choices, a picture for "alpha", a sound for "beta"), the real program
// started on them with a log in a folder of the test's own, and the means to drive it
// and read what it did.
#pragma once

#include "ScanSession.h"
#include "ShotPixels.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

class CHoard;

namespace board_test {

const DWORD dwTimeoutMS = 20000;
const char szTitle[] = "Choice Board";

// A container of a screen: its name, its bounds in its parent and its parent's index in
// the list (-1: the root). Containers with children are groups.
struct Leaf
{
    const char* pszName;
    CRect rect;
    int nParent = -1;
};

// Three choices side by side: "alpha" with a picture, "beta" with a sound, "gamma" with
// neither; an unnamed leaf below them is no choice.
extern const std::vector<Leaf> board;
// Two groups of three choices, "a" to "c" and "d" to "f".
extern const std::vector<Leaf> groups;
// Six groups of one choice each: six entries, so the level is not flattened.
extern const std::vector<Leaf> singles;
// The stored size of every screen here.
extern const CSize sizeScreen;

std::string ReadWhole(const CString& strPath);
void WriteWhole(const CString& strPath, const std::string& bytes);
std::string Joined(const std::vector<CString>& lines);
// The header of a 24-bit picture of cx by cy pixels.
BITMAPINFOHEADER PictureHeader(int cx, int cy);
// A choice of a board made by the board builder: it plays "beta" when bSound is set,
// and leads to the board pszBoard when that is given.
struct BuiltChoice
{
    const char* pszName;
    const char* pszBoard;
    BOOL bSound;
};

// Polls until done() holds; FALSE when it does not within the time-out.
BOOL WaitFor(const std::function<bool()>& done);

class ChoiceBoard : public ::testing::Test
{
protected:
    static void SetUpTestSuite();

    ChoiceBoard();
    ~ChoiceBoard() override;

    CString Path(const char* pszName) const { return m_strFolder + '\\' + pszName; }
    CString BoardExe() const;

    // A screen of those leaves, with a picture for "alpha" and a sound for "beta", in
    // pszName of the test's folder ("board.lmd" when none is given); its path.
    CString WriteBoard(const std::vector<Leaf>& leaves = board, const char* pszName = "board.lmd");
    // A board of the board builder in pszName of the test's folder: the title pszTitle,
    // then one row of the choices, and the sounds named in sounds besides; its path.
    CString WriteBuiltBoard(const char* pszName, const char* pszTitle, const std::vector<BuiltChoice>& choices,
                            const std::vector<const char*>& sounds = {});
    void AddPicture(CHoard& hoard, const char* pszName);
    // A tone of 4 s named pszName; sounds of the same nLift are the same tone.
    void AddSound(CHoard& hoard, const char* pszName, BYTE nLift = 0);

    // Starts the board with args (the board written last when there are none) and waits
    // until the board named pszActive is the one scanned.
    void StartBoard(const std::vector<CString>& args = {}, const char* pszActive = "board.lmd");

    // Sends keys and waits for the log line they should bring.
    void PressFor(const char* pszKeys, const char* pszLine);
    void ExpectLine(const char* pszLine);
    // The lines since the board was started and the active board was logged.
    void ExpectLog(const std::vector<CString>& expected);
    // How many lines of the log start with pszWord, once what the log gained is read.
    int CountLines(const char* pszWord);
    // Waits for a dialog or message box of the board and clicks one of its buttons.
    void Answer(const char* pszTitle, const char* pszButton);
    // Waits for the message box titled with the program's name; its text.
    CString MessageText();
    // Edit > Paste on a board that holds one picture: the list editor of pictures pastes
    // a 16 by 16 picture put on the clipboard, as a paint program copying one would,
    // and Done closes it; the board is modified.
    void PastePicture();
    // A picture of the active board, read back.
    CShotPixels Shot();

    CString m_strFolder;
    CString m_strDoc;           // the board written last
    CString m_strLog;
    CString m_strOutput;
    CScanSession m_session;
    size_t m_nStartLines = 0;   // the lines of the start, which ExpectLog leaves out

private:
    std::vector<CString> m_written;
};

} // namespace board_test
