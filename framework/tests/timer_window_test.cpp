// A clock in the manner of the textbook programs: a frame window whose timer takes the
// current time, formats it with CTime::Format and draws it; the G key switches it to
// UTC. Driven with real key presses and checked by what it keeps and what it drew.
#include <afxwin.h>
#include <gtest/gtest.h>

#include "dialog_driver.h"
#include "dib_surface.h"
#include "msg_log.h"

namespace {

const UINT nClockTimer = 1;
const CPoint ptText(10, 10);

class CClockFrame : public CFrameWnd
{
public:
    CClockFrame() { Create(NULL, "Clock", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 320, 120)); }

    CString m_strShown;     // the text of the last tick
    CTime m_timeShown;
    BOOL m_bGmt = FALSE;
    int m_nTicks = 0;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs)
    {
        if (CFrameWnd::OnCreate(lpcs) == -1)
            return -1;
        return SetTimer(nClockTimer, 50, NULL) != 0 ? 0 : -1;
    }
    afx_msg void OnTimer(UINT nIDEvent)
    {
        if (nIDEvent != nClockTimer)
            return;
        m_timeShown = CTime::GetCurrentTime();
        m_strShown = m_bGmt ? m_timeShown.FormatGmt("%H:%M:%S UTC %d %b %Y")
                            : m_timeShown.Format("%H:%M:%S %d %b %Y");
        ++m_nTicks;
        Invalidate();
    }
    afx_msg void OnKeyDown(UINT nChar, UINT, UINT)
    {
        if (nChar == 'G')
            m_bGmt = !m_bGmt;
    }
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        dc.TextOut(ptText.x, ptText.y, m_strShown);
    }
    afx_msg void OnDestroy()
    {
        KillTimer(nClockTimer);
        CFrameWnd::OnDestroy();
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CClockFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_TIMER()
    ON_WM_KEYDOWN()
    ON_WM_PAINT()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

// The text as the window's default font draws it on white, and the window's client
// area as it is on the screen, both on surfaces of the client's size.
void ExpectDrawn(CWnd& wnd, const CString& strText)
{
    wnd.UpdateWindow();
    CRect rcClient;
    wnd.GetClientRect(&rcClient);
    CDibSurface shown(rcClient.Width(), rcClient.Height());
    {
        CClientDC dc(&wnd);
        ASSERT_TRUE(shown.m_dc.BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &dc, 0, 0, SRCCOPY));
    }
    CDibSurface expected(rcClient.Width(), rcClient.Height(), ::GetSysColor(COLOR_WINDOW));
    expected.m_dc.TextOut(ptText.x, ptText.y, strText);
    CRect rcInk = expected.PaintedBounds(::GetSysColor(COLOR_WINDOW));
    ASSERT_FALSE(rcInk.IsRectEmpty());
    EXPECT_TRUE(RectEq(rcInk, shown.PaintedBounds(::GetSysColor(COLOR_WINDOW)))) << (LPCSTR)strText;
    for (int y = rcInk.top; y < rcInk.bottom; y++)
        for (int x = rcInk.left; x < rcInk.right; x++)
            ASSERT_EQ(expected.At(x, y), shown.At(x, y)) << "at " << x << "," << y;
}

} // namespace

TEST(ClockWindow, ShowsTheTimeOfEachTickLocalThenUtc)
{
    CReleaseCheck check;
    CClockFrame* pFrame = new CClockFrame;
    ASSERT_NE(nullptr, pFrame->m_hWnd);
    pFrame->SetForegroundWindow();
    pFrame->SetFocus();

    CTime before = CTime::GetCurrentTime();
    ASSERT_TRUE(PumpUntil([&] { return pFrame->m_nTicks >= 2; }));
    CTime after = CTime::GetCurrentTime();
    EXPECT_TRUE(before <= pFrame->m_timeShown && pFrame->m_timeShown <= after);
    EXPECT_STREQ(pFrame->m_timeShown.Format("%H:%M:%S %d %b %Y"), pFrame->m_strShown);
    KillTimer(pFrame->m_hWnd, nClockTimer);
    PumpWaiting();
    ExpectDrawn(*pFrame, pFrame->m_strShown);

    PressKey('G');
    ASSERT_TRUE(PumpUntil([&] { return pFrame->m_bGmt; })) << "the key reached the frame";
    int nTicks = pFrame->m_nTicks;
    ASSERT_NE(0u, pFrame->SetTimer(nClockTimer, 50, NULL));
    ASSERT_TRUE(PumpUntil([&] { return pFrame->m_nTicks > nTicks; }));
    KillTimer(pFrame->m_hWnd, nClockTimer);
    PumpWaiting();
    const CString strUtc = pFrame->m_strShown;
    EXPECT_STREQ(pFrame->m_timeShown.FormatGmt("%H:%M:%S UTC %d %b %Y"), strUtc);
    EXPECT_NE(-1, strUtc.Find(" UTC "));
    ExpectDrawn(*pFrame, strUtc);

    pFrame->DestroyWindow();    // the frame deletes itself
}
