// The record dialog.
#include "hoard/sound/RecordDlg.h"

#include "hoard/res/resource.h"
#include "hoard/resources/Hoard.h"
#include "hoard/runtime/HoardModule.h"
#include "hoard/sound/RecordingSettings.h"

CRecordDlg* CRecordDlg::s_pRecordDlg = NULL;
BOOL CRecordDlg::s_bInStop = FALSE;

BEGIN_MESSAGE_MAP(CRecordDlg, CDialog)
    ON_BN_CLICKED(IDC_RECORD, OnRecord)
    ON_BN_CLICKED(IDC_STOP, OnStop)
    ON_BN_CLICKED(IDC_PLAY, OnPlay)
    ON_BN_CLICKED(IDC_PAUSE, OnPause)
    ON_BN_CLICKED(IDC_QUALITY_HIGHEST, OnQuality)
    ON_BN_CLICKED(IDC_QUALITY_MEDIUM, OnQuality)
    ON_BN_CLICKED(IDC_QUALITY_LOW, OnQuality)
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

const UINT_PTR nProgressTimer = 1;
const UINT nProgressStepMS = 100;

// The radio buttons from the top: Highest, Medium, Low.
const CWav::RecordQuality qualities[] = { CWav::qualityHighest, CWav::qualityMedium, CWav::qualityLow };

// The longest recording of the settings, in ms; times beyond 32 bits stay at the
// largest one, which StartRecording refuses.
DWORD MaxTimeFromSettings()
{
    ULONGLONG nMS = (ULONGLONG)(UINT)GetRecordingSetting(szMaxSecondsBuffer, 30) * 1000;
    return nMS > 0xFFFFFFFF ? 0xFFFFFFFF : (DWORD)nMS;
}

// Clears a flag on every way out.
class CFlagScope
{
public:
    explicit CFlagScope(BOOL& bFlag) : m_bFlag(bFlag) { m_bFlag = TRUE; }
    ~CFlagScope() { m_bFlag = FALSE; }
    CFlagScope(const CFlagScope&) = delete;
    CFlagScope& operator=(const CFlagScope&) = delete;

private:
    BOOL& m_bFlag;
};

} // namespace

CRecordDlg::CRecordDlg(CWav* pWav, CWnd* pParent)
    : CDialog(CWav::GetRecordNameFlag() ? IDD_RECORD_NAMED : IDD_RECORD, pParent),
      m_nQuality(1), m_strName(pWav->GetName()), m_bTrim(FALSE), m_pWav(pWav),
      m_bRecording(FALSE), m_bPlaying(FALSE), m_dwMaxTime(MaxTimeFromSettings()), m_dwElapsed(0),
      m_nProgressWidth(0), m_bUntrimmedRecording(FALSE)
{
    s_pRecordDlg = this;
    // hoard's own pictures, whatever other modules number 10000 to 10003.
    for (int i = 0; i < 4; ++i)
        m_bmLevel[i].Attach(::LoadBitmap(HoardResourceHandle(), MAKEINTRESOURCE(IDB_LEVEL0 + i)));
}

CRecordDlg::~CRecordDlg()
{
    if (s_pRecordDlg == this)
        s_pRecordDlg = NULL;
}

void CRecordDlg::RecordDlgCallback(CWav*)
{
    if (s_pRecordDlg != NULL)
        s_pRecordDlg->OnStop();
}

CString CRecordDlg::FormatMaxTime(DWORD dwMaxTime)
{
    DWORD s = dwMaxTime / 1000;
    CString str;
    str.Format("%lu:%02lu", s / 60, s % 60);
    return str;
}

void CRecordDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    if (!pDX->m_bSaveAndValidate)
        m_bTrim = GetRecordingSetting(szTrimSound, 0) != 0;
    DDX_Control(pDX, IDC_MAX_TIME, m_stcMaxTime);
    DDX_Control(pDX, IDOK, m_btnSave);
    DDX_Control(pDX, IDC_LEVEL, m_btnLevel);
    DDX_Control(pDX, IDC_PROGRESS_FRAME, m_grpProgress);
    DDX_Radio(pDX, IDC_QUALITY_HIGHEST, m_nQuality);
    DDX_Text(pDX, IDC_SOUND_NAME, m_strName);
    DDX_Check(pDX, IDC_TRIM, m_bTrim);
    m_btnLevel.SetBitmap((HBITMAP)m_bmLevel[0].GetSafeHandle());
    if (pDX->m_bSaveAndValidate)
    {
        WriteRecordingSetting(szTrimSound, m_bTrim ? 1 : 0);
        return;
    }
    m_btnSave.EnableWindow(FALSE);
    m_stcMaxTime.SetWindowText(FormatMaxTime(m_dwMaxTime));
}

BOOL CRecordDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_btnRecord.AutoLoad(IDC_RECORD, this);
    m_btnStop.AutoLoad(IDC_STOP, this);
    m_btnPause.AutoLoad(IDC_PAUSE, this);
    m_btnPlay.AutoLoad(IDC_PLAY, this);
    m_btnPlay.EnableWindow(FALSE);
    m_btnStop.EnableWindow(FALSE);
    if (m_pWav->CanPlay())
        m_btnPlay.EnableWindow(TRUE);

    m_grpProgress.GetWindowRect(&m_rcProgress);
    ScreenToClient(&m_rcProgress);
    m_rcProgress.DeflateRect(2, 3);
    m_rcProgress.top += 5;
    m_btnLevel.GetWindowRect(&m_rcLevel);
    ScreenToClient(&m_rcLevel);

    SetTimer(nProgressTimer, nProgressStepMS, NULL);
    return TRUE;
}

void CRecordDlg::PointAtStop()
{
    CRect rc;
    m_btnStop.GetWindowRect(&rc);
    ::SetCursorPos(rc.right - 8, rc.bottom - 8);
}

void CRecordDlg::OnRecord()
{
    if (m_bRecording)
    {
        OnStop();
        return;
    }
    if (m_bPlaying)
        OnStop();
    BOOL bStarted;
    {
        CWaitCursor wait;
        if (!UpdateData(TRUE))
            return;
        CWav::RecordQuality quality =
            m_nQuality >= 0 && m_nQuality < 3 ? qualities[m_nQuality] : CWav::qualityMedium;
        m_btnRecord.SetState(TRUE);
        m_btnStop.EnableWindow(TRUE);
        m_btnPlay.EnableWindow(FALSE);
        m_dwElapsed = 0;
        m_bRecording = TRUE;
        bStarted = m_pWav->StartRecording(quality, m_dwMaxTime, RecordDlgCallback);
        if (bStarted)
            PointAtStop();
    }
    if (!bStarted)
    {
        // Back to idle, with the sound as it was, and the user told why nothing records.
        m_bRecording = FALSE;
        m_btnRecord.SetState(FALSE);
        m_btnStop.EnableWindow(FALSE);
        m_btnPlay.EnableWindow(m_pWav->CanPlay());
        MessageBox(HoardLoadString(IDS_CANT_RECORD), NULL, MB_OK | MB_ICONEXCLAMATION);
    }
}

void CRecordDlg::OnPlay()
{
    if (m_bPlaying)
        return;
    // Play stops whatever else plays; a recording of this dialog ends first.
    if (m_bRecording || CWav::SoundInProgress())
        OnStop();
    m_btnPlay.SetState(TRUE);
    m_btnStop.EnableWindow(TRUE);
    m_btnRecord.EnableWindow(FALSE);
    m_dwElapsed = 0;
    m_bPlaying = TRUE;
    m_pWav->Play(FALSE, RecordDlgCallback);
    // A playback that could not start has ended already.
    if (m_bPlaying)
        PointAtStop();
}

void CRecordDlg::OnStop()
{
    // Stopping a recording or playback calls back into here: that call returns at once.
    if (s_bInStop || (!m_bRecording && !m_bPlaying))
        return;
    CFlagScope guard(s_bInStop);
    BOOL bWasRecording = m_bRecording, bWasPlaying = m_bPlaying;
    m_bRecording = m_bPlaying = FALSE;
    if (bWasRecording)
    {
        m_btnRecord.SetState(FALSE);
        m_pWav->StopRecording();
        // The box as it is now, even if it was ticked while recording.
        m_bTrim = IsDlgButtonChecked(IDC_TRIM) == BST_CHECKED;
        m_bUntrimmedRecording = TRUE;
        if (m_bTrim)
            TrimRecording();
        else
            m_pWav->FilterNoiseSound();
        m_btnPlay.EnableWindow(m_pWav->CanPlay());
        m_btnSave.EnableWindow(TRUE);
    }
    if (bWasPlaying)
    {
        m_pWav->StopPlaying();
        m_pWav->OnDonePlaying();
        m_btnPlay.SetState(FALSE);
        m_btnRecord.EnableWindow(TRUE);
    }
    m_btnStop.EnableWindow(FALSE);
}

void CRecordDlg::TrimRecording()
{
    m_bUntrimmedRecording = FALSE;
    m_pWav->TrimSound();
    m_dwElapsed = m_pWav->GetPlaybackTime();
    DrawProgress();
}

void CRecordDlg::OnQuality() { UpdateData(TRUE); }

void CRecordDlg::OnTimer(UINT nIDEvent)
{
    if (nIDEvent != nProgressTimer)
    {
        CDialog::OnTimer(nIDEvent);
        return;
    }
    if (m_bRecording || m_bPlaying)
    {
        m_dwElapsed += nProgressStepMS;
        DrawProgress();
    }
}

void CRecordDlg::OnPaint()
{
    CPaintDC dc(this);
    DrawProgress();
}

void CRecordDlg::DrawProgress()
{
    if (m_dwMaxTime == 0)
        return;
    DWORD dwShown = m_dwElapsed < m_dwMaxTime ? m_dwElapsed : m_dwMaxTime;
    int nWidth = (int)((LONGLONG)m_rcProgress.Width() * dwShown / m_dwMaxTime);
    // The width is remembered before the paint, which draws the bar through here too:
    // that paint then finds nothing shorter to erase.
    BOOL bShorter = nWidth < m_nProgressWidth;
    m_nProgressWidth = nWidth;
    if (bShorter)
    {
        InvalidateRect(&m_rcProgress, TRUE);
        UpdateWindow();
    }

    CClientDC dc(this);
    CBrush brush(RGB(0, 0, 255));
    CBrush* pOldBrush = dc.SelectObject(&brush);
    dc.Rectangle(m_rcProgress.left, m_rcProgress.top, m_rcProgress.left + nWidth, m_rcProgress.bottom);
    dc.SelectObject(pOldBrush);

    CBitmap& level = m_bmLevel[m_pWav->GetInVolume() / 64];
    CDC dcLevel;
    if (level.GetSafeHandle() != NULL && dcLevel.CreateCompatibleDC(&dc))
    {
        CBitmap* pOldBitmap = dcLevel.SelectObject(&level);
        dc.BitBlt(m_rcLevel.left, m_rcLevel.top, m_rcLevel.Width(), m_rcLevel.Height(), &dcLevel, 0, 0, SRCCOPY);
        dcLevel.SelectObject(pOldBitmap);
    }
}

void CRecordDlg::OnOK()
{
    OnStop();
    // Save keeps a recording made here; before there is one, Enter does nothing.
    if (!m_btnSave.IsWindowEnabled() || !UpdateData(TRUE))
        return;
    // Trim Sound ticked after the recording ended trims what is saved.
    if (m_bTrim && m_bUntrimmedRecording)
        TrimRecording();
    // The sound's own name does not count as taken; an empty one becomes "Untitled".
    m_strName.TrimLeft();
    m_strName.TrimRight();
    if (m_strName.IsEmpty())
        m_strName = HoardLoadString(IDS_UNTITLED);
    m_pWav->SetName("");
    if (CHoard* pHoard = m_pWav->GetHoard())
        pHoard->MakeUniqueName("CWav", m_strName);
    m_pWav->SetName(m_strName);
    EndDialog(IDOK);
}

void CRecordDlg::OnCancel()
{
    OnStop();
    CDialog::OnCancel();
}

void CRecordDlg::OnDestroy()
{
    m_pWav->ClearCallBack();
    KillTimer(nProgressTimer);
    CDialog::OnDestroy();
}
