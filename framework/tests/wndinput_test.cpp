// Windows written as frame-window programs write them, driven with real input and
// checked through what they draw: a typing frame with a caret that scrolls its lines, a
// rubber-band line dragged under mouse capture with SetROP2, the non-client mouse
// messages, the drag icon, window rectangles around client rectangles, the shell's
// context-menu and dropped-file messages, and scroll limits.
#include <afxwin.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <utility>
#include <vector>

#include "dialog_driver.h"
#include "dib_surface.h"

namespace {

const COLORREF g_crPaper = RGB(255, 255, 255);

// A window class with a white background and an arrow.
LPCTSTR PaperClass()
{
    return AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)::GetStockObject(WHITE_BRUSH));
}

// The pixels of the window's client area as they are now.
class CClientPixels : public CDibSurface
{
public:
    explicit CClientPixels(CWnd* pWnd) : CDibSurface(ClientSize(pWnd).cx, ClientSize(pWnd).cy)
    {
        CSize size = ClientSize(pWnd);
        CClientDC dc(pWnd);
        m_dc.BitBlt(0, 0, size.cx, size.cy, &dc, 0, 0, SRCCOPY);
    }

private:
    static CSize ClientSize(CWnd* pWnd)
    {
        CRect rect;
        pWnd->GetClientRect(&rect);
        return rect.Size();
    }
};

// Real mouse input at a screen point: the cursor moves there, then the buttons of
// dwFlags (none: a move of no distance, which reports the position).
void MouseAt(POINT ptScreen, DWORD dwFlags)
{
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = dwFlags != 0 ? dwFlags : MOUSEEVENTF_MOVE;
    ::SendInput(1, &input, sizeof input);
}

CPoint ToScreen(CWnd* pWnd, CPoint point)
{
    pWnd->ClientToScreen(&point);
    return point;
}

// A frame whose client area is a page of typed lines: characters go on the last line,
// Enter starts a new one, and when the new line falls below the window the page scrolls
// up a line. The caret stands after the last character while the frame has the focus.
class CTypingFrame : public CFrameWnd
{
public:
    static const int nVisibleLines = 4;

    CStringArray m_lines;
    int m_nTopLine = 0;     // the first line shown
    int m_cyLine = 0;

    CTypingFrame() { m_lines.Add(""); }

    // The caret's place: after the last line's text, on that line's row.
    CPoint CaretPoint()
    {
        CClientDC dc(this);
        int nLast = (int)m_lines.GetUpperBound();
        return CPoint(dc.GetTextExtent(m_lines[nLast]).cx, (nLast - m_nTopLine) * m_cyLine);
    }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs)
    {
        if (CFrameWnd::OnCreate(lpcs) == -1)
            return -1;
        CClientDC dc(this);
        TEXTMETRIC tm;
        dc.GetTextMetrics(&tm);
        m_cyLine = tm.tmHeight + tm.tmExternalLeading;
        return 0;
    }
    afx_msg void OnSetFocus(CWnd* pOldWnd)
    {
        CreateSolidCaret(2, m_cyLine);
        SetCaretPos(CaretPoint());
        ShowCaret();
    }
    afx_msg void OnKillFocus(CWnd* pNewWnd)
    {
        HideCaret();
        ::DestroyCaret();
    }
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        HideCaret();
        int nLast = (int)m_lines.GetUpperBound();
        if (nChar == '\r')
        {
            m_lines.Add("");
            if (++nLast - m_nTopLine >= nVisibleLines)
            {
                m_nTopLine++;
                ScrollWindow(0, -m_cyLine);
                UpdateWindow();
            }
        }
        else if (nChar >= ' ')
        {
            m_lines[nLast] += (char)nChar;
            CClientDC dc(this);
            dc.TextOut(0, (nLast - m_nTopLine) * m_cyLine, m_lines[nLast]);
        }
        SetCaretPos(CaretPoint());
        ShowCaret();
    }
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        for (int i = m_nTopLine; i < m_lines.GetSize(); i++)
            dc.TextOut(0, (i - m_nTopLine) * m_cyLine, m_lines[i]);
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTypingFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_CHAR()
    ON_WM_PAINT()
END_MESSAGE_MAP()

// Whether any pixel of the row band [y, y + cy) differs from the paper.
bool RowHasInk(const CDibSurface& surface, int cx, int y, int cy)
{
    for (int j = y; j < y + cy; j++)
        for (int x = 0; x < cx; x++)
            if (surface.At(x, j) != g_crPaper)
                return true;
    return false;
}

} // namespace

TEST(TypingFrame, CaretFollowsTheTextAndThePageScrolls)
{
    CTypingFrame* pFrame = new CTypingFrame;
    ASSERT_TRUE(pFrame->Create(PaperClass(), "typing", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME,
                               CRect(20, 20, 300, 300)));
    // Exactly four lines of client area, sized the way such programs size their frames.
    CRect rect(0, 0, 240, CTypingFrame::nVisibleLines * pFrame->m_cyLine);
    pFrame->CalcWindowRect(&rect);
    pFrame->SetWindowPos(NULL, 0, 0, rect.Width(), rect.Height(), SWP_NOMOVE | SWP_NOZORDER);
    CRect rectClient;
    pFrame->GetClientRect(&rectClient);
    EXPECT_EQ(CSize(240, CTypingFrame::nVisibleLines * pFrame->m_cyLine), rectClient.Size());

    pFrame->ShowWindow(SW_SHOW);
    pFrame->UpdateWindow();
    pFrame->SetForegroundWindow();
    pFrame->SetFocus();
    ASSERT_TRUE(PumpFrameworkUntil([&] { return CWnd::GetFocus() == pFrame; }));
    EXPECT_EQ(CPoint(0, 0), CWnd::GetCaretPos());

    TypeText("Hi");
    ASSERT_TRUE(PumpFrameworkUntil([&] { return pFrame->m_lines[0] == "Hi"; }));
    EXPECT_EQ(pFrame->CaretPoint(), CWnd::GetCaretPos());
    EXPECT_GT(CWnd::GetCaretPos().x, 0);

    // Four more lines: the fifth does not fit, so the first scrolls away.
    const int cy = pFrame->m_cyLine, cx = rectClient.Width();
    TypeText("ab");
    for (int i = 0; i < 4; i++)
        PressKey(VK_RETURN);
    TypeText("M");
    ASSERT_TRUE(PumpFrameworkUntil([&] { return pFrame->m_lines.GetSize() == 5 && pFrame->m_lines[4] == "M"; }));
    EXPECT_EQ(1, pFrame->m_nTopLine);
    EXPECT_EQ(CPoint(pFrame->CaretPoint().x, 3 * cy), CWnd::GetCaretPos());
    EXPECT_EQ("Hiab", pFrame->m_lines[0]) << "Enter came after the second pair of letters";

    // The caret is drawn by inverting pixels: hidden while the page is read.
    pFrame->HideCaret();
    {
        CClientPixels pixels(pFrame);
        EXPECT_FALSE(RowHasInk(pixels, cx, 0, 3 * cy)) << "the lines above the last are empty after the scroll";
        EXPECT_TRUE(RowHasInk(pixels, cx, 3 * cy, cy)) << "the new line is on the last row";
    }
    // What the window paints again matches what the scroll left.
    pFrame->Invalidate();
    pFrame->UpdateWindow();
    {
        CClientPixels pixels(pFrame);
        EXPECT_FALSE(RowHasInk(pixels, cx, 0, 3 * cy));
        EXPECT_TRUE(RowHasInk(pixels, cx, 3 * cy, cy));
    }
    pFrame->ShowCaret();

    pFrame->DestroyWindow();
}

namespace {

// Drags a line from where the left button goes down to where it comes up: meanwhile the
// line follows the mouse as a rubber band drawn with R2_NOT (drawing it again erases
// it), under capture so that moves outside the window still count. Finished lines are
// red and repainted.
class CDragWnd : public CWnd
{
public:
    std::vector<std::pair<CPoint, CPoint>> m_lines;
    bool m_bDragging = false;
    CPoint m_ptStart, m_ptEnd;

    static constexpr COLORREF crLine = RGB(255, 0, 0);

protected:
    void DrawRubberBand()
    {
        CClientDC dc(this);
        dc.SetROP2(R2_NOT);
        dc.MoveTo(m_ptStart);
        dc.LineTo(m_ptEnd);
    }
    void DrawLine(CDC* pDC, const std::pair<CPoint, CPoint>& line)
    {
        CPen pen(PS_SOLID, 1, crLine);
        CPen* pOldPen = pDC->SelectObject(&pen);
        pDC->MoveTo(line.first);
        pDC->LineTo(line.second);
        pDC->SelectObject(pOldPen);
    }

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point)
    {
        SetCapture();
        m_bDragging = true;
        m_ptStart = m_ptEnd = point;
    }
    afx_msg void OnMouseMove(UINT nFlags, CPoint point)
    {
        if (!m_bDragging)
            return;
        DrawRubberBand();
        m_ptEnd = point;
        DrawRubberBand();
    }
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point)
    {
        if (!m_bDragging)
            return;
        DrawRubberBand();
        m_bDragging = false;
        ::ReleaseCapture();
        m_lines.emplace_back(m_ptStart, point);
        CClientDC dc(this);
        DrawLine(&dc, m_lines.back());
    }
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        for (const auto& line : m_lines)
            DrawLine(&dc, line);
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDragWnd, CWnd)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_PAINT()
END_MESSAGE_MAP()

} // namespace

TEST(DragWithCapture, RubberBandFollowsTheMouseAndLeavesOnlyTheFinishedLine)
{
    CDragWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, PaperClass(), "drag", WS_POPUP | WS_VISIBLE, 60, 40, 200, 150, NULL, NULL));
    CRect rectWindow;
    wnd.GetWindowRect(&rectWindow);
    EXPECT_TRUE(RectEq(CRect(60, 40, 260, 190), rectWindow));
    wnd.UpdateWindow();
    wnd.SetForegroundWindow();
    const COLORREF crBlack = RGB(0, 0, 0);

    MouseAt(ToScreen(&wnd, CPoint(20, 20)), MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(PumpFrameworkUntil([&] { return wnd.m_bDragging; }));
    EXPECT_EQ(&wnd, CWnd::GetCapture());

    MouseAt(ToScreen(&wnd, CPoint(100, 20)), 0);
    ASSERT_TRUE(PumpFrameworkUntil([&] { return wnd.m_ptEnd == CPoint(100, 20); }));
    {
        CClientPixels pixels(&wnd);
        EXPECT_EQ(80, pixels.Count(crBlack)) << "the band from x 20 up to 100 on row 20";
        EXPECT_TRUE(RectEq(CRect(20, 20, 100, 21), pixels.PaintedBounds(g_crPaper)));
    }

    // The band moves: the old one is erased by drawing it again.
    MouseAt(ToScreen(&wnd, CPoint(60, 80)), 0);
    ASSERT_TRUE(PumpFrameworkUntil([&] { return wnd.m_ptEnd == CPoint(60, 80); }));
    {
        CClientPixels pixels(&wnd);
        EXPECT_EQ(g_crPaper, pixels.At(90, 20));
        EXPECT_TRUE(RectEq(CRect(20, 20, 60, 80), pixels.PaintedBounds(g_crPaper)));
    }

    // Outside the window the capture still brings the moves and the release.
    MouseAt(ToScreen(&wnd, CPoint(-30, 80)), 0);
    ASSERT_TRUE(PumpFrameworkUntil([&] { return wnd.m_ptEnd == CPoint(-30, 80); }));
    MouseAt(ToScreen(&wnd, CPoint(-30, 80)), MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(PumpFrameworkUntil([&] { return !wnd.m_bDragging; }));
    EXPECT_EQ(nullptr, CWnd::GetCapture());
    ASSERT_EQ(1u, wnd.m_lines.size());
    EXPECT_EQ(CPoint(20, 20), wnd.m_lines[0].first);
    EXPECT_EQ(CPoint(-30, 80), wnd.m_lines[0].second);

    int nRed = 0;
    {
        CClientPixels pixels(&wnd);
        EXPECT_EQ(0, pixels.Count(crBlack)) << "no rubber band is left behind";
        nRed = pixels.Count(CDragWnd::crLine);
        EXPECT_GT(nRed, 20);
        EXPECT_EQ(CDragWnd::crLine, pixels.At(20, 20));
        EXPECT_EQ(0, pixels.PaintedBounds(g_crPaper).left) << "the line runs out of the window";
    }
    wnd.Invalidate();
    wnd.UpdateWindow();
    CClientPixels pixels(&wnd);
    EXPECT_EQ(nRed, pixels.Count(CDragWnd::crLine)) << "painted again the same";
    EXPECT_EQ(0, pixels.Count(crBlack));
}

namespace {

// Records which non-client mouse handler ran, with what; answers WM_QUERYDRAGICON.
class CNonClientWnd : public CWnd
{
public:
    std::vector<std::pair<std::string, std::pair<UINT, CPoint>>> m_calls;
    HCURSOR m_hDragIcon = NULL;

protected:
    void Record(const char* pszName, UINT nHitTest, CPoint point) { m_calls.push_back({ pszName, { nHitTest, point } }); }

    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point) { Record("LDbl", nHitTest, point); }
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point) { Record("LDown", nHitTest, point); }
    afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point) { Record("LUp", nHitTest, point); }
    afx_msg void OnNcMButtonDblClk(UINT nHitTest, CPoint point) { Record("MDbl", nHitTest, point); }
    afx_msg void OnNcMButtonDown(UINT nHitTest, CPoint point) { Record("MDown", nHitTest, point); }
    afx_msg void OnNcMButtonUp(UINT nHitTest, CPoint point) { Record("MUp", nHitTest, point); }
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point) { Record("Move", nHitTest, point); }
    afx_msg void OnNcRButtonDblClk(UINT nHitTest, CPoint point) { Record("RDbl", nHitTest, point); }
    afx_msg void OnNcRButtonDown(UINT nHitTest, CPoint point) { Record("RDown", nHitTest, point); }
    afx_msg void OnNcRButtonUp(UINT nHitTest, CPoint point) { Record("RUp", nHitTest, point); }
    afx_msg HCURSOR OnQueryDragIcon() { return m_hDragIcon; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNonClientWnd, CWnd)
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONUP()
    ON_WM_NCMBUTTONDBLCLK()
    ON_WM_NCMBUTTONDOWN()
    ON_WM_NCMBUTTONUP()
    ON_WM_NCMOUSEMOVE()
    ON_WM_NCRBUTTONDBLCLK()
    ON_WM_NCRBUTTONDOWN()
    ON_WM_NCRBUTTONUP()
    ON_WM_QUERYDRAGICON()
END_MESSAGE_MAP()

} // namespace

TEST(NonClientMouse, EachMessageReachesItsHandlerWithScreenPoints)
{
    CNonClientWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, NULL, "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 30, 30, 240, 160, NULL, NULL));

    // Screen points left of and above the primary monitor are negative.
    const struct
    {
        UINT message;
        const char* handler;
    } messages[] = {
        { WM_NCLBUTTONDBLCLK, "LDbl" }, { WM_NCLBUTTONDOWN, "LDown" }, { WM_NCLBUTTONUP, "LUp" },
        { WM_NCMBUTTONDBLCLK, "MDbl" }, { WM_NCMBUTTONDOWN, "MDown" }, { WM_NCMBUTTONUP, "MUp" },
        { WM_NCMOUSEMOVE, "Move" },     { WM_NCRBUTTONDBLCLK, "RDbl" }, { WM_NCRBUTTONDOWN, "RDown" },
        { WM_NCRBUTTONUP, "RUp" },
    };
    for (const auto& m : messages)
    {
        SCOPED_TRACE(m.handler);
        wnd.m_calls.clear();
        wnd.SendMessage(m.message, HTBOTTOMRIGHT, MAKELPARAM(-5, -7));
        ASSERT_EQ(1u, wnd.m_calls.size());
        EXPECT_EQ(m.handler, wnd.m_calls[0].first);
        EXPECT_EQ((UINT)HTBOTTOMRIGHT, wnd.m_calls[0].second.first);
        EXPECT_EQ(CPoint(-5, -7), wnd.m_calls[0].second.second);
    }

    // A real click on the caption: the handler, not the system's move loop, gets it.
    wnd.SetForegroundWindow();
    CRect rectWindow, rectClient;
    wnd.GetWindowRect(&rectWindow);
    wnd.GetClientRect(&rectClient);
    wnd.ClientToScreen(&rectClient);
    CPoint ptCaption(rectWindow.CenterPoint().x, (rectWindow.top + rectClient.top) / 2);
    ASSERT_EQ(HTCAPTION, (int)wnd.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptCaption.x, ptCaption.y)));
    wnd.m_calls.clear();
    MouseAt(ptCaption, MOUSEEVENTF_LEFTDOWN);
    MouseAt(ptCaption, MOUSEEVENTF_LEFTUP);
    auto clicked = [&](const char* pszHandler) {
        for (const auto& call : wnd.m_calls)
            if (call.first == pszHandler)
                return call.second.first == HTCAPTION && call.second.second == ptCaption;
        return false;
    };
    EXPECT_TRUE(PumpFrameworkUntil([&] { return clicked("LDown") && clicked("LUp"); }));
    CRect rectAfter;
    wnd.GetWindowRect(&rectAfter);
    EXPECT_TRUE(RectEq(rectWindow, rectAfter));
}

TEST(NonClientMouse, DragIconComesFromTheHandler)
{
    CNonClientWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, NULL, "icon", WS_OVERLAPPEDWINDOW, 0, 0, 100, 80, NULL, NULL));
    wnd.m_hDragIcon = ::LoadCursor(NULL, IDC_CROSS);
    EXPECT_EQ((LRESULT)wnd.m_hDragIcon, wnd.SendMessage(WM_QUERYDRAGICON));

    // Without a handler of its own, the window answers as USER would.
    CWnd plain;
    ASSERT_TRUE(plain.CreateEx(0, NULL, "plain", WS_OVERLAPPEDWINDOW, 0, 0, 100, 80, NULL, NULL));
    EXPECT_EQ(::DefWindowProc(plain.m_hWnd, WM_QUERYDRAGICON, 0, 0), plain.SendMessage(WM_QUERYDRAGICON));
}

TEST(CalcWindowRect, WindowRectangleHoldsTheClientRectangle)
{
    const struct
    {
        const char* context;
        DWORD dwStyle;
        DWORD dwExStyle;
        UINT nAdjustType;
        CSize sizeClient;   // of a window sized to the calculated rectangle
    } cases[] = {
        { "frame", WS_OVERLAPPEDWINDOW, 0, CWnd::adjustBorder, CSize(200, 100) },
        { "dialog frame and client edge", WS_POPUP | WS_CAPTION | DS_MODALFRAME, WS_EX_CLIENTEDGE,
          CWnd::adjustBorder, CSize(200, 100) },
        { "scroll bars left out", WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL, 0, CWnd::adjustBorder,
          CSize(200 - ::GetSystemMetrics(SM_CXVSCROLL), 100 - ::GetSystemMetrics(SM_CYHSCROLL)) },
        { "scroll bars added outside", WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL, 0, CWnd::adjustOutside,
          CSize(200, 100) },
        { "only a vertical bar", WS_POPUP | WS_BORDER | WS_VSCROLL, 0, CWnd::adjustOutside, CSize(200, 100) },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.context);
        CWnd wnd;
        ASSERT_TRUE(wnd.CreateEx(c.dwExStyle, NULL, "calc", c.dwStyle, 10, 10, 50, 50, NULL, NULL));
        CRect rect(30, 40, 230, 140);
        wnd.CalcWindowRect(&rect, c.nAdjustType);
        EXPECT_TRUE(rect.left <= 30 && rect.top <= 40);
        wnd.MoveWindow(&rect);
        CRect rectClient;
        wnd.GetClientRect(&rectClient);
        EXPECT_EQ(c.sizeClient, rectClient.Size());
        wnd.ClientToScreen(&rectClient);
        EXPECT_EQ(CPoint(30, 40), rectClient.TopLeft());
    }
}

namespace {

// Records the handlers of the shell, keyboard and painting messages it maps.
class CShellWnd : public CWnd
{
public:
    std::vector<std::string> m_calls;
    CWnd* m_pContextWnd = NULL;
    CPoint m_ptContext;
    std::vector<CString> m_files;

protected:
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point)
    {
        m_calls.push_back("ContextMenu");
        m_pContextWnd = pWnd;
        m_ptContext = point;
    }
    afx_msg void OnDropFiles(HDROP hDropInfo)
    {
        m_calls.push_back("DropFiles");
        UINT nFiles = ::DragQueryFile(hDropInfo, 0xFFFFFFFF, NULL, 0);
        for (UINT i = 0; i < nFiles; i++)
        {
            char szName[MAX_PATH];
            ::DragQueryFile(hDropInfo, i, szName, MAX_PATH);
            m_files.push_back(szName);
        }
        ::DragFinish(hDropInfo);
    }
    afx_msg void OnChildActivate() { m_calls.push_back("ChildActivate"); }
    afx_msg void OnDeadChar(UINT nChar, UINT nRepCnt, UINT nFlags) { m_calls.push_back("DeadChar"); }
    afx_msg void OnSysDeadChar(UINT nChar, UINT nRepCnt, UINT nFlags) { m_calls.push_back("SysDeadChar"); }
    afx_msg void OnFontChange() { m_calls.push_back("FontChange"); }
    afx_msg void OnTimeChange() { m_calls.push_back("TimeChange"); }
    afx_msg void OnNcPaint() { m_calls.push_back("NcPaint"); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CShellWnd, CWnd)
    ON_WM_CONTEXTMENU()
    ON_WM_DROPFILES()
    ON_WM_CHILDACTIVATE()
    ON_WM_DEADCHAR()
    ON_WM_SYSDEADCHAR()
    ON_WM_FONTCHANGE()
    ON_WM_TIMECHANGE()
    ON_WM_NCPAINT()
END_MESSAGE_MAP()

// A drop of the given names as the shell hands it over: a DROPFILES header and the
// names one after another, ended by an empty one.
HDROP MakeDrop(const std::vector<std::string>& names)
{
    size_t cb = sizeof(DROPFILES) + 1;
    for (const auto& name : names)
        cb += name.size() + 1;
    HGLOBAL hGlobal = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, cb);
    auto* pDrop = static_cast<DROPFILES*>(::GlobalLock(hGlobal));
    pDrop->pFiles = sizeof(DROPFILES);
    char* psz = reinterpret_cast<char*>(pDrop + 1);
    for (const auto& name : names)
    {
        memcpy(psz, name.c_str(), name.size() + 1);
        psz += name.size() + 1;
    }
    ::GlobalUnlock(hGlobal);
    return (HDROP)hGlobal;
}

} // namespace

TEST(ShellMessages, ContextMenuAndDroppedFilesReachTheirHandlers)
{
    CShellWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, NULL, "shell", WS_OVERLAPPEDWINDOW, 0, 0, 200, 120, NULL, NULL));

    wnd.SendMessage(WM_CONTEXTMENU, (WPARAM)wnd.m_hWnd, MAKELPARAM(-20, 35));
    EXPECT_EQ(&wnd, wnd.m_pContextWnd);
    EXPECT_EQ(CPoint(-20, 35), wnd.m_ptContext);
    wnd.SendMessage(WM_CONTEXTMENU, (WPARAM)wnd.m_hWnd, MAKELPARAM(-1, -1));
    EXPECT_EQ(CPoint(-1, -1), wnd.m_ptContext) << "the keyboard's context menu";

    EXPECT_EQ(0, wnd.GetExStyle() & WS_EX_ACCEPTFILES);
    wnd.DragAcceptFiles();
    EXPECT_NE(0, wnd.GetExStyle() & WS_EX_ACCEPTFILES);
    wnd.SendMessage(WM_DROPFILES, (WPARAM)MakeDrop({ "C:\\a.txt", "C:\\dir\\b.bin" }));
    ASSERT_EQ(2u, wnd.m_files.size());
    EXPECT_EQ(CString("C:\\a.txt"), wnd.m_files[0]);
    EXPECT_EQ(CString("C:\\dir\\b.bin"), wnd.m_files[1]);
    wnd.DragAcceptFiles(FALSE);
    EXPECT_EQ(0, wnd.GetExStyle() & WS_EX_ACCEPTFILES);

    wnd.m_calls.clear();
    for (UINT message : { WM_CHILDACTIVATE, WM_DEADCHAR, WM_SYSDEADCHAR, WM_FONTCHANGE, WM_TIMECHANGE, WM_NCPAINT })
        wnd.SendMessage(message, message == WM_NCPAINT ? 1 : 0);
    EXPECT_EQ((std::vector<std::string>{ "ChildActivate", "DeadChar", "SysDeadChar", "FontChange", "TimeChange", "NcPaint" }),
              wnd.m_calls);
}

TEST(ScrollBars, LimitIsTheLastPositionAPageCanStartAt)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, NULL, "scroll", WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL, 0, 0, 200, 120, NULL, NULL));
    const struct
    {
        const char* context;
        int nMin, nMax;
        UINT nPage;
        int nLimit;
    } cases[] = {
        { "no page", 0, 100, 0, 100 },
        { "page of one", 0, 100, 1, 100 },
        { "page of ten", 0, 100, 10, 91 },
        { "negative range", -50, 50, 20, 31 },
        { "page as large as the range", 10, 20, 11, 10 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.context);
        SCROLLINFO info = { sizeof info, SIF_RANGE | SIF_PAGE, c.nMin, c.nMax, c.nPage, 0, 0 };
        wnd.SetScrollInfo(SB_VERT, &info);
        EXPECT_EQ(c.nLimit, wnd.GetScrollLimit(SB_VERT));
        // The bar itself agrees: the largest position it accepts.
        wnd.SetScrollPos(SB_VERT, c.nMax);
        EXPECT_EQ(c.nLimit, wnd.GetScrollPos(SB_VERT));
    }

    // What a scroll uncovers comes back to be painted.
    wnd.ShowWindow(SW_SHOW);
    wnd.UpdateWindow();
    CRect rectUpdate;
    wnd.ScrollWindowEx(0, -10, NULL, NULL, NULL, &rectUpdate, 0);
    CRect rectClient;
    wnd.GetClientRect(&rectClient);
    EXPECT_TRUE(RectEq(CRect(0, rectClient.bottom - 10, rectClient.right, rectClient.bottom), rectUpdate));
}
