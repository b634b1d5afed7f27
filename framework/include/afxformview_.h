// CFormView: a view made from a dialog template. The template (style WS_CHILD, no
// caption or border) is created as a child dialog in the view's place, with the view's
// control id; its controls exchange data with the view's members through
// DoDataExchange and UpdateData, as a dialog's do. The template's size is the
// document's: a window smaller than the form scrolls it as a CScrollView in MM_TEXT.
// The dialog keys (Tab, arrows, mnemonics) work, after the frames' accelerators.
#pragma once

#include "afxwin.h"

class AFX_FRAMEWORK CFormView : public CScrollView
{
    DECLARE_DYNAMIC(CFormView)
protected:
    // The template, found through the resource chain when the view is created.
    explicit CFormView(LPCTSTR lpszTemplateName);
    explicit CFormView(UINT nIDTemplate);

public:
    // Creates the form from its template; the class and window name are the template's.
    // FALSE (and the object deleted, as for any view) when the template is missing, is
    // not a child's or cannot be created.
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwRequestedStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, CCreateContext* pContext = NULL) override;

    // The frames' accelerators, then the dialog keys.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Loads the controls from the members (UpdateData(FALSE)), then the view's update.
    void OnInitialUpdate() override;

protected:
    LPCTSTR m_lpszTemplateName;
    CCreateContext* m_pCreateContext;   // while Create runs
    HWND m_hWndFocus;                   // the control that had the focus last

    // The controls draw themselves; nothing is printed unless a derived class draws.
    void OnDraw(CDC* pDC) override;
    // Leaving, and when its frame is deactivated, the view remembers which control had
    // the focus.
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;
    void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd) override;
    void PostNcDestroy() override;

    // Joins the document of the creation context that Create was given.
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    // The focus goes on to the control that had it last, else to the first tab stop.
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    // Fills list and combo boxes from the template's dialog-init data; the focus stays.
    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    void SaveFocusControl();

    BOOL* m_pbDestroyed;                // set when the object deletes itself during Create
};
