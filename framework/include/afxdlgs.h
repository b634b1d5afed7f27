// The system's common dialogs as CDialog objects: CCommonDialog, CFileDialog over
// GetOpenFileName and GetSaveFileName, CColorDialog over ChooseColor, CPrintDialog over
// PrintDlg; CFontDialog (afxfontdialog_.h) over ChooseFont and CFindReplaceDialog
// (afxfindreplace_.h) over FindText and ReplaceText. Each DoModal (or the find
// dialog's Create) runs the system's dialog with a hook that binds the object to a
// window of it when it opens, so that a derived class's message map sees its
// messages. An open or save dialog binds the object to its own child window:
// GetParent() is the dialog's frame.
#pragma once

#include "afxwin.h"

#include <commdlg.h>

#include "afxpropsheet_.h"

class AFX_FRAMEWORK CCommonDialog : public CDialog
{
    DECLARE_DYNAMIC(CCommonDialog)
public:
    explicit CCommonDialog(CWnd* pParentWnd);

protected:
    // The system's dialog ends itself: OK saves the data (a failure keeps it open)
    // and leaves the rest to it, and so does Cancel.
    void OnOK() override;
    void OnCancel() override;

    // For the hook procedures: binds the object to hWnd, the window that the system's
    // dialog hands to its hook with WM_INITDIALOG, and runs OnInitDialog; the hook's
    // result. Nothing is thrown: the dialog runs on without the object if it cannot be
    // bound.
    UINT_PTR HookInitDialog(HWND hWnd, WPARAM wParam, LPARAM lParam);
};

class AFX_FRAMEWORK CFileDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CFileDialog)
public:
    // lpszFilter pairs texts and patterns with '|' ("Sounds (*.wav)|*.wav||");
    // lpszFileName is the initial name, which may be a pattern ("*.DIB").
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = NULL, LPCTSTR lpszFileName = NULL,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = NULL,
                         CWnd* pParentWnd = NULL);

    // The settings before DoModal; lpstrFile, lpstrFilter, the hook and lCustData are
    // the object's own.
    OPENFILENAME m_ofn;

    // IDOK when the user chose a file, IDCANCEL otherwise (also when the system's
    // dialog failed: CommDlgExtendedError says why).
    int DoModal() override;

// The choice; while the dialog is open, what it shows at the moment, and in
// OnFileNameOK the name it is about to accept
    CString GetPathName() const;
    // The name with its extension, without the folder.
    CString GetFileName() const;
    // After the last full stop of the name; empty without one.
    CString GetFileExt() const;
    // The name up to its last full stop.
    CString GetFileTitle() const;
    BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }
    // The files of an OFN_ALLOWMULTISELECT choice: the first position, then each path.
    POSITION GetStartPosition() const { return (POSITION)m_ofn.lpstrFile; }
    CString GetNextPathName(POSITION& pos) const;

// While the dialog is open
    CString GetFolderPath() const;
    void SetControlText(int nID, LPCSTR lpsz);
    void HideControl(int nID);
    void SetDefExt(LPCSTR lpsz);

protected:
    // CDN_FILEOK: FALSE accepts the name, TRUE keeps the dialog open.
    virtual BOOL OnFileNameOK();
    // CDN_SHAREVIOLATION: OFN_SHAREWARN (the default), OFN_SHARENOWARN or OFN_SHAREFALLTHROUGH.
    virtual UINT OnShareViolation(LPCTSTR lpszPathName);
    virtual void OnInitDone();
    virtual void OnFileNameChange();
    virtual void OnFolderChange();
    virtual void OnTypeChange();

    // The CDN_ notifications of the dialog to the virtual functions above.
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    BOOL m_bOpenFileDialog;
    CString m_strFilter;                // the filter with NULs for '|', ending in two
    TCHAR m_szFileTitle[_MAX_FNAME];
    TCHAR m_szFileName[_MAX_PATH];

private:
    static UINT_PTR CALLBACK HookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    // A CDM_ query of the dialog's frame into a string.
    CString QueryDialog(UINT nMsg) const;
    // Whether the names come from the dialog (open, and not validating a name it has
    // already put into m_ofn).
    BOOL AsksDialog() const { return m_hWnd != NULL && !m_bValidating; }

    BOOL m_bValidating;     // in OnFileNameOK
};

class AFX_FRAMEWORK CColorDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CColorDialog)
public:
    // clrInit 0 (black) starts from the dialog's own choice.
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = NULL);

    CHOOSECOLOR m_cc;

    int DoModal() override;
    // While open, shows clr as the current colour.
    void SetCurrentColor(COLORREF clr);
    COLORREF GetColor() const { return m_cc.rgbResult; }
    // The 16 custom colours every colour dialog of the process shares; white at first.
    static COLORREF* PASCAL GetSavedCustomColors() { return clrSavedCustom; }
    static COLORREF clrSavedCustom[16];

protected:
    // OK with m_cc.rgbResult chosen: FALSE accepts it, TRUE keeps the dialog open.
    virtual BOOL OnColorOK();

    // The dialog's question to its hook whether to accept the colour.
    afx_msg LRESULT HandleColorOK(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    static UINT_PTR CALLBACK HookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
};

// The Print dialog, or with bPrintSetupOnly the Print Setup dialog. The DEVMODE and
// DEVNAMES that m_pd holds after DoModal or GetDefaults belong to the caller (with
// CWinApp::DoPrintDialog, to the application), and so does a device context in m_pd.hDC.
class AFX_FRAMEWORK CPrintDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CPrintDialog)
public:
    explicit CPrintDialog(BOOL bPrintSetupOnly,
                          DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS
                                          | PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                          CWnd* pParentWnd = NULL);

    PRINTDLG m_pd;

    // IDOK when the user chose to print (or set up), IDCANCEL otherwise, also when
    // there is no printer: CommDlgExtendedError says why.
    int DoModal() override;
    // The default printer's DEVMODE and DEVNAMES (and with PD_RETURNDC its device
    // context) into m_pd without showing the dialog; FALSE without a default printer
    // (CommDlgExtendedError gives PDERR_NODEFAULTPRN). m_pd.hDevMode and hDevNames must
    // be NULL: PrintDlg refuses to replace them (PDERR_RETDEFFAILURE).
    BOOL GetDefaults();

// After DoModal or GetDefaults
    int GetCopies() const;
    BOOL PrintCollate() const;
    BOOL PrintSelection() const { return (m_pd.Flags & PD_SELECTION) != 0; }
    BOOL PrintAll() const { return !PrintRange() && !PrintSelection(); }
    BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
    BOOL PrintToFile() const { return (m_pd.Flags & PD_PRINTTOFILE) != 0; }
    int GetFromPage() const { return PrintRange() ? m_pd.nFromPage : -1; }
    int GetToPage() const { return PrintRange() ? m_pd.nToPage : -1; }
    // Locked for the lifetime of m_pd.hDevMode; NULL without one.
    LPDEVMODE GetDevMode() const;
    CString GetDriverName() const;
    CString GetDeviceName() const;
    CString GetPortName() const;
    // m_pd.hDC, which DoModal or GetDefaults made with PD_RETURNDC; owned by the caller.
    HDC GetPrinterDC() const;
    // A device context for the printer of m_pd.hDevNames and m_pd.hDevMode, kept in
    // m_pd.hDC (one made before is deleted); NULL when there is no printer.
    HDC CreatePrinterDC();

private:
    static UINT_PTR CALLBACK HookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    // A string of m_pd.hDevNames at the offset that pick gives.
    CString DevNamesString(WORD DEVNAMES::*pOffset) const;
};

#include "afxfontdialog_.h"
#include "afxfindreplace_.h"
