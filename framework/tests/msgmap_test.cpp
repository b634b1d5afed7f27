// Message maps: chaining to the base class's map and overriding through three levels,
// and the parameters each handler signature gets from the message.
#include <afxwin.h>
#include <gtest/gtest.h>

#include "msg_log.h"

namespace {

// Three levels: each answers with the name of the handler that ran.
class CLevel1 : public CWnd
{
public:
    static const AFX_MSGMAP* Map() { return GetThisMessageMap(); }

protected:
    afx_msg LRESULT OnFirst(WPARAM, LPARAM) { return 11; }
    afx_msg LRESULT OnSecond(WPARAM, LPARAM) { return 12; }
    afx_msg void OnTimer(UINT) { m_nTimerLevel = 1; }

public:
    int m_nTimerLevel = 0;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLevel1, CWnd)
    ON_MESSAGE(WM_USER + 1, OnFirst)
    ON_MESSAGE(WM_USER + 2, OnSecond)
    ON_WM_TIMER()
END_MESSAGE_MAP()

class CLevel2 : public CLevel1
{
public:
    static const AFX_MSGMAP* Map() { return GetThisMessageMap(); }

protected:
    afx_msg LRESULT OnSecond2(WPARAM, LPARAM) { return 22; }
    afx_msg LRESULT OnThird2(WPARAM, LPARAM) { return 23; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLevel2, CLevel1)
    ON_MESSAGE(WM_USER + 2, OnSecond2)
    ON_MESSAGE(WM_USER + 3, OnThird2)
END_MESSAGE_MAP()

class CLevel3 : public CLevel2
{
public:
    static const AFX_MSGMAP* Map() { return GetThisMessageMap(); }

protected:
    afx_msg LRESULT OnFirst3(WPARAM, LPARAM) { return 31; }
    // A handler of the same name as the base's: the entry names this one.
    afx_msg void OnTimer(UINT) { m_nTimerLevel = 3; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLevel3, CLevel2)
    ON_MESSAGE(WM_USER + 1, OnFirst3)
    ON_WM_TIMER()
END_MESSAGE_MAP()

} // namespace

TEST(MessageMaps, ChainToTheBaseAndOverrideThroughThreeLevels)
{
    CReleaseCheck check;
    const AFX_MSGMAP* pMap3 = CLevel3::Map();
    ASSERT_NE(nullptr, pMap3->pfnGetBaseMap);
    EXPECT_EQ(CLevel2::Map(), pMap3->pfnGetBaseMap());
    EXPECT_EQ(CLevel1::Map(), CLevel2::Map()->pfnGetBaseMap());

    const struct
    {
        UINT message;
        LRESULT level1, level2, level3;
    } cases[] = {
        { WM_USER + 1, 11, 11, 31 },
        { WM_USER + 2, 12, 22, 22 },
        { WM_USER + 3, 0, 23, 23 },     // 0: USER's default
        { WM_USER + 4, 0, 0, 0 },
    };
    CLevel1 wnd1;
    CLevel2 wnd2;
    CLevel3 wnd3;
    CWnd* windows[] = { &wnd1, &wnd2, &wnd3 };
    for (CWnd* pWnd : windows)
        ASSERT_TRUE(pWnd->CreateEx(0, NULL, "level", WS_OVERLAPPED, 0, 0, 50, 50, NULL, NULL));
    for (const auto& c : cases)
    {
        SCOPED_TRACE(MsgName(c.message));
        EXPECT_EQ(c.level1, wnd1.SendMessage(c.message));
        EXPECT_EQ(c.level2, wnd2.SendMessage(c.message));
        EXPECT_EQ(c.level3, wnd3.SendMessage(c.message));
    }
    wnd2.SendMessage(WM_TIMER, 5);
    wnd3.SendMessage(WM_TIMER, 5);
    EXPECT_EQ(1, wnd2.m_nTimerLevel);
    EXPECT_EQ(3, wnd3.m_nTimerLevel);
    for (CWnd* pWnd : windows)
        pWnd->DestroyWindow();
}

namespace {

// Writes what each handler received into the log, in the order of the parameters.
class CArgsWnd : public CWnd
{
public:
    explicit CArgsWnd(CMsgLog& log) : m_log(log) {}

    static UINT s_nRegistered;
    HBRUSH m_hbrAnswer = NULL;

protected:
    void Log(const char* pszFormat, ...)
    {
        char sz[160];
        va_list args;
        va_start(args, pszFormat);
        vsnprintf(sz, sizeof sz, pszFormat, args);
        va_end(args);
        m_log.Add(sz);
    }
    // Temporary and permanent objects print as the handle they wrap.
    static void* H(const CWnd* pWnd) { return pWnd != NULL ? (void*)pWnd->m_hWnd : NULL; }

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point) { Log("OnLButtonDown %u %ld,%ld", nFlags, point.x, point.y); }
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point) { Log("OnRButtonUp %u %ld,%ld", nFlags, point.x, point.y); }
    afx_msg void OnMouseMove(UINT nFlags, CPoint point) { Log("OnMouseMove %u %ld,%ld", nFlags, point.x, point.y); }
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) { Log("OnChar %c %u 0x%x", nChar, nRepCnt, nFlags); }
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) { Log("OnKeyDown %u %u 0x%x", nChar, nRepCnt, nFlags); }
    afx_msg void OnSize(UINT nType, int cx, int cy) { Log("OnSize %u %d %d", nType, cx, cy); }
    afx_msg void OnTimer(UINT nIDEvent) { Log("OnTimer %u", nIDEvent); }
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
        { Log("OnActivate %u %p %d", nState, H(pWndOther), bMinimized); }
    afx_msg void OnActivateApp(BOOL bActive, HTASK hTask) { Log("OnActivateApp %d %p", bActive, (void*)hTask); }
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus) { Log("OnShowWindow %d %u", bShow, nStatus); }
    afx_msg void OnSetFocus(CWnd* pOldWnd) { Log("OnSetFocus %p", H(pOldWnd)); }
    afx_msg void OnKillFocus(CWnd* pNewWnd) { Log("OnKillFocus %p", H(pNewWnd)); }
    afx_msg void OnCompacting(UINT nCpuTime) { Log("OnCompacting %u", nCpuTime); }
    afx_msg BOOL OnEraseBkgnd(CDC* pDC) { Log("OnEraseBkgnd %p", (void*)pDC->m_hDC); return 5; }
    afx_msg BOOL OnQueryNewPalette() { Log("OnQueryNewPalette"); return 6; }
    afx_msg void OnPaletteChanged(CWnd* pFocusWnd) { Log("OnPaletteChanged %p", H(pFocusWnd)); }
    afx_msg void OnInitMenu(CMenu* pMenu) { Log("OnInitMenu %p", (void*)pMenu->m_hMenu); }
    afx_msg void OnInitMenuPopup(CMenu* pMenu, UINT nIndex, BOOL bSysMenu)
        { Log("OnInitMenuPopup %p %u %d", (void*)pMenu->m_hMenu, nIndex, bSysMenu); }
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
        { Log("OnHScroll %u %u %p", nSBCode, nPos, H(pScrollBar)); }
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
    {
        Log("OnCtlColor %p %p %u", (void*)pDC->m_hDC, H(pWnd), nCtlColor);
        return m_hbrAnswer;
    }
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDIS) { Log("OnDrawItem %d %u", nIDCtl, lpDIS->itemID); }
    afx_msg void OnClose() { Log("OnClose"); }
    afx_msg LRESULT OnRegistered(WPARAM wParam, LPARAM lParam) { Log("OnRegistered %u %ld", (UINT)wParam, (long)lParam); return 8; }
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo) { Log("OnHelpInfo %d", pHelpInfo->iCtrlId); return 7; }
    afx_msg void OnIconEraseBkgnd(CDC* pDC) { Log("OnIconEraseBkgnd %p", (void*)pDC->m_hDC); }
    afx_msg void OnWinIniChange(LPCTSTR lpszSection) { Log("OnWinIniChange %s", lpszSection); }
    afx_msg void OnDevModeChange(LPTSTR lpDeviceName) { Log("OnDevModeChange %s", lpDeviceName); }
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
    {
        Log("OnNcCalcSize %d %ld", bCalcValidRects, lpncsp->rgrc[0].right);
        lpncsp->rgrc[0].right -= 10;
    }

    CMsgLog& m_log;

    DECLARE_MESSAGE_MAP()
};

UINT CArgsWnd::s_nRegistered = RegisterWindowMessageA("framework test registered message");

BEGIN_MESSAGE_MAP(CArgsWnd, CWnd)
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_CHAR()
    ON_WM_KEYDOWN()
    ON_WM_SIZE()
    ON_WM_TIMER()
    ON_WM_ACTIVATE()
    ON_WM_ACTIVATEAPP()
    ON_WM_SHOWWINDOW()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_COMPACTING()
    ON_WM_ERASEBKGND()
    ON_WM_QUERYNEWPALETTE()
    ON_WM_PALETTECHANGED()
    ON_WM_INITMENU()
    ON_WM_INITMENUPOPUP()
    ON_WM_HSCROLL()
    ON_WM_CTLCOLOR()
    ON_WM_DRAWITEM()
    ON_WM_CLOSE()
    ON_REGISTERED_MESSAGE(s_nRegistered, OnRegistered)
    ON_WM_HELPINFO()
    ON_WM_ICONERASEBKGND()
    ON_WM_WININICHANGE()
    ON_WM_DEVMODECHANGE()
    ON_WM_NCCALCSIZE()
END_MESSAGE_MAP()

// The same message as WM_WININICHANGE, as later programs name it.
class CSettingWnd : public CWnd
{
public:
    UINT m_uFlags = 0;
    CString m_strSection;

protected:
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
    {
        m_uFlags = uFlags;
        m_strSection = lpszSection;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSettingWnd, CWnd)
    ON_WM_SETTINGCHANGE()
END_MESSAGE_MAP()

std::string Format(const char* pszFormat, ...)
{
    char sz[160];
    va_list args;
    va_start(args, pszFormat);
    vsnprintf(sz, sizeof sz, pszFormat, args);
    va_end(args);
    return sz;
}

} // namespace

TEST(MessageMaps, HandlersGetTheMessageParametersUnpacked)
{
    CReleaseCheck check;
    CMsgLog log;
    CArgsWnd wnd(log);
    ASSERT_TRUE(wnd.CreateEx(0, NULL, "args", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, NULL, NULL));
    HWND hWndOther = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPED, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    HMENU hMenu = CreatePopupMenu();
    HDC hDC = GetDC(wnd.m_hWnd);
    HBRUSH hbr = (HBRUSH)GetStockObject(GRAY_BRUSH);
    wnd.m_hbrAnswer = hbr;
    HELPINFO helpInfo = { sizeof helpInfo, HELPINFO_WINDOW, 42 };
    char szSection[] = "intl";
    char szDevice[] = "Printer 1";

    const struct
    {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        LRESULT lResult;
        std::string strLogged;
    } cases[] = {
        { WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(-5, 7), 0, "OnLButtonDown 5 -5,7" },
        { WM_RBUTTONUP, 0, MAKELPARAM(300, -2), 0, "OnRButtonUp 0 300,-2" },
        { WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(1, 2), 0, "OnMouseMove 2 1,2" },
        { WM_CHAR, 'x', MAKELPARAM(3, 0x20), 0, "OnChar x 3 0x20" },
        { WM_KEYDOWN, VK_RETURN, MAKELPARAM(1, 0x1C), 0, "OnKeyDown 13 1 0x1c" },
        { WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(640, 480), 0, "OnSize 2 640 480" },
        { WM_TIMER, 9, 0, 0, "OnTimer 9" },
        { WM_ACTIVATE, MAKEWPARAM(WA_CLICKACTIVE, 1), (LPARAM)hWndOther, 0,
          Format("OnActivate 2 %p 1", (void*)hWndOther) },
        { WM_ACTIVATEAPP, TRUE, 1234, 0, Format("OnActivateApp 1 %p", (void*)1234) },
        { WM_SHOWWINDOW, FALSE, SW_PARENTCLOSING, 0, "OnShowWindow 0 1" },
        { WM_SETFOCUS, (WPARAM)hWndOther, 0, 0, Format("OnSetFocus %p", (void*)hWndOther) },
        { WM_KILLFOCUS, 0, 0, 0, Format("OnKillFocus %p", (void*)NULL) },
        { WM_COMPACTING, 0x8000, 0, 0, "OnCompacting 32768" },
        { WM_ERASEBKGND, (WPARAM)hDC, 0, 5, Format("OnEraseBkgnd %p", (void*)hDC) },
        { WM_QUERYNEWPALETTE, 0, 0, 6, "OnQueryNewPalette" },
        { WM_PALETTECHANGED, (WPARAM)hWndOther, 0, 0, Format("OnPaletteChanged %p", (void*)hWndOther) },
        { WM_INITMENU, (WPARAM)hMenu, 0, 0, Format("OnInitMenu %p", (void*)hMenu) },
        { WM_INITMENUPOPUP, (WPARAM)hMenu, MAKELPARAM(2, TRUE), 0, Format("OnInitMenuPopup %p 2 1", (void*)hMenu) },
        { WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 44), 0, 0, Format("OnHScroll 5 44 %p", (void*)NULL) },
        { WM_CTLCOLORSTATIC, (WPARAM)hDC, (LPARAM)hWndOther, (LRESULT)hbr,
          Format("OnCtlColor %p %p %d", (void*)hDC, (void*)hWndOther, CTLCOLOR_STATIC) },
        { WM_CTLCOLOREDIT, (WPARAM)hDC, (LPARAM)hWndOther, (LRESULT)hbr,
          Format("OnCtlColor %p %p %d", (void*)hDC, (void*)hWndOther, CTLCOLOR_EDIT) },
        { WM_CLOSE, 0, 0, 0, "OnClose" },
        { CArgsWnd::s_nRegistered, 3, -4, 8, "OnRegistered 3 -4" },
        { WM_HELP, 0, (LPARAM)&helpInfo, 7, "OnHelpInfo 42" },
        { WM_ICONERASEBKGND, (WPARAM)hDC, 0, 0, Format("OnIconEraseBkgnd %p", (void*)hDC) },
        { WM_WININICHANGE, 0, (LPARAM)szSection, 0, "OnWinIniChange intl" },
        { WM_DEVMODECHANGE, 0, (LPARAM)szDevice, 0, "OnDevModeChange Printer 1" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(MsgName(c.message));
        log.Clear();
        EXPECT_EQ(c.lResult, wnd.SendMessage(c.message, c.wParam, c.lParam));
        EXPECT_TRUE(log.Is({ c.strLogged.c_str() }));
    }

    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = 12;
    dis.itemID = 3;
    log.Clear();
    EXPECT_EQ(TRUE, wnd.SendMessage(WM_DRAWITEM, 12, (LPARAM)&dis)) << "a drawn item answers TRUE";
    EXPECT_TRUE(log.Is({ "OnDrawItem 12 3" }));

    // The client area is what OnNcCalcSize leaves of the window.
    CRect rcWindow;
    wnd.GetWindowRect(&rcWindow);
    log.Clear();
    wnd.SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    EXPECT_TRUE(log.Only("OnNcCalcSize").Is({ Format("OnNcCalcSize 1 %ld", rcWindow.right).c_str() }));
    CRect rcClient;
    wnd.GetClientRect(&rcClient);
    EXPECT_EQ(rcWindow.Width() - 10, rcClient.Width());

    CSettingWnd settings;
    ASSERT_TRUE(settings.CreateEx(0, NULL, "settings", WS_OVERLAPPED, 0, 0, 50, 50, NULL, NULL));
    settings.SendMessage(WM_SETTINGCHANGE, SPI_SETWORKAREA, (LPARAM)szSection);
    EXPECT_EQ((UINT)SPI_SETWORKAREA, settings.m_uFlags);
    EXPECT_STREQ("intl", settings.m_strSection);
    settings.DestroyWindow();

    EXPECT_TRUE(IsWindow(wnd.m_hWnd)) << "OnClose did not call the default, which would have destroyed it";
    ReleaseDC(wnd.m_hWnd, hDC);
    DestroyMenu(hMenu);
    DestroyWindow(hWndOther);
    wnd.DestroyWindow();
}
