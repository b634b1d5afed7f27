// Control bars in a program of the usual shape: a frame with a toolbar loaded from a
// TOOLBAR resource, a status bar with the message pane and the key indicators, a view
// that paints itself in one colour, and View commands for both bars. Driven by real
// clicks and keys and by the frame's own messages, checked through what the windows
// show and store.
#include <afxext.h>
#include <afxpriv.h>
#include <gtest/gtest.h>

#include "dialog_driver.h"
#include "mdi_program.h"
#include "msg_log.h"
#include "test_resource.h"

namespace {

const COLORREF crWhite = RGB(255, 255, 255);
const COLORREF crRed = RGB(255, 0, 0);
const COLORREF crGreen = RGB(0, 160, 0);
const COLORREF crBlue = RGB(0, 0, 255);

const UINT arrIndicators[] = { ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL };

::testing::AssertionResult RectEq(const CRect& expected, const CRect& actual)
{
    if (expected == actual)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "expected (" << expected.left << "," << expected.top << ","
                                         << expected.right << "," << expected.bottom << ") got (" << actual.left
                                         << "," << actual.top << "," << actual.right << "," << actual.bottom << ")";
}

// A child's window rectangle in its parent's client coordinates.
CRect RectInParent(CWnd* pWnd)
{
    CRect rect;
    pWnd->GetWindowRect(&rect);
    pWnd->GetParent()->ScreenToClient(&rect);
    return rect;
}

// The colour at a point of the window's client area, after it repainted.
COLORREF ShownColour(CWnd* pWnd, CPoint point)
{
    pWnd->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN);
    CClientDC dc(pWnd);
    return dc.GetPixel(point);
}

// The text the status bar control shows in a pane.
std::string ShownPaneText(CStatusBar& bar, int nIndex)
{
    char sz[256] = "";
    if (LOWORD(bar.SendMessage(SB_GETTEXTLENGTH, nIndex)) < sizeof sz)
        bar.SendMessage(SB_GETTEXT, nIndex, (LPARAM)sz);
    return sz;
}

} // namespace

// The view: its whole client area in one colour.
class CBarsView : public CView
{
    DECLARE_DYNCREATE(CBarsView)
public:
    COLORREF m_crFill = crWhite;

protected:
    void OnDraw(CDC* pDC) override
    {
        CRect rect;
        GetClientRect(&rect);
        pDC->FillSolidRect(&rect, m_crFill);
    }
};

IMPLEMENT_DYNCREATE(CBarsView, CView)

class CBarsFrame : public CFrameWnd
{
    DECLARE_DYNCREATE(CBarsFrame)
public:
    CToolBar m_wndToolBar;
    CStatusBar m_wndStatusBar;

    BOOL m_bBlueEnabled = TRUE;
    int m_nGreenCheck = 0;
    // The update of the blue button destroys the frame (a handler that closes a window).
    BOOL m_bDestroyOnBlueUpdate = FALSE;
    int m_nBlueUpdates = 0;
    std::string m_strLastTip;       // the text of the last tool tip given

    CBarsView* View() const { return static_cast<CBarsView*>(GetActiveView()); }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs)
    {
        if (CFrameWnd::OnCreate(lpcs) == -1)
            return -1;
        if (!m_wndToolBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY)
            || !m_wndToolBar.LoadToolBar(IDR_BARSFRAME))
            return -1;
        if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(arrIndicators, _countof(arrIndicators)))
            return -1;
        return 0;
    }
    afx_msg void OnRed() { View()->m_crFill = crRed, View()->Invalidate(); }
    afx_msg void OnGreen() { View()->m_crFill = crGreen, View()->Invalidate(); }
    afx_msg void OnBlue() { View()->m_crFill = crBlue, View()->Invalidate(); }
    afx_msg void OnUpdateGreen(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_nGreenCheck); }
    afx_msg void OnUpdateBlue(CCmdUI* pCmdUI)
    {
        m_nBlueUpdates++;
        if (m_bDestroyOnBlueUpdate)
            DestroyWindow();
        else
            pCmdUI->Enable(m_bBlueEnabled);
    }

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        BOOL bHandled = CFrameWnd::OnNotify(wParam, lParam, pResult);
        NMHDR* pNMHDR = (NMHDR*)lParam;
        if (pNMHDR->code == TTN_NEEDTEXTA)
            m_strLastTip = ((TOOLTIPTEXTA*)pNMHDR)->lpszText;
        else if (pNMHDR->code == TTN_NEEDTEXTW)
        {
            char sz[80] = "";
            WideCharToMultiByte(CP_ACP, 0, ((TOOLTIPTEXTW*)pNMHDR)->lpszText, -1, sz, sizeof sz, NULL, NULL);
            m_strLastTip = sz;
        }
        return bHandled;
    }

    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CBarsFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CBarsFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_BARS_RED, OnRed)
    ON_COMMAND(ID_BARS_GREEN, OnGreen)
    ON_COMMAND(ID_BARS_BLUE, OnBlue)
    ON_UPDATE_COMMAND_UI(ID_BARS_GREEN, OnUpdateGreen)
    ON_UPDATE_COMMAND_UI(ID_BARS_BLUE, OnUpdateBlue)
END_MESSAGE_MAP()

namespace {

// The program: its application object, and the frame as its main window at 400 by
// 300, in the foreground. Idle() is the idle time of the application's message loop.
class CBarsProgram
{
public:
    CWinApp m_app;
    CBarsFrame* m_pFrame;

    CBarsProgram() : m_app("Bars")
    {
        m_app.m_nCmdShow = SW_SHOW;
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CBarsView);
        m_pFrame = new CBarsFrame;
        if (!m_pFrame->LoadFrame(IDR_BARSFRAME, WS_OVERLAPPEDWINDOW, NULL, &context))
        {
            m_pFrame = NULL;
            ADD_FAILURE() << "the frame was not created";
            return;
        }
        m_app.m_pMainWnd = m_pFrame;
        m_pFrame->InitialUpdateFrame(NULL, TRUE);
        m_pFrame->SetWindowPos(NULL, 0, 0, 400, 300, SWP_NOZORDER);
        m_pFrame->SetForegroundWindow();
        PumpWaiting();
        Idle();
    }
    ~CBarsProgram()
    {
        if (m_app.m_pMainWnd != NULL)
            m_app.m_pMainWnd->DestroyWindow();
        // The main window's end ends the message loop, which is not running here.
        MSG msg;
        PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE);
    }
    CBarsProgram(const CBarsProgram&) = delete;
    CBarsProgram& operator=(const CBarsProgram&) = delete;

    void Idle() { m_app.OnIdle(0); }

    CRect Client() const
    {
        CRect rect;
        m_pFrame->GetClientRect(&rect);
        return rect;
    }
};

// Dispatches what comes in the next 300 ms.
void PumpAWhile()
{
    DWORD dwStart = GetTickCount();
    PumpUntil([dwStart] { return GetTickCount() - dwStart > 300; });
}

// Presses a toggle key twice when it is on, to leave it as it was found.
class CToggleKeyGuard
{
public:
    explicit CToggleKeyGuard(int nVirtKey) : m_nVirtKey(nVirtKey) {}
    ~CToggleKeyGuard()
    {
        PumpWaiting();
        if (GetKeyState(m_nVirtKey) & 1)
        {
            PressKey((WORD)m_nVirtKey);
            PumpUntil([this] { return !(GetKeyState(m_nVirtKey) & 1); });
        }
    }
    CToggleKeyGuard(const CToggleKeyGuard&) = delete;
    CToggleKeyGuard& operator=(const CToggleKeyGuard&) = delete;

private:
    int m_nVirtKey;
};

// Each test runs the program, and checks that it leaves nothing behind.
class CBarsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, program.m_pFrame);
        pFrame = program.m_pFrame;
    }

    CReleaseCheck check;    // made first, checks last
    CBarsProgram program;
    CBarsFrame* pFrame = NULL;
};

using BarsProgram = CBarsTest;
using ToolBar = CBarsTest;
using Docking = CBarsTest;
using StatusBar = CBarsTest;

} // namespace

// Layout

TEST_F(BarsProgram, TheViewFillsWhatTheBarsLeave)
{
    CRect rectClient = program.Client();
    CRect rectToolBar = RectInParent(&pFrame->m_wndToolBar);
    CRect rectStatus = RectInParent(&pFrame->m_wndStatusBar);
    CRect rectView = RectInParent(pFrame->View());

    EXPECT_TRUE(RectEq(CRect(0, 0, rectClient.right, rectToolBar.bottom), rectToolBar)) << "the top, full width";
    EXPECT_GE(rectToolBar.Height(), 22) << "the buttons' height at least";
    EXPECT_TRUE(RectEq(CRect(0, rectStatus.top, rectClient.right, rectClient.bottom), rectStatus))
        << "the bottom, full width";
    EXPECT_GT(rectStatus.Height(), 10);
    EXPECT_TRUE(RectEq(CRect(0, rectToolBar.bottom, rectClient.right, rectStatus.top), rectView));

    // What the view paints reaches the bars' edges, and no further.
    pFrame->View()->m_crFill = crRed;
    CPoint ptFirst(rectView.left + 3, rectView.top + 3);
    CPoint ptLast(rectView.right - 4, rectView.bottom - 4);
    EXPECT_EQ(crRed, ShownColour(pFrame, ptFirst));
    EXPECT_EQ(crRed, ShownColour(pFrame, ptLast));
    EXPECT_NE(crRed, ShownColour(pFrame, CPoint(ptLast.x, rectStatus.top + 2)));

    // Each bar's edge toward the view is a line outside its client area.
    CRect rectToolBarClient, rectStatusClient;
    pFrame->m_wndToolBar.GetClientRect(&rectToolBarClient);
    pFrame->m_wndStatusBar.GetClientRect(&rectStatusClient);
    EXPECT_EQ(rectToolBar.Height() - 1, rectToolBarClient.Height());
    EXPECT_EQ(rectStatus.Height() - 1, rectStatusClient.Height());
    {
        CWindowDC dc(&pFrame->m_wndToolBar);
        EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), dc.GetPixel(10, rectToolBar.Height() - 1));
    }
    // Etched edges take two pixels.
    pFrame->m_wndStatusBar.SetBarStyle(CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP | CBRS_BORDER_BOTTOM | CBRS_BORDER_3D);
    pFrame->RecalcLayout();
    CRect rectStatus3D = RectInParent(&pFrame->m_wndStatusBar);
    pFrame->m_wndStatusBar.GetClientRect(&rectStatusClient);
    EXPECT_EQ(rectStatus.Height() + 3, rectStatus3D.Height());
    EXPECT_EQ(rectStatus3D.Height() - 4, rectStatusClient.Height());
    EXPECT_EQ(rectStatus3D.top, RectInParent(pFrame->View()).bottom);
    pFrame->m_wndStatusBar.SetBarStyle(CBRS_BOTTOM);
    pFrame->RecalcLayout();

    // A new size is laid out again.
    pFrame->SetWindowPos(NULL, 0, 0, 500, 360, SWP_NOZORDER | SWP_NOMOVE);
    rectClient = program.Client();
    EXPECT_EQ(rectClient.right, RectInParent(&pFrame->m_wndToolBar).right);
    EXPECT_EQ(rectClient.bottom, RectInParent(&pFrame->m_wndStatusBar).bottom);
    EXPECT_EQ(RectInParent(&pFrame->m_wndStatusBar).top, RectInParent(pFrame->View()).bottom);

    // Asked alone, the layout moves nothing and tells what the pane would get.
    CRect rectLeft;
    pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rectLeft, CRect(0, 0, 200, 100));
    EXPECT_TRUE(RectEq(CRect(0, rectToolBar.Height(), 200, 100 - rectStatus.Height()), rectLeft));
    EXPECT_EQ(rectClient.right, RectInParent(&pFrame->m_wndToolBar).right);
}

TEST_F(BarsProgram, TheViewCommandsHideTheBarsAndCheckTheirItems)
{
    EXPECT_EQ(&pFrame->m_wndToolBar, pFrame->GetControlBar(AFX_IDW_TOOLBAR));
    EXPECT_EQ(&pFrame->m_wndStatusBar, pFrame->GetControlBar(AFX_IDW_STATUS_BAR));
    EXPECT_EQ(&pFrame->m_wndStatusBar, pFrame->GetMessageBar());
    EXPECT_EQ(nullptr, pFrame->GetControlBar(AFX_IDW_TOOLBAR + 5));

    CMenu* pViewMenu = pFrame->GetMenu()->GetSubMenu(1);
    auto checked = [&](UINT nID) {
        pFrame->SendMessage(WM_INITMENUPOPUP, (WPARAM)pViewMenu->m_hMenu, 1);
        return (pViewMenu->GetMenuState(nID, MF_BYCOMMAND) & MF_CHECKED) != 0;
    };
    EXPECT_TRUE(checked(ID_VIEW_TOOLBAR));
    EXPECT_TRUE(checked(ID_VIEW_STATUS_BAR));

    int cyView = RectInParent(pFrame->View()).Height();
    int cyToolBar = RectInParent(&pFrame->m_wndToolBar).Height();
    pFrame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    EXPECT_FALSE(pFrame->m_wndToolBar.IsWindowVisible());
    EXPECT_EQ(0, RectInParent(pFrame->View()).top);
    EXPECT_EQ(cyView + cyToolBar, RectInParent(pFrame->View()).Height()) << "the view took the toolbar's room";
    EXPECT_FALSE(checked(ID_VIEW_TOOLBAR));
    EXPECT_TRUE(checked(ID_VIEW_STATUS_BAR));

    pFrame->SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
    EXPECT_TRUE(RectEq(program.Client(), RectInParent(pFrame->View()))) << "the view has it all";
    EXPECT_FALSE(checked(ID_VIEW_STATUS_BAR));

    pFrame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    pFrame->SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
    EXPECT_EQ(cyView, RectInParent(pFrame->View()).Height());
    EXPECT_TRUE(checked(ID_VIEW_TOOLBAR));

    // Shown later, at idle time.
    pFrame->ShowControlBar(&pFrame->m_wndToolBar, FALSE, TRUE);
    EXPECT_EQ(cyView, RectInParent(pFrame->View()).Height()) << "not laid out yet";
    program.Idle();
    EXPECT_EQ(cyView + cyToolBar, RectInParent(pFrame->View()).Height());

    // A bar whose window is gone leaves the frame's list; its command finds nothing.
    pFrame->m_wndToolBar.DestroyWindow();
    EXPECT_EQ(nullptr, pFrame->GetControlBar(AFX_IDW_TOOLBAR));
    pFrame->SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    EXPECT_EQ(cyView + cyToolBar, RectInParent(pFrame->View()).Height());
}

// The toolbar

TEST_F(BarsProgram, AClickOnAButtonSendsItsCommand)
{
    CToolBar& bar = pFrame->m_wndToolBar;
    CPoint ptView = RectInParent(pFrame->View()).CenterPoint();

    const struct
    {
        UINT nID;
        COLORREF crView;
    } clicks[] = { { ID_BARS_GREEN, crGreen }, { ID_BARS_BLUE, crBlue }, { ID_BARS_RED, crRed } };
    for (const auto& click : clicks)
    {
        SCOPED_TRACE(click.nID);
        CRect rect;
        bar.GetItemRect(bar.CommandToIndex(click.nID), &rect);
        bar.ClientToScreen(&rect);
        ClickAt(rect.CenterPoint());
        EXPECT_TRUE(PumpUntil([&] { return pFrame->View()->m_crFill == click.crView; }));
        EXPECT_EQ(click.crView, ShownColour(pFrame, ptView));
    }

    // The separator between green and blue sends nothing.
    CRect rectSeparator;
    bar.GetItemRect(2, &rectSeparator);
    EXPECT_EQ((UINT)ID_SEPARATOR, bar.GetItemID(2));
    bar.ClientToScreen(&rectSeparator);
    ClickAt(rectSeparator.CenterPoint());
    PumpAWhile();
    EXPECT_EQ(crRed, pFrame->View()->m_crFill);
}

TEST_F(BarsProgram, UpdateHandlersGreyAndCheckTheButtons)
{
    CToolBar& bar = pFrame->m_wndToolBar;
    int nBlue = bar.CommandToIndex(ID_BARS_BLUE);
    CRect rectBlue;
    bar.GetItemRect(nBlue, &rectBlue);
    CPoint ptBlue = rectBlue.CenterPoint();
    EXPECT_EQ(crBlue, ShownColour(&bar, ptBlue)) << "the image's middle";
    EXPECT_FALSE(bar.GetButtonStyle(nBlue) & TBBS_DISABLED);

    pFrame->m_bBlueEnabled = FALSE;
    program.Idle();
    EXPECT_TRUE(bar.GetButtonStyle(nBlue) & TBBS_DISABLED);
    EXPECT_NE(crBlue, ShownColour(&bar, ptBlue)) << "greyed";
    EXPECT_FALSE(bar.GetButtonStyle(0) & TBBS_DISABLED) << "red has a command handler";

    // A click on the greyed button does nothing.
    pFrame->View()->m_crFill = crWhite;
    bar.ClientToScreen(&rectBlue);
    ClickAt(rectBlue.CenterPoint());
    PumpAWhile();
    EXPECT_EQ(crWhite, pFrame->View()->m_crFill);

    pFrame->m_bBlueEnabled = TRUE;
    program.Idle();
    EXPECT_EQ(crBlue, ShownColour(&bar, ptBlue));

    // Checked and indeterminate, by the green button's handler.
    int nGreen = bar.CommandToIndex(ID_BARS_GREEN);
    pFrame->m_nGreenCheck = 1;
    program.Idle();
    EXPECT_EQ(TBBS_CHECKBOX | TBBS_CHECKED, bar.GetButtonStyle(nGreen) & (TBBS_CHECKBOX | TBBS_CHECKED));
    EXPECT_TRUE(bar.SendMessage(TB_ISBUTTONCHECKED, ID_BARS_GREEN));
    pFrame->m_nGreenCheck = 2;
    program.Idle();
    EXPECT_EQ(TBBS_INDETERMINATE, bar.GetButtonStyle(nGreen) & (TBBS_CHECKED | TBBS_INDETERMINATE));
    pFrame->m_nGreenCheck = 0;
    program.Idle();
    EXPECT_FALSE(bar.GetButtonStyle(nGreen) & (TBBS_CHECKED | TBBS_INDETERMINATE));

    // A hidden bar is not updated.
    pFrame->ShowControlBar(&bar, FALSE, FALSE);
    pFrame->m_bBlueEnabled = FALSE;
    program.Idle();
    EXPECT_FALSE(bar.GetButtonStyle(nBlue) & TBBS_DISABLED);
}

TEST_F(BarsProgram, AnUpdateHandlerMayDestroyTheFrame)
{
    program.m_pFrame->m_bDestroyOnBlueUpdate = TRUE;
    program.Idle();
    EXPECT_EQ(nullptr, program.m_app.m_pMainWnd) << "the frame is gone, and the walk ended with it";
}

TEST_F(BarsProgram, ToolTipsTakeTheTextAfterTheNewline)
{

    // As the tips ask for their text, narrow and wide, by id or by window.
    const struct
    {
        UINT_PTR idFrom;
        UINT uFlags;
        const char* pszTip;
    } asks[] = {
        { ID_BARS_RED, 0, "Red" },
        { ID_BARS_GREEN, 0, "Green" },
        { ID_BARS_BLUE, 0, "" },                        // a prompt without a tip
        { 0x7FFF, 0, "" },                              // no string at all
        { (UINT_PTR)pFrame->m_wndToolBar.m_hWnd, TTF_IDISHWND, "Toggle ToolBar" },
    };
    for (const auto& ask : asks)
    {
        SCOPED_TRACE(ask.pszTip);
        TOOLTIPTEXTA tta = {};
        tta.hdr.code = TTN_NEEDTEXTA;
        tta.hdr.idFrom = ask.idFrom;
        tta.uFlags = ask.uFlags;
        pFrame->SendMessage(WM_NOTIFY, ask.idFrom, (LPARAM)&tta);
        EXPECT_STREQ(ask.pszTip, tta.lpszText);
        TOOLTIPTEXTW ttw = {};
        ttw.hdr.code = TTN_NEEDTEXTW;
        ttw.hdr.idFrom = ask.idFrom;
        ttw.uFlags = ask.uFlags;
        pFrame->SendMessage(WM_NOTIFY, ask.idFrom, (LPARAM)&ttw);
        EXPECT_EQ(ask.pszTip, pFrame->m_strLastTip);
    }

    // The cursor resting on a button brings its tip.
    CRect rect;
    pFrame->m_wndToolBar.GetItemRect(1, &rect);
    pFrame->m_wndToolBar.ClientToScreen(&rect);
    pFrame->m_strLastTip.clear();
    SetCursorPos(rect.left + 1, rect.top + 1);
    SetCursorPos(rect.CenterPoint().x, rect.CenterPoint().y);
    EXPECT_TRUE(PumpUntil([&] { return !pFrame->m_strLastTip.empty(); }));
    EXPECT_EQ("Green", pFrame->m_strLastTip);

    // Without CBRS_TOOLTIPS there are none.
    pFrame->m_wndToolBar.SetBarStyle(pFrame->m_wndToolBar.GetBarStyle() & ~CBRS_TOOLTIPS);
    SetCursorPos(rect.right + 200, rect.bottom + 100);
    PumpAWhile();
    pFrame->m_strLastTip.clear();
    SetCursorPos(rect.CenterPoint().x, rect.CenterPoint().y);
    EXPECT_FALSE(PumpUntil([&] { return !pFrame->m_strLastTip.empty(); }));
}

TEST_F(ToolBar, ButtonsComeFromEitherLayoutOfTheResource)
{
    CToolBar& bar = program.m_pFrame->m_wndToolBar;

    // windres's layout, from the TOOLBAR statement.
    ASSERT_EQ(4, bar.GetCount());
    const struct
    {
        UINT nID;
        UINT nStyle;
        int iImage;
    } buttons[] = { { ID_BARS_RED, TBBS_BUTTON, 0 }, { ID_BARS_GREEN, TBBS_BUTTON, 1 }, { 0, TBBS_SEPARATOR, 6 },
                    { ID_BARS_BLUE, TBBS_BUTTON, 2 } };
    for (int nIndex = 0; nIndex < 4; nIndex++)
    {
        SCOPED_TRACE(nIndex);
        UINT nID, nStyle;
        int iImage;
        bar.GetButtonInfo(nIndex, nID, nStyle, iImage);
        EXPECT_EQ(buttons[nIndex].nID, nID);
        EXPECT_EQ(buttons[nIndex].nStyle, nStyle);
        EXPECT_EQ(buttons[nIndex].iImage, iImage);
        EXPECT_EQ(buttons[nIndex].nID, bar.GetItemID(nIndex));
    }
    EXPECT_EQ(3, bar.CommandToIndex(ID_BARS_BLUE));
    EXPECT_EQ(-1, bar.CommandToIndex(0x7FFF));
    CRect rectRed, rectGreen, rectBlue;
    bar.GetItemRect(0, &rectRed);
    bar.GetItemRect(1, &rectGreen);
    bar.GetItemRect(3, &rectBlue);
    EXPECT_EQ(CSize(23, 22), rectRed.Size()) << "the image and 7 by 7 around it";
    EXPECT_EQ(rectRed.right, rectGreen.left);
    EXPECT_EQ(rectGreen.right + 6, rectBlue.left) << "the separator between";
    EXPECT_EQ(crRed, ShownColour(&bar, rectRed.CenterPoint()));
    EXPECT_EQ(crGreen, ShownColour(&bar, rectGreen.CenterPoint()));

    // The resource compiler's layout: two buttons, the images in order.
    ASSERT_TRUE(bar.LoadToolBar(IDR_BARSWORDS));
    EXPECT_EQ(2, bar.GetCount());
    EXPECT_EQ((UINT)ID_BARS_GREEN, bar.GetItemID(0));
    EXPECT_EQ((UINT)ID_BARS_RED, bar.GetItemID(1));
    bar.GetItemRect(0, &rectGreen);
    EXPECT_EQ(crRed, ShownColour(&bar, rectGreen.CenterPoint())) << "image 0 on the first button";
    // The image well again, from a bitmap with a name.
    EXPECT_TRUE(bar.LoadBitmap("BARSIMAGES"));
    EXPECT_EQ(crRed, ShownColour(&bar, rectGreen.CenterPoint()));
    EXPECT_FALSE(bar.LoadBitmap("NOSUCHIMAGES"));

    // Refused, with the bar as it was: a count past the data, no bitmap, no resource.
    EXPECT_FALSE(bar.LoadToolBar(IDR_BARSBAD));
    EXPECT_FALSE(bar.LoadToolBar(IDR_BARSNOBMP));
    EXPECT_FALSE(bar.LoadToolBar(0x7FFF));
    EXPECT_FALSE(bar.LoadBitmap(IDR_BARSNOBMP));
    EXPECT_EQ(2, bar.GetCount());
    EXPECT_EQ((UINT)ID_BARS_GREEN, bar.GetItemID(0));
}

TEST_F(ToolBar, ButtonInfoAndStylesChangeInPlace)
{
    CToolBar& bar = program.m_pFrame->m_wndToolBar;

    // A wide separator makes room for another control, as programs do for a combo box.
    bar.SetButtonInfo(2, ID_SEPARATOR, TBBS_SEPARATOR, 80);
    CRect rectSeparator;
    bar.GetItemRect(2, &rectSeparator);
    EXPECT_EQ(80, rectSeparator.Width());
    UINT nID, nStyle;
    int iImage;
    bar.GetButtonInfo(2, nID, nStyle, iImage);
    EXPECT_EQ(80, iImage);

    // Another command and image for a button.
    bar.SetButtonInfo(0, ID_BARS_BLUE, TBBS_BUTTON, 2);
    EXPECT_EQ(0, bar.CommandToIndex(ID_BARS_BLUE)) << "the first of two";
    CRect rectFirst;
    bar.GetItemRect(0, &rectFirst);
    EXPECT_EQ(crBlue, ShownColour(&bar, rectFirst.CenterPoint()));

    bar.SetButtonStyle(1, TBBS_CHECKBOX | TBBS_CHECKED);
    EXPECT_EQ(TBBS_CHECKBOX | TBBS_CHECKED, bar.GetButtonStyle(1));
    bar.SetButtonStyle(1, TBBS_BUTTON | TBBS_DISABLED);
    EXPECT_EQ(TBBS_BUTTON | TBBS_DISABLED, bar.GetButtonStyle(1));
    EXPECT_FALSE(bar.SendMessage(TB_ISBUTTONENABLED, ID_BARS_GREEN));

    // Indexes outside the bar change nothing and read as nothing.
    for (int nIndex : { -1, 4, 1000 })
    {
        SCOPED_TRACE(nIndex);
        bar.SetButtonInfo(nIndex, ID_BARS_RED, TBBS_BUTTON, 0);
        bar.SetButtonStyle(nIndex, TBBS_CHECKED);
        bar.GetButtonInfo(nIndex, nID, nStyle, iImage);
        EXPECT_EQ(0u, nID);
        EXPECT_EQ(0u, nStyle);
        EXPECT_EQ((UINT)ID_SEPARATOR, bar.GetItemID(nIndex));
        CRect rect(1, 1, 2, 2);
        bar.GetItemRect(nIndex, &rect);
        EXPECT_TRUE(rect.IsRectNull());
    }
    EXPECT_EQ(4, bar.GetCount());
    EXPECT_FALSE(bar.SetButtons(NULL, -1));
    EXPECT_EQ(4, bar.GetCount());

    // Empty buttons to be set one by one.
    ASSERT_TRUE(bar.SetButtons(NULL, 2));
    EXPECT_EQ(2, bar.GetCount());
    EXPECT_EQ(TBBS_SEPARATOR, bar.GetButtonStyle(1));
}

TEST_F(Docking, BarsDockAlongTheSideAsked)
{
    CToolBar& bar = pFrame->m_wndToolBar;
    int cyStatus = RectInParent(&pFrame->m_wndStatusBar).Height();

    // A side that the frame or the bar does not allow: the bar stays.
    pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_LEFT);
    EXPECT_EQ((DWORD)CBRS_ALIGN_TOP, bar.GetBarStyle() & CBRS_ALIGN_ANY);
    pFrame->EnableDocking(CBRS_ALIGN_ANY);
    bar.EnableDocking(CBRS_ALIGN_TOP | CBRS_ALIGN_LEFT);
    pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_RIGHT);
    EXPECT_EQ((DWORD)CBRS_ALIGN_TOP, bar.GetBarStyle() & CBRS_ALIGN_ANY);

    pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_LEFT);
    EXPECT_EQ((DWORD)CBRS_ALIGN_LEFT, bar.GetBarStyle() & CBRS_ALIGN_ANY);
    CRect rectClient = program.Client();
    CRect rectBar = RectInParent(&bar);
    CRect rectRed, rectBlue;
    bar.GetItemRect(0, &rectRed);
    bar.GetItemRect(3, &rectBlue);
    EXPECT_EQ(rectRed.left, rectBlue.left) << "the buttons one under another";
    EXPECT_GT(rectBlue.top, rectRed.bottom);
    EXPECT_TRUE(RectEq(CRect(0, 0, rectBar.right, rectClient.bottom - cyStatus), rectBar))
        << "the left side above the status bar, which was there first";
    EXPECT_LT(rectBar.Width(), 40);
    EXPECT_EQ((DWORD)CBRS_BORDER_RIGHT, bar.GetBarStyle() & CBRS_BORDER_ANY) << "the edge facing the view";
    EXPECT_TRUE(RectEq(CRect(rectBar.right, 0, rectClient.right, rectClient.bottom - cyStatus),
                       RectInParent(pFrame->View())));

    // Back at the top, by the first side both allow.
    pFrame->DockControlBar(&bar);
    EXPECT_EQ((DWORD)CBRS_ALIGN_TOP, bar.GetBarStyle() & CBRS_ALIGN_ANY);
    bar.GetItemRect(3, &rectBlue);
    EXPECT_EQ(rectRed.top, rectBlue.top) << "one row again";
    EXPECT_EQ(0, RectInParent(pFrame->View()).left);
    EXPECT_EQ(RectInParent(&bar).bottom, RectInParent(pFrame->View()).top);
}

// The status bar

TEST_F(BarsProgram, TheMessagePaneShowsTheMenuPromptWhileTheMenuIsOpen)
{
    CStatusBar& bar = pFrame->m_wndStatusBar;
    EXPECT_EQ("Ready", ShownPaneText(bar, 0)) << "the idle message from the start";
    EXPECT_EQ("Ready", WindowText(bar.m_hWnd));

    // Alt, Enter opens the Paint menu on its first item; Down moves to the next; the
    // steps look at the message pane from within the menu's loop.
    std::vector<std::string> shown;
    static std::function<void()> s_step;
    int nStep = 0;
    s_step = [&] {
        shown.push_back(ShownPaneText(bar, 0));
        if (nStep++ == 0)
            PressKey(VK_DOWN);
        else
        {
            PressKey(VK_ESCAPE);
            PressKey(VK_ESCAPE);
        }
    };
    UINT_PTR nTimer = SetTimer(NULL, 0, 150, [](HWND, UINT, UINT_PTR, DWORD) { s_step(); });
    PressKey(VK_MENU);
    PressKey(VK_RETURN);
    PumpUntil([&] { return nStep >= 2 && ShownPaneText(bar, 0) == "Ready"; });
    KillTimer(NULL, nTimer);
    s_step = nullptr;
    EXPECT_EQ((std::vector<std::string>{ "Paint the view red", "Paint the view green" }), shown);
    EXPECT_EQ("Ready", ShownPaneText(bar, 0)) << "the menu closed";

    // Set by the program.
    pFrame->SetMessageText("Working");
    EXPECT_EQ("Working", ShownPaneText(bar, 0));
    EXPECT_EQ("Working", std::string(bar.GetPaneText(0)));
    pFrame->SetMessageText(ID_BARS_BLUE);
    EXPECT_EQ("Paint the view blue", ShownPaneText(bar, 0));
    pFrame->SetMessageText(AFX_IDS_IDLEMESSAGE);
    EXPECT_EQ("Ready", ShownPaneText(bar, 0));
    // A separator or a popup has no prompt.
    pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, MF_POPUP), (LPARAM)pFrame->GetMenu()->m_hMenu);
    EXPECT_EQ("", ShownPaneText(bar, 0));
}

TEST_F(BarsProgram, TheButtonUnderTheCursorShowsItsPrompt)
{
    CStatusBar& bar = pFrame->m_wndStatusBar;
    auto moveTo = [](CWnd* pWnd, CPoint point) {
        pWnd->ClientToScreen(&point);
        SetCursorPos(point.x, point.y);
    };
    CRect rectBlue, rectRed;
    pFrame->m_wndToolBar.GetItemRect(3, &rectBlue);
    pFrame->m_wndToolBar.GetItemRect(0, &rectRed);

    moveTo(&pFrame->m_wndToolBar, rectBlue.CenterPoint());
    EXPECT_TRUE(PumpUntil([&] { return ShownPaneText(bar, 0) == "Paint the view blue"; }));
    moveTo(&pFrame->m_wndToolBar, rectRed.CenterPoint());
    EXPECT_TRUE(PumpUntil([&] { return ShownPaneText(bar, 0) == "Paint the view red"; }));
    moveTo(pFrame->View(), CPoint(20, 20));
    EXPECT_TRUE(PumpUntil([&] { return ShownPaneText(bar, 0) == "Ready"; })) << "the cursor left the bar";

    // Without CBRS_FLYBY the message stays.
    pFrame->m_wndToolBar.SetBarStyle(pFrame->m_wndToolBar.GetBarStyle() & ~CBRS_FLYBY);
    moveTo(&pFrame->m_wndToolBar, rectBlue.CenterPoint());
    PumpAWhile();
    EXPECT_EQ("Ready", ShownPaneText(bar, 0));
}

TEST_F(BarsProgram, KeyIndicatorsShowWhileTheirKeyIsOn)
{
    CToggleKeyGuard guard(VK_CAPITAL);
    CStatusBar& bar = program.m_pFrame->m_wndStatusBar;
    int nCaps = bar.CommandToIndex(ID_INDICATOR_CAPS);
    ASSERT_EQ(1, nCaps);
    ASSERT_FALSE(GetKeyState(VK_CAPITAL) & 1) << "Caps Lock is off at the start";
    EXPECT_TRUE(bar.GetPaneStyle(nCaps) & SBPS_DISABLED);
    EXPECT_EQ("", ShownPaneText(bar, nCaps));
    EXPECT_EQ("CAP", std::string(bar.GetPaneText(nCaps))) << "kept while not shown";

    PressKey(VK_CAPITAL);
    ASSERT_TRUE(PumpUntil([] { return (GetKeyState(VK_CAPITAL) & 1) != 0; }));
    program.Idle();
    EXPECT_FALSE(bar.GetPaneStyle(nCaps) & SBPS_DISABLED);
    EXPECT_EQ("CAP", ShownPaneText(bar, nCaps));

    PressKey(VK_CAPITAL);
    ASSERT_TRUE(PumpUntil([] { return !(GetKeyState(VK_CAPITAL) & 1); }));
    program.Idle();
    EXPECT_EQ("", ShownPaneText(bar, nCaps));
}

TEST_F(StatusBar, PanesKeepTheirIdsStylesWidthsAndTexts)
{
    CStatusBar& bar = program.m_pFrame->m_wndStatusBar;
    ASSERT_EQ(4, bar.GetCount());

    // The first pane stretches over what the indicators leave; each indicator is as
    // wide as its text.
    UINT nID, nStyle;
    int cxWidth;
    bar.GetPaneInfo(0, nID, nStyle, cxWidth);
    EXPECT_EQ((UINT)ID_SEPARATOR, nID);
    EXPECT_EQ((UINT)(SBPS_NOBORDERS | SBPS_STRETCH), nStyle);
    bar.GetPaneInfo(3, nID, nStyle, cxWidth);
    EXPECT_EQ((UINT)ID_INDICATOR_SCRL, nID);
    EXPECT_GT(cxWidth, 10);
    CRect rectBar, rectFirst, rectLast, rectText;
    bar.GetClientRect(&rectBar);
    bar.GetItemRect(0, &rectFirst);
    bar.GetItemRect(3, &rectLast);
    EXPECT_LE(rectBar.right - rectLast.right, 4) << "the indicators on the right";
    EXPECT_GE(rectLast.Width(), cxWidth);
    EXPECT_GT(rectFirst.Width(), rectBar.Width() / 2);
    EXPECT_EQ(2, bar.CommandToIndex(ID_INDICATOR_NUM));
    EXPECT_EQ(-1, bar.CommandToIndex(ID_INDICATOR_OVR));

    // A wider pane pushes the stretchy one back.
    bar.SetPaneInfo(3, ID_INDICATOR_SCRL, SBPS_NORMAL, cxWidth + 50);
    CRect rectFirstNow;
    bar.GetItemRect(0, &rectFirstNow);
    EXPECT_EQ(rectFirst.Width() - 50, rectFirstNow.Width());
    bar.SetPaneStyle(3, SBPS_POPOUT);
    EXPECT_EQ((UINT)SBPS_POPOUT, bar.GetPaneStyle(3));
    char szText[64] = "";
    EXPECT_EQ((LRESULT)SBT_POPOUT, HIWORD(bar.SendMessage(SB_GETTEXT, 3, (LPARAM)szText)) & SBT_POPOUT);

    EXPECT_TRUE(bar.SetPaneText(3, "Scroll"));
    EXPECT_EQ("Scroll", std::string(bar.GetPaneText(3)));
    EXPECT_EQ("Scroll", ShownPaneText(bar, 3));

    // Nothing outside the panes.
    for (int nIndex : { -1, 4 })
    {
        EXPECT_FALSE(bar.SetPaneText(nIndex, "x"));
        EXPECT_EQ("", std::string(bar.GetPaneText(nIndex)));
        bar.SetPaneInfo(nIndex, 1, SBPS_NORMAL, 10);
        bar.GetPaneInfo(nIndex, nID, nStyle, cxWidth);
        EXPECT_EQ(0, cxWidth);
        CRect rect(1, 1, 2, 2);
        bar.GetItemRect(nIndex, &rect);
        EXPECT_TRUE(rect.IsRectNull());
    }

    // More panes than the control holds are refused, the panes kept.
    std::vector<UINT> arrMany(300, ID_SEPARATOR);
    EXPECT_FALSE(bar.SetIndicators(arrMany.data(), (int)arrMany.size()));
    EXPECT_EQ(4, bar.GetCount());
    // An indicator without a string is reported, and set all the same.
    const UINT arrMissing[] = { ID_SEPARATOR, 0x7FFF };
    EXPECT_FALSE(bar.SetIndicators(arrMissing, 2));
    EXPECT_EQ(2, bar.GetCount());
    EXPECT_EQ(0x7FFFu, bar.GetItemID(1));
    EXPECT_TRUE(bar.SetIndicators(NULL, 0));
    EXPECT_EQ(0, bar.GetCount());
    program.m_pFrame->SetMessageText("nowhere");
    EXPECT_EQ("", WindowText(bar.m_hWnd));
}

// Bars of an MDI main frame: the MDI client between them, after every size.
TEST(MDIBars, TheClientLiesBetweenTheBars)
{
    CNoteProgram program;
    CNoteMain* pMain = program.m_pMain;
    // Bars made with new, left to the frame to delete.
    auto* pToolBar = new CToolBar;
    pToolBar->m_bAutoDelete = TRUE;
    ASSERT_TRUE(pToolBar->Create(pMain));
    ASSERT_TRUE(pToolBar->LoadToolBar(IDR_BARSFRAME));
    auto* pStatusBar = new CStatusBar;
    pStatusBar->m_bAutoDelete = TRUE;
    ASSERT_TRUE(pStatusBar->Create(pMain));
    ASSERT_TRUE(pStatusBar->SetIndicators(arrIndicators, _countof(arrIndicators)));

    for (CSize size : { CSize(420, 320), CSize(300, 260) })
    {
        SCOPED_TRACE(size.cx);
        pMain->SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE);
        CRect rectClient;
        pMain->GetClientRect(&rectClient);
        CRect rectMDI;
        ::GetWindowRect(pMain->m_hWndMDIClient, &rectMDI);
        pMain->ScreenToClient(&rectMDI);
        EXPECT_TRUE(RectEq(CRect(0, RectInParent(pToolBar).bottom, rectClient.right, RectInParent(pStatusBar).top),
                           rectMDI));
        EXPECT_EQ(rectClient.bottom, RectInParent(pStatusBar).bottom);
    }

    // A child frame's messages go to the main frame's bar.
    program.Command(ID_FILE_NEW);
    CMDIChildWnd* pChild = pMain->MDIGetActive();
    ASSERT_NE(nullptr, pChild);
    EXPECT_EQ(pStatusBar, pChild->GetMessageBar());
    pChild->SetMessageText("from the child");
    EXPECT_EQ("from the child", ShownPaneText(*pStatusBar, 0));
    pMain->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_FILE_OPEN, MF_STRING), (LPARAM)::GetMenu(pMain->m_hWnd));
    EXPECT_EQ("Open an existing note", ShownPaneText(*pStatusBar, 0));
    pMain->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ("Ready", ShownPaneText(*pStatusBar, 0)) << "the menu closed";
}
