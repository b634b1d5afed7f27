// recorddemo: records a short sound into a resource file with the record dialog, driven
// by a simulated user: it opens the dialog on a new sound of the file, clicks Record,
// lets half a second be recorded, clicks Stop, ticks Trim Sound and clicks Save, then
// saves the file with the new sound and tells what happened. A recording that trimming
// removes whole was silence: it is not added, and the file stays as it was.
//
//   recorddemo FILE
//
// FILE is created when it does not exist; it may hold pictures beside its sounds. The
// clicks are real mouse input on the dialog's controls. The user's "Trim Sound"
// setting, which Save writes, is put back.
#include "ExceptionText.h"

#include "hoard/res/resource.h"
#include "hoard/resources/Hoard.h"
#include "hoard/resources/ResourceClass.h"
#include "hoard/sound/RecordDlg.h"
#include "hoard/sound/RecordingSettings.h"
#include "limn/pictures/Picture.h"

#include <fcntl.h>
#include <io.h>
#include <stdio.h>

#include <functional>
#include <vector>

namespace {

// How long the user lets the dialog record, by the dialog's own clock (a device that is
// not paced in real time records more), and how long the whole session may take
// before it is given up.
const DWORD dwRecordMS = 500;
const DWORD dwSessionTimeoutMS = 30000;

void ClickOn(HWND hWnd)
{
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    ::SetCursorPos((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, inputs, sizeof(INPUT));
}

// The simulated user: steps run from a thread timer while the dialog's modal loop
// waits, each on every tick until it says it is done.
class CSimulatedUser
{
public:
    CSimulatedUser(CRecordDlg& dlg, CWav& wav) : m_dlg(dlg), m_wav(wav) {}

    void Start()
    {
        s_pUser = this;
        m_dwStart = ::GetTickCount();
        m_nTimer = ::SetTimer(NULL, 0, 50, OnTimer);
    }
    ~CSimulatedUser()
    {
        ::KillTimer(NULL, m_nTimer);
        s_pUser = NULL;
    }
    CSimulatedUser(const CSimulatedUser&) = delete;
    CSimulatedUser& operator=(const CSimulatedUser&) = delete;

    BOOL Finished() const { return m_nStep == Steps().size(); }
    const char* Quality() const { return m_pszQuality; }
    DWORD RecordedMS() const { return m_dwRecordedMS; }
    DWORD RecordedBytes() const { return m_dwRecordedBytes; }
    const char* StepNotDone() const { return Finished() ? "" : Steps()[m_nStep].pszWhat; }

private:
    struct Step
    {
        const char* pszWhat;
        BOOL (CSimulatedUser::*pfnRun)();
    };

    static const std::vector<Step>& Steps()
    {
        static const std::vector<Step> steps = {
            {"wait for the dialog", &CSimulatedUser::DialogShown},
            {"click Record", &CSimulatedUser::ClickRecord},
            {"let it record", &CSimulatedUser::Recorded},
            {"click Stop", &CSimulatedUser::ClickStop},
            {"wait for the recording to end", &CSimulatedUser::RecordingEnded},
            {"tick Trim Sound", &CSimulatedUser::TickTrim},
            {"click Save", &CSimulatedUser::ClickSave},
        };
        return steps;
    }

    HWND Item(int nID) const { return ::GetDlgItem(m_dlg.m_hWnd, nID); }

    BOOL DialogShown()
    {
        if (m_dlg.m_hWnd == NULL || !::IsWindowVisible(m_dlg.m_hWnd))
            return FALSE;
        static const struct
        {
            int nID;
            const char* pszName;
        } radios[] = {{IDC_QUALITY_HIGHEST, "highest"}, {IDC_QUALITY_MEDIUM, "medium"}, {IDC_QUALITY_LOW, "low"}};
        for (const auto& radio : radios)
        {
            if (::IsDlgButtonChecked(m_dlg.m_hWnd, radio.nID) == BST_CHECKED)
                m_pszQuality = radio.pszName;
        }
        return TRUE;
    }
    BOOL ClickRecord()
    {
        ClickOn(Item(IDC_RECORD));
        return TRUE;
    }
    BOOL Recorded()
    {
        // The recording may also end by itself, at the dialog's longest time.
        return m_dlg.m_bRecording ? m_dlg.m_dwElapsed >= dwRecordMS : m_wav.GetDataSize() != 0;
    }
    BOOL ClickStop()
    {
        if (m_dlg.m_bRecording)
            ClickOn(Item(IDC_STOP));
        return TRUE;
    }
    BOOL RecordingEnded()
    {
        if (m_dlg.m_bRecording || CWav::RecordingInProgress())
            return FALSE;
        m_dwRecordedMS = m_wav.GetPlaybackTime();
        m_dwRecordedBytes = m_wav.GetDataSize();
        return TRUE;
    }
    BOOL TickTrim()
    {
        if (::IsDlgButtonChecked(m_dlg.m_hWnd, IDC_TRIM) == BST_CHECKED)
            return TRUE;
        if (!m_bTrimClicked)
            ClickOn(Item(IDC_TRIM));
        m_bTrimClicked = TRUE;
        return FALSE;
    }
    BOOL ClickSave()
    {
        ClickOn(Item(IDOK));
        return TRUE;
    }

    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        if (s_pUser != NULL)
            s_pUser->Tick();
    }

    void Tick()
    {
        if (Finished() || m_bInTick)
            return;
        if (::GetTickCount() - m_dwStart > dwSessionTimeoutMS)
        {
            // Given up: the dialog is cancelled and the step named by the caller.
            if (m_dlg.m_hWnd != NULL)
                ::PostMessage(m_dlg.m_hWnd, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        m_bInTick = TRUE;
        while (!Finished() && (this->*Steps()[m_nStep].pfnRun)())
            ++m_nStep;
        m_bInTick = FALSE;
    }

    CRecordDlg& m_dlg;
    CWav& m_wav;
    size_t m_nStep = 0;
    DWORD m_dwStart = 0;
    UINT_PTR m_nTimer = 0;
    BOOL m_bInTick = FALSE;
    BOOL m_bTrimClicked = FALSE;
    const char* m_pszQuality = "none";
    DWORD m_dwRecordedMS = 0;
    DWORD m_dwRecordedBytes = 0;

    static CSimulatedUser* s_pUser;
};

CSimulatedUser* CSimulatedUser::s_pUser = NULL;

// A recording setting as it was, put back when the demo ends.
class CKeptSetting
{
public:
    explicit CKeptSetting(const char* pszKey)
        : m_pszKey(pszKey), m_bPresent(GetRecordingSettingText(pszKey, m_strValue)) {}
    ~CKeptSetting() { WriteRecordingSettingText(m_pszKey, m_bPresent ? (LPCSTR)m_strValue : NULL); }
    CKeptSetting(const CKeptSetting&) = delete;
    CKeptSetting& operator=(const CKeptSetting&) = delete;

private:
    const char* m_pszKey;
    CString m_strValue;
    BOOL m_bPresent;
};

// How many resources of a type the file holds. The file's pictures are read and
// written by their own type, which limn registers.
UINT CountOf(const CHoard& hoard, CRuntimeClass* pClass)
{
    const CResourceList* pList = hoard.GetResourceList(pClass->m_lpszClassName);
    return pList == NULL ? 0 : (UINT)pList->GetCount();
}

int RecordInto(const char* pszPath)
{
    CHoard hoard;
    BOOL bExisted = ::GetFileAttributesA(pszPath) != INVALID_FILE_ATTRIBUTES;
    if (bExisted)
        hoard.LoadFromFile(pszPath);
    CWav* pWav = CWav::New(hoard, "recording");
    // The box starts clear, so that the recording is trimmed only when the user ticks it.
    CKeptSetting trimSetting(szTrimSound);
    WriteRecordingSetting(szTrimSound, 0);

    CRecordDlg dlg(pWav);
    CSimulatedUser user(dlg, *pWav);
    user.Start();
    INT_PTR nResult = dlg.DoModal();
    if (nResult != IDOK || !user.Finished())
    {
        fprintf(stderr, "recorddemo: the record dialog did not end with Save (step not done: %s)\n",
                user.StepNotDone());
        return 1;
    }

    const PCMWAVEFORMAT& format = pWav->GetFormat();
    printf("quality: %s, %lu samples a second, %u-bit mono\n", user.Quality(), format.wf.nSamplesPerSec,
           format.wBitsPerSample);
    printf("recorded: %lu ms (%lu bytes)\n", user.RecordedMS(), user.RecordedBytes());
    printf("after trimming: %lu ms (%lu bytes)\n", pWav->GetPlaybackTime(), pWav->GetDataSize());
    if (!pWav->CanPlay())
    {
        printf("the recording was silence all through: nothing added, the file %s\n",
               bExisted ? "is unchanged" : "was not created");
        return 0;
    }
    hoard.SaveToFile(pszPath);
    printf("saved the file with the new sound \"%s\": %u sounds, %u pictures\n", (LPCSTR)pWav->GetName(),
           CountOf(hoard, RUNTIME_CLASS(CWav)), CountOf(hoard, RUNTIME_CLASS(CPicture)));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    if (argc != 2)
    {
        fputs("usage: recorddemo FILE\n", stderr);
        return 2;
    }
    if (waveInGetNumDevs() == 0)
    {
        printf("no sound input device: nothing recorded\n");
        return 0;
    }
    CResourceClass::InitResourceClasses();
    try
    {
        return RecordInto(argv[1]);
    }
    catch (CException* e)
    {
        fprintf(stderr, "recorddemo: %s\n", (LPCSTR)ExceptionText(e));
        e->Delete();
    }
    return 1;
}
