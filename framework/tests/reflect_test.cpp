// Reflection: what a parent receives about a control (notifications, WM_NOTIFY,
// owner drawing, colours, scrolling, creation) handled in the control's own map.
#include <afxcmn.h>
#include <gtest/gtest.h>

#include "msg_log.h"

namespace {

// A parent that logs what reaches its own handlers.
class CParent : public CWnd
{
public:
    explicit CParent(CMsgLog& log) : m_log(log) {}
    BOOL m_bDrawItemCallsBase = TRUE;

protected:
    afx_msg void OnClicked() { m_log.Add("parent:OnClicked"); }
    afx_msg void OnClick(NMHDR*, LRESULT* pResult)
    {
        m_log.Add("parent:OnClick");
        *pResult = 1;
    }
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
    {
        m_log.Add("parent:OnDrawItem");
        if (m_bDrawItemCallsBase)
            CWnd::OnDrawItem(nIDCtl, lpDrawItemStruct);
    }

    CMsgLog& m_log;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParent, CWnd)
    ON_BN_CLICKED(7, OnClicked)
    ON_NOTIFY(NM_CLICK, 7, OnClick)
    ON_WM_DRAWITEM()
END_MESSAGE_MAP()

// A button that handles its own click; with _EX it may let the parent have it too.
class CSelfClickButton : public CWnd
{
public:
    explicit CSelfClickButton(CMsgLog& log) : m_log(log) {}

protected:
    afx_msg void OnClicked() { m_log.Add("button:OnClicked"); }
    afx_msg void OnClick(NMHDR*, LRESULT* pResult)
    {
        m_log.Add("button:OnClick");
        *pResult = 5;
    }

    CMsgLog& m_log;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfClickButton, CWnd)
    ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
    ON_NOTIFY_REFLECT(NM_CLICK, OnClick)
END_MESSAGE_MAP()

class CSharingButton : public CWnd
{
public:
    CSharingButton(CMsgLog& log, BOOL bEat) : m_log(log), m_bEat(bEat) {}

protected:
    afx_msg BOOL OnClicked()
    {
        m_log.Add("button:OnClicked");
        return m_bEat;
    }
    afx_msg BOOL OnClick(NMHDR*, LRESULT* pResult)
    {
        m_log.Add("button:OnClick");
        *pResult = 5;
        return m_bEat;
    }

    CMsgLog& m_log;
    BOOL m_bEat;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSharingButton, CWnd)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
    ON_NOTIFY_REFLECT_EX(NM_CLICK, OnClick)
END_MESSAGE_MAP()

// Creates the parent and a real push button (id 7) in it.
struct CParentAndButton
{
    explicit CParentAndButton(CMsgLog& log) : parent(log)
    {
        parent.CreateEx(0, NULL, "parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, NULL, NULL);
        hWndButton = CreateWindowExA(0, "BUTTON", "b", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 60, 24,
                                     parent.m_hWnd, (HMENU)7, NULL, NULL);
    }
    ~CParentAndButton() { parent.DestroyWindow(); }

    CParent parent;
    HWND hWndButton;
};

} // namespace

TEST(Reflection, ControlNotificationsGoToTheControlFirst)
{
    CReleaseCheck check;
    CMsgLog log;
    const struct
    {
        int nButton;    // 0 plain, 1 ON_CONTROL_REFLECT, 2 _EX letting the parent have it, 3 _EX eating it
        std::initializer_list<const char*> clicked;
        std::initializer_list<const char*> notified;
        LRESULT lNotifyResult;
    } cases[] = {
        { 0, { "parent:OnClicked" }, { "parent:OnClick" }, 1 },
        { 1, { "button:OnClicked" }, { "button:OnClick" }, 5 },
        { 2, { "button:OnClicked", "parent:OnClicked" }, { "button:OnClick", "parent:OnClick" }, 1 },
        { 3, { "button:OnClicked" }, { "button:OnClick" }, 5 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.nButton);
        CParentAndButton windows(log);
        ASSERT_NE(nullptr, windows.hWndButton);
        CSelfClickButton selfClick(log);
        CSharingButton sharing(log, c.nButton == 3);
        CWnd* pButton = c.nButton == 0 ? NULL : c.nButton == 1 ? (CWnd*)&selfClick : &sharing;
        if (pButton != NULL)
        {
            ASSERT_TRUE(pButton->SubclassWindow(windows.hWndButton));
        }

        log.Clear();
        SendMessage(windows.hWndButton, BM_CLICK, 0, 0);
        EXPECT_TRUE(log.Is(c.clicked));

        log.Clear();
        NMHDR nmhdr = { windows.hWndButton, 7, (UINT)NM_CLICK };
        EXPECT_EQ(c.lNotifyResult, windows.parent.SendMessage(WM_NOTIFY, 7, (LPARAM)&nmhdr));
        EXPECT_TRUE(log.Is(c.notified));
    }
}

namespace {

// An owner-drawn button that paints itself in one colour.
class CDrawnButton : public CWnd
{
public:
    explicit CDrawnButton(CMsgLog& log) : m_log(log) {}

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
    {
        m_log.Add(lpDrawItemStruct->hwndItem == m_hWnd ? "button:DrawItem" : "button:DrawItem of another");
        CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
        pDC->FillSolidRect(&lpDrawItemStruct->rcItem, RGB(0, 128, 255));
    }

protected:
    CMsgLog& m_log;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDrawnButton, CWnd)
    ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

} // namespace

TEST(Reflection, OwnerDrawingGoesToTheControl)
{
    CReleaseCheck check;
    CMsgLog log;
    for (BOOL bCallsBase : { TRUE, FALSE })
    {
        SCOPED_TRACE(bCallsBase);
        CParent parent(log);
        parent.m_bDrawItemCallsBase = bCallsBase;
        ASSERT_TRUE(parent.CreateEx(0, NULL, "parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, NULL, NULL));
        HWND hWndButton = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 10, 10, 40, 20,
                                          parent.m_hWnd, (HMENU)8, NULL, NULL);
        CDrawnButton button(log);
        ASSERT_TRUE(button.SubclassWindow(hWndButton));

        log.Clear();
        button.Invalidate();
        button.UpdateWindow();
        if (bCallsBase)
        {
            EXPECT_TRUE(log.Is({ "parent:OnDrawItem", "button:DrawItem" }));
            CClientDC dc(&button);
            EXPECT_EQ(RGB(0, 128, 255), dc.GetPixel(5, 5)) << "the button painted itself";
        }
        else
        {
            EXPECT_TRUE(log.Is({ "parent:OnDrawItem" })) << "a parent that keeps the message";
        }
        parent.DestroyWindow();
    }
}

namespace {

// A static control that chooses its own background brush, or leaves it to the parent.
class CColouredStatic : public CWnd
{
public:
    HBRUSH m_hbr = NULL;
    UINT m_nCtlColor = 0xFFFF;

    HBRUSH CtlColor(CDC*, UINT nCtlColor)
    {
        m_nCtlColor = nCtlColor;
        return m_hbr;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColouredStatic, CWnd)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

// A scroll bar that follows its own scrolling, and hears about its own creation.
class CSelfScrollBar : public CScrollBar
{
public:
    explicit CSelfScrollBar(CMsgLog& log) : m_log(log) {}

    void HScroll(UINT nSBCode, UINT nPos) { m_log.Add("HScroll " + std::to_string(nSBCode) + " " + std::to_string(nPos)); }
    void ParentNotify(UINT message, LPARAM lParam)
    {
        if (LOWORD(message) == WM_CREATE && (HWND)lParam == m_hWnd)
            m_log.Add("ParentNotify WM_CREATE");
    }

protected:
    CMsgLog& m_log;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfScrollBar, CScrollBar)
    ON_WM_HSCROLL_REFLECT()
    ON_WM_PARENTNOTIFY_REFLECT()
END_MESSAGE_MAP()

} // namespace

TEST(Reflection, ColoursScrollingAndCreationReachTheControl)
{
    CReleaseCheck check;
    CMsgLog log;
    CParent parent(log);
    ASSERT_TRUE(parent.CreateEx(0, NULL, "parent", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, NULL, NULL));

    CColouredStatic label;
    ASSERT_TRUE(label.Create("STATIC", "label", WS_VISIBLE, CRect(0, 0, 50, 20), &parent, 9));
    HDC hDC = GetDC(label.m_hWnd);
    HBRUSH hbrDefault = (HBRUSH)DefWindowProcA(parent.m_hWnd, WM_CTLCOLORSTATIC, (WPARAM)hDC, (LPARAM)label.m_hWnd);
    label.m_hbr = (HBRUSH)GetStockObject(DKGRAY_BRUSH);
    EXPECT_EQ((LRESULT)label.m_hbr, parent.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)hDC, (LPARAM)label.m_hWnd));
    EXPECT_EQ((UINT)CTLCOLOR_STATIC, label.m_nCtlColor);
    label.m_hbr = NULL;
    EXPECT_EQ((LRESULT)hbrDefault, parent.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)hDC, (LPARAM)label.m_hWnd))
        << "a control that chose nothing leaves the parent's default";
    ReleaseDC(label.m_hWnd, hDC);

    CSelfScrollBar scrollBar(log);
    ASSERT_TRUE(scrollBar.Create(SBS_HORZ | WS_VISIBLE, CRect(0, 30, 100, 45), &parent, 10));
    EXPECT_TRUE(log.Is({ "ParentNotify WM_CREATE" })) << "bound before its parent hears of it";
    log.Clear();
    parent.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 30), (LPARAM)scrollBar.m_hWnd);
    parent.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_LINERIGHT, 0), 0);
    EXPECT_TRUE(log.Is({ "HScroll 4 30" })) << "the window's own scroll bars concern no control";
    parent.DestroyWindow();
}
