// The shared message window of the sound engine, and its lifetime.
#include "hoard/sound/MessageWavWnd.h"

#include "hoard/sound/Wav.h"

LRESULT CMessageWavWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case MM_WOM_DONE:
    case MM_WIM_DATA:
        try
        {
            if (message == MM_WOM_DONE)
            {
                CWav* pWav = CWav::s_pPlayingWav;
                if (pWav != NULL && pWav->m_hWaveOut == (HWAVEOUT)wParam)
                    pWav->OnDonePlaying();
            }
            else
            {
                CWav* pWav = CWav::s_pRecordingWav;
                if (pWav != NULL && pWav->m_hWaveIn == (HWAVEIN)wParam)
                    pWav->OnDoneRecording();
            }
        }
        catch (CException* e)
        {
            e->Delete();
        }
        // The callback may have destroyed the last sound, and this object with it.
        return 0;
    case WM_CLOSE:
        return 0;
    case WM_NCDESTROY:
        if (CWav::s_pMessageWnd == this)
        {
            CWav::s_pMessageWnd = NULL;
            CWav::s_hMessageWnd = NULL;
        }
        break;
    }
    return CFrameWnd::WindowProc(message, wParam, lParam);
}

// CWav's side: the first sound creates the window, the last destroys it.

CMessageWavWnd* CWav::s_pMessageWnd = NULL;
HWND CWav::s_hMessageWnd = NULL;
unsigned int CWav::s_nInstances = 0;

void CWav::CreateMessageWnd()
{
    // Without the window the engine plays and records nothing; the sound itself works.
    try
    {
        auto* pWnd = new CMessageWavWnd;
        if (!pWnd->Create(NULL, "message", WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, NULL, NULL))
            return;     // a frame that failed to be created has deleted itself
        s_pMessageWnd = pWnd;
        s_hMessageWnd = pWnd->m_hWnd;
    }
    catch (CException* e)
    {
        e->Delete();
    }
}

void CWav::DestroyMessageWnd()
{
    if (s_hMessageWnd != NULL)
        ::DestroyWindow(s_hMessageWnd);
    s_pMessageWnd = NULL;
    s_hMessageWnd = NULL;
}
