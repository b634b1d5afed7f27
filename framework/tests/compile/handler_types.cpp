// Compiled, not run: CASE 0 maps handlers of the right types and must compile; every
// other CASE maps one handler of a wrong type and must not.
#include <afxwin.h>

class CHandlers : public CWnd
{
protected:
#if CASE == 1
    afx_msg void OnTimer(UINT_PTR nIDEvent);                // a later signature
#elif CASE == 2
    afx_msg void OnCommandX(UINT nID);                      // ON_COMMAND takes none
#elif CASE == 3
    afx_msg LONG OnMessageX(UINT wParam, LONG lParam);      // a 16-bit signature
#elif CASE == 4
    afx_msg void OnCreate(LPCREATESTRUCT lpCreateStruct);   // must return int
#elif CASE == 5
    afx_msg HBRUSH OnQueryDragIcon();                       // must return HCURSOR
#elif CASE == 6
    afx_msg void OnNcLButtonDown(UINT nHitTest, POINT point);   // takes a CPoint
#else
    afx_msg void OnTimer(UINT nIDEvent);
    afx_msg void OnCommandX();
    afx_msg LRESULT OnMessageX(WPARAM wParam, LPARAM lParam);
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnUpdateX(CCmdUI* pCmdUI);
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
#endif

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHandlers, CWnd)
#if CASE == 0 || CASE == 1
    ON_WM_TIMER()
#endif
#if CASE == 0 || CASE == 2
    ON_COMMAND(100, OnCommandX)
#endif
#if CASE == 0 || CASE == 3
    ON_MESSAGE(WM_USER, OnMessageX)
#endif
#if CASE == 0 || CASE == 4
    ON_WM_CREATE()
#endif
#if CASE == 0
    ON_UPDATE_COMMAND_UI(100, OnUpdateX)
#endif
#if CASE == 0 || CASE == 5
    ON_WM_QUERYDRAGICON()
#endif
#if CASE == 0 || CASE == 6
    ON_WM_NCLBUTTONDOWN()
#endif
END_MESSAGE_MAP()
