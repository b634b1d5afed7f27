// scandriver: runs the choice board as a user with switches (and a helper beside them)
// would, with a script of steps sent through SendInput, and keeps pictures of the board
// at every step of the scanning highlight.
//
//   scandriver EXE LOG SHOTS [ARG...] STEP...
//
// EXE is the board, LOG the event log it writes, ARG its other arguments (documents,
// --protect), all that come before the first STEP. The steps:
//
//   press:KEYS        keys as CScanSession::Press names them (press:ctrl+enter, press:alt+f4)
//   hold:KEYS:MS      the same keys held down for MS milliseconds (hold:ctrl+down:400), for
//                     a switch that counts only once held for its acceptance time
//   menu:KEYS         keys that open a menu of the menu bar (menu:alt+f), and the wait for
//                     its pop-up
//   wait:TEXT         the next log line that is TEXT or starts with TEXT and a space
//   open:PATH         File > Open through the menu bar, PATH typed into the open dialog
//   activate:TITLE    a click on the caption of the board titled TITLE (Control+F6 until
//                     it is active when other boards cover its caption)
//   button:TITLE/TEXT a click on the button TEXT (without its '&') of the board's dialog
//                     or message box titled TITLE, once it shows
//   closebox          a click on the main window's close box
//   away              another program's window takes the foreground; says whether and
//                     when the board took it back
//   front:N           after a second, checks that the main window is in front with N
//                     boards open
//   shot:PATH         a picture of the whole main window, PATH.bmp
//
// Every log line is printed as it comes. After each "focus" line the active board is
// written to SHOTS-01.bmp, SHOTS-02.bmp, ... as soon as it shows the scanning colour
// (the highlight flashes); after each "play" line too, showing the choice pressed. A
// step waits at most 30 s. At the end the main window is closed. The exit status is 0
// when every step was done and the board ended well, 1 otherwise, 2 for a command line
// it does not understand.
#include "ScanSession.h"
#include "ShotPixels.h"

#include "limn/scanning/ScanningPrefs.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

const DWORD dwWindowTimeoutMS = 30000;
const DWORD dwStepTimeoutMS = 30000;
const DWORD dwCloseTimeoutMS = 10000;
// How long a picture of a focus may wait for the flashing highlight to show.
const int nShotTries = 20;
const DWORD dwShotRetryMS = 25;
// Two ticks of menu protection's clock and some.
const DWORD dwFrontCheckMS = 1200;

const char* const stepVerbs[] = { "press", "hold", "menu", "wait", "open", "activate", "button", "closebox", "away", "front", "shot" };

// The verb of a step ("wait" of "wait:focus"), or empty when the argument is none.
CString StepVerb(const char* pszArg)
{
    CString strArg = pszArg;
    int nColon = strArg.Find(':');
    CString strVerb = nColon >= 0 ? strArg.Left(nColon) : strArg;
    for (const char* pszVerb : stepVerbs)
    {
        if (strVerb == pszVerb)
            return strVerb;
    }
    return CString();
}

class CDriver
{
public:
    CDriver(CScanSession& session, const char* pszShots) : m_session(session), m_strShots(pszShots) {}

    // Does one step; FALSE (with the reason on standard error) when it could not.
    BOOL Step(const CString& strVerb, const CString& strArg);
    int GetShotCount() const { return m_nShots; }

private:
    // Prints the line and keeps the pictures it calls for.
    void OnLine(const CString& strLine);
    void Shot(BOOL bHighlight);
    static BOOL Hold(const CString& strArg);
    BOOL ClickDialogButton(const CString& strArg);
    BOOL TakeFrontAway();
    BOOL CheckFront(const CString& strBoards);

    CScanSession& m_session;
    CString m_strShots;
    int m_nShots = 0;
};

BOOL CDriver::Step(const CString& strVerb, const CString& strArg)
{
    printf("%s%s%s\n", (LPCSTR)strVerb, strArg.IsEmpty() ? "" : " ", (LPCSTR)strArg);
    fflush(stdout);
    BOOL bDone = FALSE;
    if (strVerb == "press")
        bDone = CScanSession::Press(strArg);
    else if (strVerb == "hold")
        bDone = Hold(strArg);
    else if (strVerb == "menu")
        bDone = m_session.OpenMenu(strArg, dwStepTimeoutMS);
    else if (strVerb == "wait")
        bDone = m_session.WaitForLine(strArg, dwStepTimeoutMS, [&](const CString& strLine) { OnLine(strLine); });
    else if (strVerb == "open")
        bDone = m_session.OpenThroughMenu(strArg, dwStepTimeoutMS);
    else if (strVerb == "activate")
        bDone = m_session.ActivateBoard(strArg);
    else if (strVerb == "button")
        bDone = ClickDialogButton(strArg);
    else if (strVerb == "closebox")
        bDone = m_session.ClickCloseBox();
    else if (strVerb == "away")
        bDone = TakeFrontAway();
    else if (strVerb == "front")
        bDone = CheckFront(strArg);
    else if (strVerb == "shot")
        bDone = m_session.ShotWindow(strArg + ".bmp");
    if (!bDone)
        fprintf(stderr, "scandriver: %s%s%s failed; the board's windows:\n%s", (LPCSTR)strVerb,
                strArg.IsEmpty() ? "" : ":", (LPCSTR)strArg, (LPCSTR)m_session.DescribeWindows());
    fflush(stdout);
    return bDone;
}

void CDriver::OnLine(const CString& strLine)
{
    printf("  %s\n", (LPCSTR)strLine);
    fflush(stdout);
    BOOL bFocus = strLine.Left(6) == "focus ";
    if (bFocus || strLine.Left(5) == "play ")
        Shot(bFocus);
}

void CDriver::Shot(BOOL bHighlight)
{
    CString strPath;
    strPath.Format("%s-%02d.bmp", (LPCSTR)m_strShots, m_nShots + 1);
    for (int nTry = 0; nTry < nShotTries; ++nTry)
    {
        if (!m_session.Shot(strPath))
            break;
        CShotPixels pixels;
        if (!bHighlight || (pixels.Read(strPath) && pixels.Contains(gScanningPrefs.GetScanColor())))
        {
            m_nShots++;
            return;
        }
        ::Sleep(dwShotRetryMS);
    }
    fprintf(stderr, "scandriver: no picture with the highlight for %s\n", (LPCSTR)strPath);
}

BOOL CDriver::Hold(const CString& strArg)
{
    int nColon = strArg.ReverseFind(':');
    if (nColon < 0)
        return FALSE;
    CString strMS = strArg.Mid(nColon + 1);
    char* pszEnd = NULL;
    unsigned long nMS = strtoul(strMS, &pszEnd, 10);
    if (strMS.IsEmpty() || *pszEnd != '\0' || nMS > dwStepTimeoutMS)
        return FALSE;
    return CScanSession::Hold(strArg.Left(nColon), (DWORD)nMS);
}

BOOL CDriver::ClickDialogButton(const CString& strArg)
{
    int nSlash = strArg.Find('/');
    if (nSlash < 0)
        return FALSE;
    HWND hDialog = m_session.WaitForDialog(strArg.Left(nSlash), dwStepTimeoutMS);
    if (hDialog == NULL)
        return FALSE;
    // The dialog takes the foreground as it opens; a click before would go elsewhere.
    for (DWORD dwStart = ::GetTickCount(); ::GetForegroundWindow() != hDialog; ::Sleep(10))
    {
        if (::GetTickCount() - dwStart >= dwStepTimeoutMS)
            return FALSE;
    }
    return CScanSession::ClickButton(hDialog, strArg.Mid(nSlash + 1));
}

BOOL CDriver::TakeFrontAway()
{
    DWORD dwBackMS = INFINITE;
    if (!m_session.TakeFrontAway(dwFrontCheckMS, &dwBackMS))
    {
        printf("  another window could not take the foreground\n");
        return FALSE;
    }
    if (dwBackMS != INFINITE)
        printf("  another window took the foreground; the board took it back after %lu ms\n", dwBackMS);
    else
        printf("  another window took the foreground, and kept it\n");
    return TRUE;
}

BOOL CDriver::CheckFront(const CString& strBoards)
{
    ::Sleep(dwFrontCheckMS);
    const size_t nBoards = m_session.GetBoards().size();
    const BOOL bFront = m_session.IsInFront();
    printf("  the board is %s, with %u %s open\n", bFront ? "in front" : "NOT in front", (unsigned)nBoards,
           nBoards == 1 ? "board" : "boards");
    return bFront && nBoards == (size_t)atoi(strBoards);
}

} // namespace

int main(int argc, char** argv)
{
    int nFirstStep = 4;
    while (nFirstStep < argc && StepVerb(argv[nFirstStep]).IsEmpty())
        ++nFirstStep;
    if (argc < 4)
    {
        fputs("usage: scandriver EXE LOG SHOTS [ARG...] STEP...\n", stderr);
        return 2;
    }

    std::vector<CString> args(argv + 4, argv + nFirstStep);
    CScanSession session;
    if (!session.Start(argv[1], args, argv[2]))
    {
        fprintf(stderr, "scandriver: %s cannot be started\n", argv[1]);
        return 1;
    }
    if (session.WaitForWindow("Choice Board", dwWindowTimeoutMS) == NULL)
    {
        fprintf(stderr, "scandriver: the board's window did not come\n");
        return 1;
    }
    CDriver driver(session, argv[3]);
    BOOL bDone = TRUE;
    for (int i = nFirstStep; bDone && i < argc; ++i)
    {
        CString strStep = argv[i];
        CString strVerb = StepVerb(strStep);
        CString strArg = strStep.GetLength() > strVerb.GetLength() ? strStep.Mid(strVerb.GetLength() + 1) : CString();
        bDone = driver.Step(strVerb, strArg);
    }
    int nStatus = session.Close(dwCloseTimeoutMS);
    int nShots = driver.GetShotCount();
    printf("%d %s of the board as %s-NN.bmp; the board ended with status %d\n", nShots,
           nShots == 1 ? "picture" : "pictures", argv[3], nStatus);
    return bDone && nStatus == 0 ? 0 : 1;
}
