// scandriver: runs the choice board on a screen document as a switch user would, with
// a script of key presses sent through SendInput, and keeps pictures of the window at
// every step of the scanning highlight.
//
//   scandriver EXE DOC LOG SHOTS STEP...
//
// EXE is the board, DOC the document it shows, LOG the event log it writes. A STEP is
// "press:KEYS" (keys as CScanSession::Press names them, e.g. press:ctrl+enter) or
// "wait:TEXT" (the next log line that is TEXT or starts with TEXT and a space, within
// 30 s). Every log line is printed as it comes. After each "focus" line the window is
// written to SHOTS-01.bmp, SHOTS-02.bmp, ... as soon as it shows the scanning colour
// (the highlight flashes); after each "play" line too, showing the choice pressed. At
// the end the board is closed. The exit status is 0 when every step was done and the
// board ended well, 1 otherwise, 2 for a command line it does not understand.
#include "ScanSession.h"
#include "ShotPixels.h"

#include "limn/scanning/ScanningPrefs.h"

#include <stdio.h>
#include <string.h>

namespace {

const DWORD dwWindowTimeoutMS = 30000;
const DWORD dwStepTimeoutMS = 30000;
const DWORD dwCloseTimeoutMS = 10000;
// How long a picture of a focus may wait for the flashing highlight to show.
const int nShotTries = 20;
const DWORD dwShotRetryMS = 25;

class CDriver
{
public:
    CDriver(CScanSession& session, const char* pszShots) : m_session(session), m_strShots(pszShots) {}

    // Prints the line and keeps the pictures it calls for.
    void OnLine(const CString& strLine)
    {
        printf("  %s\n", (LPCSTR)strLine);
        fflush(stdout);
        BOOL bFocus = strLine.Left(6) == "focus ";
        if (bFocus || strLine.Left(5) == "play ")
            Shot(bFocus);
    }

    int GetShotCount() const { return m_nShots; }

private:
    void Shot(BOOL bHighlight)
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

    CScanSession& m_session;
    CString m_strShots;
    int m_nShots = 0;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc < 6)
    {
        fputs("usage: scandriver EXE DOC LOG SHOTS STEP...\n", stderr);
        return 2;
    }
    for (int i = 5; i < argc; ++i)
    {
        if (strncmp(argv[i], "press:", 6) != 0 && strncmp(argv[i], "wait:", 5) != 0)
        {
            fprintf(stderr, "scandriver: %s is neither press:KEYS nor wait:TEXT\n", argv[i]);
            return 2;
        }
    }

    CScanSession session;
    if (!session.Start(argv[1], { argv[2] }, argv[3]))
    {
        fprintf(stderr, "scandriver: %s cannot be started\n", argv[1]);
        return 1;
    }
    if (session.WaitForWindow("Choice Board", dwWindowTimeoutMS) == NULL)
    {
        fprintf(stderr, "scandriver: the board's window did not come\n");
        return 1;
    }
    CDriver driver(session, argv[4]);
    auto onLine = [&](const CString& strLine) { driver.OnLine(strLine); };
    BOOL bDone = TRUE;
    for (int i = 5; bDone && i < argc; ++i)
    {
        if (strncmp(argv[i], "press:", 6) == 0)
        {
            printf("press %s\n", argv[i] + 6);
            bDone = CScanSession::Press(argv[i] + 6);
            if (!bDone)
                fprintf(stderr, "scandriver: unknown keys %s\n", argv[i] + 6);
        }
        else
        {
            bDone = session.WaitForLine(argv[i] + 5, dwStepTimeoutMS, onLine);
            if (!bDone)
                fprintf(stderr, "scandriver: \"%s\" did not come\n", argv[i] + 5);
        }
        fflush(stdout);
    }
    int nStatus = session.Close(dwCloseTimeoutMS);
    int nShots = driver.GetShotCount();
    printf("%d %s of the window as %s-NN.bmp; the board ended with status %d\n", nShots,
           nShots == 1 ? "picture" : "pictures", argv[4], nStatus);
    return bDone && nStatus == 0 ? 0 : 1;
}
