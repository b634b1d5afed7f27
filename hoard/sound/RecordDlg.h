// CRecordDlg: the modal dialog in which the user records a new sound into a CWav: a
// quality, Record, Stop and Play as bitmap buttons, a progress bar against the longest
// recording ("MaxSecondsBuffer" of the recording settings), an input level picture,
// Trim Sound (remembered in the settings) and, when the record-name flag is set, a
// name. Save names the sound uniquely among the sounds of its hoard; Cancel leaves the
// sound as it is at that moment.
#pragma once

#include "hoard/sound/Wav.h"

#include <afxext.h>

class HOARD_API CRecordDlg : public CDialog
{
public:
    CRecordDlg(CWav* pWav, CWnd* pParent = NULL);
    ~CRecordDlg() override;

    // The completion callback the dialog hands to the sound: the open dialog stops.
    static void RecordDlgCallback(CWav* pWav);

    CStatic m_stcMaxTime;
    CButton m_btnSave;
    CButton m_btnLevel;
    CButton m_grpProgress;
    int m_nQuality;             // 0 Highest, 1 Medium, 2 Low
    CString m_strName;
    BOOL m_bTrim;
    CWav* m_pWav;
    CRect m_rcProgress;         // client coordinates
    CRect m_rcLevel;
    CBitmapButton m_btnRecord;
    CBitmapButton m_btnStop;
    CBitmapButton m_btnPause;
    CBitmapButton m_btnPlay;
    CBitmap m_bmLevel[4];       // quietest to loudest
    BOOL m_bRecording;          // what the dialog started
    BOOL m_bPlaying;
    DWORD m_dwMaxTime;          // ms
    DWORD m_dwElapsed;          // ms shown by the progress bar
    int m_nProgressWidth;       // the width of the bar last drawn

    // "m:ss" of a time in ms.
    static CString FormatMaxTime(DWORD dwMaxTime);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    afx_msg void OnRecord();
    afx_msg void OnStop();
    afx_msg void OnPlay();
    afx_msg void OnPause() {}
    afx_msg void OnQuality();
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT nIDEvent);
    afx_msg void OnDestroy();

    // Draws the bar of m_dwElapsed and the input level. A bar shorter than the one
    // drawn before has its old length painted over first, by one paint of the window.
    void DrawProgress();

    static CRecordDlg* s_pRecordDlg;
    static BOOL s_bInStop;              // OnStop's guard against its own callback

    DECLARE_MESSAGE_MAP()

private:
    // A recording of this dialog that Save may still trim.
    BOOL m_bUntrimmedRecording;

    // Trims the recording made here; the bar shows its new length.
    void TrimRecording();
    // Moves the mouse pointer onto Stop, 8 pixels in from its bottom-right corner.
    void PointAtStop();
};
