// CCtrlView: a view that is a control of a system window class (an edit control for
// CEditView). The view's window is created of that class and subclassed by the
// framework like any other, so the control paints itself and the view's message map
// sees its messages first.
#pragma once

#include "afxview_.h"

class AFX_FRAMEWORK CCtrlView : public CView
{
    DECLARE_DYNAMIC(CCtrlView)
public:
    // lpszClass: the control's window class; dwStyle: the styles it is created with, on
    // top of those the frame asks for.
    CCtrlView(LPCTSTR lpszClass, DWORD dwStyle);

    CString m_strClass;
    DWORD m_dwDefaultStyle;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    // The control draws itself; never called on the screen. Printing draws nothing
    // unless a derived class overrides it.
    void OnDraw(CDC* pDC) override;
    // The control's own painting.
    afx_msg void OnPaint();

    DECLARE_MESSAGE_MAP()
};
