// Tool tips: tools that are windows or rectangles, their texts from strings, string
// resources or the tool's window asked through TTN_NEEDTEXT; updating, moving, hit
// testing and deleting tools; the tip shown over a tool through RelayEvent.
#include <afxcmn.h>
#include <gtest/gtest.h>

#include "commoncontrols_resource.h"
#include "dialog_driver.h"
#include "msg_log.h"

namespace {

const UINT nIDChart = 7;

// A window with a child control as one tool and a rectangle of its own as another,
// which answers TTN_NEEDTEXT for that rectangle.
class CTipped : public CWnd
{
public:
    CTipped()
    {
        CreateEx(0, NULL, "tipped", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200, NULL, NULL);
        m_child.Create("child", WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 40), this, 1);
    }
    ~CTipped() override { DestroyWindow(); }

    CStatic m_child;
    CMsgLog m_log;

protected:
    afx_msg void OnNeedText(NMHDR* pNMHDR, LRESULT*)
    {
        auto* pTTT = (TOOLTIPTEXT*)pNMHDR;
        m_log.Add("TTN_NEEDTEXT " + std::to_string(pNMHDR->idFrom));
        strcpy(pTTT->szText, "Chart of the bay");
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTipped, CWnd)
    ON_NOTIFY(TTN_NEEDTEXT, nIDChart, OnNeedText)
END_MESSAGE_MAP()

std::string TipText(const CToolTipCtrl& tip, CWnd* pWnd, UINT nIDTool = 0)
{
    CString str;
    tip.GetText(str, pWnd, nIDTool);
    return (LPCSTR)str;
}

} // namespace

TEST(ToolTipCtrls, ToolsTheirTextsAndPlaces)
{
    CReleaseCheck check;
    CTipped wnd;
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&wnd, TTS_ALWAYSTIP));
    EXPECT_EQ(wnd.m_hWnd, ::GetWindow(tip.m_hWnd, GW_OWNER));
    EXPECT_EQ(0, tip.GetToolCount());

    CRect rcChart(150, 20, 250, 120);
    ASSERT_TRUE(tip.AddTool(&wnd.m_child, IDS_TIP_LIST));
    ASSERT_TRUE(tip.AddTool(&wnd, LPSTR_TEXTCALLBACK, &rcChart, nIDChart));
    EXPECT_EQ(2, tip.GetToolCount());
    EXPECT_FALSE(tip.AddTool(&wnd, 9999u)) << "no such string";

    EXPECT_EQ("Birds seen today", TipText(tip, &wnd.m_child));
    EXPECT_EQ("Chart of the bay", TipText(tip, &wnd, nIDChart)) << "asked of the window";
    EXPECT_TRUE(wnd.m_log.Is({ "TTN_NEEDTEXT 7" }));
    EXPECT_EQ("", TipText(tip, &wnd, 3)) << "no such tool";

    tip.UpdateTipText(IDS_TIP_TREE, &wnd.m_child);
    EXPECT_EQ("Birds by family", TipText(tip, &wnd.m_child));
    tip.UpdateTipText("Today's list", &wnd.m_child);
    EXPECT_EQ("Today's list", TipText(tip, &wnd.m_child));
    // A long text comes back cut, never past the buffer.
    std::string strLong(600, 'x');
    tip.UpdateTipText(strLong.c_str(), &wnd.m_child);
    std::string strBack = TipText(tip, &wnd.m_child);
    EXPECT_LT(strBack.size(), 256u);
    EXPECT_EQ(strLong.substr(0, strBack.size()), strBack);

    TOOLINFO ti = {};
    ASSERT_TRUE(tip.GetToolInfo(&ti, &wnd, nIDChart));
    EXPECT_EQ(rcChart, CRect(ti.rect));
    EXPECT_FALSE(tip.GetToolInfo(&ti, &wnd, 3));

    // Hit tests in the client coordinates of the tool's window, moved with the tool.
    EXPECT_TRUE(tip.HitTest(&wnd, CPoint(200, 50), &ti));
    EXPECT_EQ(nIDChart, ti.uId);
    EXPECT_FALSE(tip.HitTest(&wnd, CPoint(20, 150), &ti));
    tip.SetToolRect(&wnd, nIDChart, CRect(0, 130, 100, 170));
    EXPECT_TRUE(tip.HitTest(&wnd, CPoint(20, 150), &ti));
    EXPECT_FALSE(tip.HitTest(&wnd, CPoint(200, 50), &ti));

    tip.DelTool(&wnd, nIDChart);
    EXPECT_EQ(1, tip.GetToolCount());
    tip.DelTool(&wnd.m_child);
    EXPECT_EQ(0, tip.GetToolCount());
    tip.DestroyWindow();
}

TEST(ToolTipCtrls, RelayedMouseShowsTheTipOverItsTool)
{
    CReleaseCheck check;
    CTipped wnd;
    wnd.SetForegroundWindow();
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&wnd, TTS_ALWAYSTIP));
    CRect rcChart(150, 20, 250, 120);
    ASSERT_TRUE(tip.AddTool(&wnd, "Chart", &rcChart, nIDChart));
    tip.SetDelayTime(10);

    // The mouse rests over the tool; the tip hears of it only through RelayEvent.
    CPoint pt(200, 60);
    CPoint ptScreen = pt;
    wnd.ClientToScreen(&ptScreen);
    SetCursorPos(ptScreen.x, ptScreen.y);
    MSG msg = { wnd.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y), GetTickCount(), ptScreen };
    tip.RelayEvent(&msg);
    EXPECT_TRUE(PumpUntil([&] { return tip.IsWindowVisible() != FALSE; })) << "shown after the delay";
    EXPECT_EQ("Chart", WindowText(tip.m_hWnd));

    // Inactive, it hides and shows nothing more.
    tip.Activate(FALSE);
    EXPECT_TRUE(PumpUntil([&] { return !tip.IsWindowVisible(); }));
    tip.RelayEvent(&msg);
    DWORD dwStart = GetTickCount();
    PumpUntil([&] { return GetTickCount() - dwStart > 300; });
    EXPECT_FALSE(tip.IsWindowVisible());
    tip.DestroyWindow();
}
