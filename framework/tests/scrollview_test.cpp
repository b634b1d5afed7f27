// Scroll views in a single-document program: a grid of one-inch cells drawn in
// MM_LOENGLISH, scrolled by position, by clicks on the window's scroll bars and by the
// wheel, checked by the pixels the view shows; the bars that appear only when the
// document needs them; the scroll bar codes; the mapping modes; printing and scaling
// to fit; the area outside the document and the frame fitted to it.
#include "dib_surface.h"
#include "view_program.h"

namespace {

class CPlainDoc : public CDocument
{
    DECLARE_DYNCREATE(CPlainDoc)
};

IMPLEMENT_DYNCREATE(CPlainDoc, CDocument)

// Ten by eight cells of one inch (100 units of MM_LOENGLISH), each its own colour.
class CGridView : public CScrollView
{
    DECLARE_DYNCREATE(CGridView)
public:
    static COLORREF CellColour(int nCol, int nRow) { return RGB(20 + nCol * 20, 20 + nRow * 25, 200); }

    void OnInitialUpdate() override
    {
        SetScrollSizes(MM_LOENGLISH, CSize(1000, 800));
        CScrollView::OnInitialUpdate();
    }
    // A page as printing draws it.
    void PrintPage(CDC* pDC, CPrintInfo* pInfo) { OnPrint(pDC, pInfo); }

protected:
    void OnDraw(CDC* pDC) override
    {
        for (int nRow = 0; nRow < 8; nRow++)
        {
            for (int nCol = 0; nCol < 10; nCol++)
            {
                CBrush brush(CellColour(nCol, nRow));
                CRect rect(nCol * 100, -nRow * 100, (nCol + 1) * 100, -(nRow + 1) * 100);
                pDC->FillRect(&rect, &brush);
            }
        }
    }
};

IMPLEMENT_DYNCREATE(CGridView, CScrollView)

// An MM_TEXT document painted green, grey beyond it; scaled to fit, its top-left
// quarter is red.
class CPatchView : public CScrollView
{
    DECLARE_DYNCREATE(CPatchView)
public:
    void OnInitialUpdate() override
    {
        SetScrollSizes(MM_TEXT, CSize(1, 1));
        CScrollView::OnInitialUpdate();
    }
    using CScrollView::UpdateBars;

protected:
    void OnDraw(CDC* pDC) override
    {
        CBrush green(RGB(0, 160, 0));
        CRect rect(CPoint(0, 0), GetTotalSize());
        pDC->FillRect(&rect, &green);
        if (m_nMapMode == MM_SCALETOFIT)
        {
            CBrush red(RGB(255, 0, 0));
            CRect rectQuarter(0, 0, rect.Width() / 2, rect.Height() / 2);
            pDC->FillRect(&rectQuarter, &red);
        }
    }
    afx_msg BOOL OnEraseBkgnd(CDC* pDC)
    {
        CBrush grey(RGB(128, 128, 128));
        FillOutsideRect(pDC, &grey);
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CPatchView, CScrollView)

BEGIN_MESSAGE_MAP(CPatchView, CScrollView)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

// Logical units of nMapMode in device units of the screen, both sides positive.
CSize OnScreen(int nMapMode, CSize size)
{
    CWindowDC dc(NULL);
    dc.SetMapMode(nMapMode);
    CPoint pt(size.cx, size.cy);
    dc.LPtoDP(&pt);
    return CSize(abs(pt.x), abs(pt.y));
}

const COLORREF crGreen = RGB(0, 160, 0);
const COLORREF crGrey = RGB(128, 128, 128);

} // namespace

TEST(ScrollView, GridInLoEnglishScrollsToPositions)
{
    CViewProgram program(RUNTIME_CLASS(CPlainDoc), RUNTIME_CLASS(CGridView));
    auto* pView = dynamic_cast<CGridView*>(program.View());
    ASSERT_NE(nullptr, pView);
    const CSize sizeInch = OnScreen(MM_LOENGLISH, CSize(100, 100));
    ASSERT_GT(sizeInch.cx, 20);

    int nMapMode;
    CSize sizeTotal, sizePage, sizeLine;
    pView->GetDeviceScrollSizes(nMapMode, sizeTotal, sizePage, sizeLine);
    EXPECT_EQ(MM_LOENGLISH, nMapMode);
    EXPECT_EQ(OnScreen(MM_LOENGLISH, CSize(1000, 800)), sizeTotal);
    EXPECT_EQ(CSize(sizeTotal.cx / 10, sizeTotal.cy / 10), sizePage) << "a tenth of the document";
    EXPECT_EQ(CSize(sizePage.cx / 10, sizePage.cy / 10), sizeLine) << "a tenth of the page";
    EXPECT_EQ(CSize(1000, 800), pView->GetTotalSize());
    EXPECT_EQ(WS_HSCROLL | WS_VSCROLL, pView->GetStyle() & (WS_HSCROLL | WS_VSCROLL));

    // Where the centre of a cell is in the view, scrolled to ptScroll (device units).
    auto centre = [&](int nCol, int nRow, CPoint ptScroll) {
        return CPoint(nCol * sizeInch.cx + sizeInch.cx / 2 - ptScroll.x, nRow * sizeInch.cy + sizeInch.cy / 2 - ptScroll.y);
    };
    EXPECT_EQ(CGridView::CellColour(0, 0), program.PixelAt(centre(0, 0, CPoint(0, 0))));
    EXPECT_EQ(CGridView::CellColour(2, 1), program.PixelAt(centre(2, 1, CPoint(0, 0))));

    const struct
    {
        CPoint ptAsked;         // logical
        CPoint ptDevice;        // where the view ends up
        int nCol, nRow;         // the cell at the top-left corner then
    } cases[] = {
        { CPoint(300, -200), CPoint(3 * sizeInch.cx, 2 * sizeInch.cy), 3, 2 },
        { CPoint(0, 0), CPoint(0, 0), 0, 0 },
        { CPoint(-50, 100), CPoint(0, 0), 0, 0 },
        { CPoint(5000, -5000), CPoint(sizeTotal.cx - program.ViewSize().cx, sizeTotal.cy - program.ViewSize().cy), -1, -1 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "scrolled to (" << c.ptAsked.x << "," << c.ptAsked.y << ")");
        pView->ScrollToPosition(c.ptAsked);
        EXPECT_EQ(c.ptDevice, pView->GetDeviceScrollPosition());
        EXPECT_EQ(CPoint(pView->GetScrollPos(SB_HORZ), pView->GetScrollPos(SB_VERT)), c.ptDevice) << "the bars";
        CPoint ptLogical = pView->GetScrollPosition();
        EXPECT_NEAR(MulDiv(c.ptDevice.x, 100, sizeInch.cx), ptLogical.x, 1);
        EXPECT_NEAR(-MulDiv(c.ptDevice.y, 100, sizeInch.cy), ptLogical.y, 1) << "y goes up";
        if (c.nCol >= 0)
            EXPECT_EQ(CGridView::CellColour(c.nCol, c.nRow), program.PixelAt(centre(c.nCol, c.nRow, c.ptDevice)));
    }
    // At the far end, the last cell fills the bottom-right corner.
    CSize sizeView = program.ViewSize();
    EXPECT_EQ(CGridView::CellColour(9, 7), program.PixelAt(CPoint(sizeView.cx - 2, sizeView.cy - 2)));
    EXPECT_EQ(CGridView::CellColour(9, 7), program.PixelAt(centre(9, 7, pView->GetDeviceScrollPosition())));

    // The centre of the window moves onto a point.
    pView->ScrollToPosition(CPoint(0, 0));
    CPoint ptMiddle(sizeView.cx / 2, sizeView.cy / 2);
    pView->CenterOnPoint(ptMiddle + CSize(50, 40));
    EXPECT_EQ(CPoint(50, 40), pView->GetDeviceScrollPosition());
    pView->CenterOnPoint(CPoint(-1000, -1000));
    EXPECT_EQ(CPoint(0, 0), pView->GetDeviceScrollPosition()) << "within the limits";
}

namespace {

// Clicks the window's scroll bar at the point pick gives from the bar's screen
// rectangle and the size of its arrows, and pumps until the view moved.
bool ClickBar(CScrollView* pView, LONG idObject, const std::function<CPoint(const CRect&, int)>& pick)
{
    SCROLLBARINFO info = {};
    info.cbSize = sizeof info;
    if (!GetScrollBarInfo(pView->m_hWnd, idObject, &info))
        return false;
    int nArrow = idObject == OBJID_VSCROLL ? GetSystemMetrics(SM_CYVSCROLL) : GetSystemMetrics(SM_CXHSCROLL);
    CPoint ptBefore = pView->GetDeviceScrollPosition();
    ClickAt(pick(CRect(info.rcScrollBar), nArrow));
    return PumpFrameworkUntil([&] { return pView->GetDeviceScrollPosition() != ptBefore; });
}

// The wheel turned by nNotches (forward: positive) over the view, which has the focus.
bool TurnWheel(CScrollView* pView, int nNotches)
{
    CRect rect;
    pView->GetWindowRect(&rect);
    SetCursorPos(rect.CenterPoint().x, rect.CenterPoint().y);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_WHEEL;
    input.mi.mouseData = (DWORD)(nNotches * WHEEL_DELTA);
    CPoint ptBefore = pView->GetDeviceScrollPosition();
    SendInput(1, &input, sizeof input);
    return PumpFrameworkUntil([&] { return pView->GetDeviceScrollPosition() != ptBefore; });
}

} // namespace

TEST(ScrollView, BarClicksAndTheWheelScrollTheGrid)
{
    CViewProgram program(RUNTIME_CLASS(CPlainDoc), RUNTIME_CLASS(CGridView));
    auto* pView = dynamic_cast<CGridView*>(program.View());
    ASSERT_NE(nullptr, pView);
    int nMapMode;
    CSize sizeTotal, sizePage, sizeLine;
    pView->GetDeviceScrollSizes(nMapMode, sizeTotal, sizePage, sizeLine);
    const CSize sizeInch = OnScreen(MM_LOENGLISH, CSize(100, 100));

    // The down arrow: a line.
    ASSERT_TRUE(ClickBar(pView, OBJID_VSCROLL, [](const CRect& r, int nArrow) {
        return CPoint(r.CenterPoint().x, r.bottom - nArrow / 2);
    }));
    EXPECT_EQ(CPoint(0, sizeLine.cy), pView->GetDeviceScrollPosition());
    // The shaft below the thumb: a page.
    ASSERT_TRUE(ClickBar(pView, OBJID_VSCROLL, [](const CRect& r, int nArrow) {
        return CPoint(r.CenterPoint().x, r.bottom - nArrow - 3);
    }));
    EXPECT_EQ(CPoint(0, sizeLine.cy + sizePage.cy), pView->GetDeviceScrollPosition());
    // The right arrow of the horizontal bar.
    ASSERT_TRUE(ClickBar(pView, OBJID_HSCROLL, [](const CRect& r, int nArrow) {
        return CPoint(r.right - nArrow / 2, r.CenterPoint().y);
    }));
    CPoint ptScroll(sizeLine.cx, sizeLine.cy + sizePage.cy);
    EXPECT_EQ(ptScroll, pView->GetDeviceScrollPosition());
    EXPECT_EQ(CGridView::CellColour(1, 1),
              program.PixelAt(CPoint(sizeInch.cx * 3 / 2 - ptScroll.x, sizeInch.cy * 3 / 2 - ptScroll.y)))
        << "what the scroll uncovered is drawn";

    // The wheel: the system's lines per notch, back up when turned forward.
    UINT nLines = 3;
    SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &nLines, 0);
    pView->SetFocus();
    ASSERT_TRUE(TurnWheel(pView, -1));
    EXPECT_EQ(ptScroll.y + (int)nLines * sizeLine.cy, pView->GetDeviceScrollPosition().y);
    ASSERT_TRUE(TurnWheel(pView, 2));
    EXPECT_EQ(max(0L, ptScroll.y - (LONG)nLines * sizeLine.cy), pView->GetDeviceScrollPosition().y);
}

TEST(ScrollView, BarsAppearOnlyWhenTheDocumentNeedsThem)
{
    CViewProgram program(RUNTIME_CLASS(CPlainDoc), RUNTIME_CLASS(CPatchView));
    auto* pView = dynamic_cast<CPatchView*>(program.View());
    ASSERT_NE(nullptr, pView);
    const CSize client = program.ViewSize();
    const CSize bar(GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL));

    const struct
    {
        CSize sizeTotal;
        BOOL bHorz, bVert;
        const char* pszWhy;
    } cases[] = {
        { CSize(0, 0), FALSE, FALSE, "empty" },
        { client, FALSE, FALSE, "fits exactly" },
        { CSize(client.cx + 1, client.cy), TRUE, TRUE, "the horizontal bar takes the height" },
        { CSize(client.cx, client.cy + 1), TRUE, TRUE, "the vertical bar takes the width" },
        { CSize(client.cx + 1, client.cy - bar.cy), TRUE, FALSE, "fits above the horizontal bar" },
        { CSize(client.cx - bar.cx, client.cy + 1), FALSE, TRUE, "fits beside the vertical bar" },
        { CSize(client.cx * 3, 10), TRUE, FALSE, "wide" },
        { CSize(client.cx * 2, client.cy * 2), TRUE, TRUE, "large" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszWhy);
        pView->SetScrollSizes(MM_TEXT, c.sizeTotal);
        BOOL bHorz, bVert;
        pView->CheckScrollBars(bHorz, bVert);
        EXPECT_EQ(c.bHorz, bHorz);
        EXPECT_EQ(c.bVert, bVert);
        CSize sizeView = program.ViewSize();
        EXPECT_EQ(CSize(client.cx - (bVert ? bar.cx : 0), client.cy - (bHorz ? bar.cy : 0)), sizeView);
        if (bHorz)
            EXPECT_EQ(c.sizeTotal.cx - sizeView.cx, pView->GetScrollLimit(SB_HORZ));
        if (bVert)
            EXPECT_EQ(c.sizeTotal.cy - sizeView.cy, pView->GetScrollLimit(SB_VERT));
    }

    // Scrolled to the end, a larger window keeps the end in view; a window as large as
    // the document loses the bars and starts at the origin.
    pView->ScrollToPosition(CPoint(100000, 100000));
    program.SetClientSize(program.ViewSize() + CSize(bar.cx + 50, bar.cy + 40));
    CSize sizeView = program.ViewSize();
    EXPECT_EQ(CPoint(client.cx * 2 - sizeView.cx, client.cy * 2 - sizeView.cy), pView->GetDeviceScrollPosition());
    EXPECT_EQ(crGreen, program.PixelAt(CPoint(sizeView.cx - 1, sizeView.cy - 1)));
    program.SetClientSize(CSize(client.cx * 2 + 4, client.cy * 2 + 4));
    BOOL bHorz, bVert;
    pView->CheckScrollBars(bHorz, bVert);
    EXPECT_FALSE(bHorz || bVert);
    EXPECT_EQ(CPoint(0, 0), pView->GetDeviceScrollPosition());
}

TEST(ScrollView, ScrollCodesMoveByLinesPagesAndThumb)
{
    CViewProgram program(RUNTIME_CLASS(CPlainDoc), RUNTIME_CLASS(CPatchView));
    auto* pView = dynamic_cast<CPatchView*>(program.View());
    ASSERT_NE(nullptr, pView);
    pView->SetScrollSizes(MM_TEXT, CSize(1000, 2000), CSize(200, 300), CSize(10, 20));
    const int nLimit = pView->GetScrollLimit(SB_VERT);
    ASSERT_EQ(2000 - program.ViewSize().cy, nLimit);

    const auto vert = [](UINT nCode) { return MAKEWORD(0xFF, nCode); };
    const struct
    {
        UINT nScrollCode;
        UINT nPos;
        CPoint ptAfter;         // from (0, 500)
        BOOL bMoved;
    } cases[] = {
        { vert(SB_LINEDOWN), 0, CPoint(0, 520), TRUE },
        { vert(SB_LINEUP), 0, CPoint(0, 480), TRUE },
        { vert(SB_PAGEDOWN), 0, CPoint(0, 800), TRUE },
        { vert(SB_PAGEUP), 0, CPoint(0, 200), TRUE },
        { vert(SB_TOP), 0, CPoint(0, 0), TRUE },
        { vert(SB_BOTTOM), 0, CPoint(0, nLimit), TRUE },
        { vert(SB_THUMBPOSITION), 777, CPoint(0, 777), TRUE },
        { vert(SB_THUMBTRACK), 60000, CPoint(0, nLimit), TRUE },
        { vert(SB_ENDSCROLL), 0, CPoint(0, 500), FALSE },
        { MAKEWORD(SB_LINEDOWN, 0xFF), 0, CPoint(10, 500), TRUE },
        { MAKEWORD(SB_PAGEDOWN, SB_LINEUP), 0, CPoint(200, 480), TRUE },
        { MAKEWORD(SB_LINEUP, 0xFF), 0, CPoint(0, 500), FALSE },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "code 0x" << std::hex << c.nScrollCode);
        pView->ScrollToPosition(CPoint(0, 500));
        EXPECT_EQ(c.bMoved, pView->OnScroll(c.nScrollCode, c.nPos, FALSE));
        EXPECT_EQ(CPoint(0, 500), pView->GetDeviceScrollPosition()) << "only asked";
        EXPECT_EQ(c.bMoved, pView->OnScroll(c.nScrollCode, c.nPos));
        EXPECT_EQ(c.ptAfter, pView->GetDeviceScrollPosition());
    }
    // The messages of the bars.
    pView->ScrollToPosition(CPoint(0, 0));
    pView->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0));
    pView->SendMessage(WM_HSCROLL, MAKEWPARAM(SB_LINEDOWN, 0));
    EXPECT_EQ(CPoint(10, 300), pView->GetDeviceScrollPosition());
    EXPECT_FALSE(pView->OnScrollBy(CSize(-5000, -5000)) && pView->GetDeviceScrollPosition() != CPoint(0, 0));
    EXPECT_EQ(CPoint(0, 0), pView->GetDeviceScrollPosition());
    EXPECT_FALSE(pView->OnScrollBy(CSize(-1, -1))) << "already at the origin";

    // Default page and line: a tenth of the document and of the page.
    pView->SetScrollSizes(MM_TEXT, CSize(1000, 2000));
    int nMapMode;
    CSize sizeTotal, sizePage, sizeLine;
    pView->GetDeviceScrollSizes(nMapMode, sizeTotal, sizePage, sizeLine);
    EXPECT_EQ(CSize(100, 200), sizePage);
    EXPECT_EQ(CSize(10, 20), sizeLine);
    // A document smaller than ten pixels still moves by a pixel.
    pView->SetScrollSizes(MM_TEXT, CSize(5, 5));
    pView->GetDeviceScrollSizes(nMapMode, sizeTotal, sizePage, sizeLine);
    EXPECT_EQ(CSize(1, 1), sizeLine);
}

TEST(ScrollView, MappingModesMeasureTheSameInch)
{
    CViewProgram program(RUNTIME_CLASS(CPlainDoc), RUNTIME_CLASS(CPatchView));
    auto* pView = dynamic_cast<CPatchView*>(program.View());
    ASSERT_NE(nullptr, pView);
    const CSize sizeInches = OnScreen(MM_LOENGLISH, CSize(1000, 1200));

    // Ten inches by twelve in each mode's units.
    const struct
    {
        int nMapMode;
        int nPerInch;
        const char* pszName;
    } cases[] = {
        { MM_LOENGLISH, 100, "MM_LOENGLISH" }, { MM_HIENGLISH, 1000, "MM_HIENGLISH" },
        { MM_LOMETRIC, 254, "MM_LOMETRIC" },   { MM_HIMETRIC, 2540, "MM_HIMETRIC" },
        { MM_TWIPS, 1440, "MM_TWIPS" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        pView->SetScrollSizes(c.nMapMode, CSize(10 * c.nPerInch, 12 * c.nPerInch));
        int nMapMode;
        CSize sizeTotal, sizePage, sizeLine;
        pView->GetDeviceScrollSizes(nMapMode, sizeTotal, sizePage, sizeLine);
        EXPECT_EQ(c.nMapMode, nMapMode);
        EXPECT_NEAR(sizeInches.cx, sizeTotal.cx, 1);
        EXPECT_NEAR(sizeInches.cy, sizeTotal.cy, 1);
        EXPECT_EQ(CSize(10 * c.nPerInch, 12 * c.nPerInch), pView->GetTotalSize());

        // A position in logical units, y below the origin, and back.
        pView->ScrollToPosition(CPoint(c.nPerInch, -c.nPerInch));
        CPoint ptDevice = pView->GetDeviceScrollPosition();
        EXPECT_NEAR(sizeInches.cx / 10, ptDevice.x, 1);
        EXPECT_NEAR(sizeInches.cy / 12, ptDevice.y, 1);
        CPoint ptLogical = pView->GetScrollPosition();
        EXPECT_NEAR(c.nPerInch, ptLogical.x, c.nPerInch / 50 + 1);
        EXPECT_NEAR(-c.nPerInch, ptLogical.y, c.nPerInch / 50 + 1);
        pView->ScrollToPosition(CPoint(0, 0));
    }
}

TEST(ScrollView, PreparedContextsForTheScreenAndForPaper)
{
    CViewProgram program(RUNTIME_CLASS(CPlainDoc), RUNTIME_CLASS(CGridView));
    auto* pView = dynamic_cast<CGridView*>(program.View());
    ASSERT_NE(nullptr, pView);
    const CSize sizeInch = OnScreen(MM_LOENGLISH, CSize(100, 100));
    pView->ScrollToPosition(CPoint(200, -100));
    CPoint ptScroll = pView->GetDeviceScrollPosition();
    ASSERT_NE(CPoint(0, 0), ptScroll);

    {
        CClientDC dc(pView);
        pView->OnPrepareDC(&dc);
        EXPECT_EQ(MM_LOENGLISH, dc.GetMapMode());
        EXPECT_EQ(CPoint(-ptScroll.x, -ptScroll.y), dc.GetViewportOrg());
    }

    // On paper the page starts at the document's origin, however the screen scrolled.
    CDibSurface page(4 * sizeInch.cx, 3 * sizeInch.cy);
    page.m_dc.m_bPrinting = TRUE;
    CPrintInfo info;
    info.m_nCurPage = 1;
    pView->OnPrepareDC(&page.m_dc, &info);
    EXPECT_EQ(CPoint(0, 0), page.m_dc.GetViewportOrg());
    EXPECT_EQ(MM_LOENGLISH, page.m_dc.GetMapMode());
    pView->PrintPage(&page.m_dc, &info);
    EXPECT_EQ(CGridView::CellColour(0, 0), page.At(sizeInch.cx / 2, sizeInch.cy / 2));
    EXPECT_EQ(CGridView::CellColour(3, 2), page.At(sizeInch.cx * 7 / 2, sizeInch.cy * 5 / 2));
}

TEST(ScrollView, ScaledToFitStretchesOverTheWindow)
{
    CViewProgram program(RUNTIME_CLASS(CPlainDoc), RUNTIME_CLASS(CPatchView));
    auto* pView = dynamic_cast<CPatchView*>(program.View());
    ASSERT_NE(nullptr, pView);
    pView->SetScrollSizes(MM_TEXT, CSize(2000, 2000));
    pView->ScrollToPosition(CPoint(300, 300));
    pView->SetScaleToFitSize(CSize(100, 100));

    for (CSize sizeClient : { CSize(400, 300), CSize(240, 360) })
    {
        program.SetClientSize(sizeClient);
        CSize size = program.ViewSize();
        SCOPED_TRACE(testing::Message() << "view " << size.cx << " x " << size.cy);
        BOOL bHorz, bVert;
        pView->CheckScrollBars(bHorz, bVert);
        EXPECT_FALSE(bHorz || bVert);
        EXPECT_EQ(CPoint(0, 0), pView->GetDeviceScrollPosition());
        EXPECT_EQ(RGB(255, 0, 0), program.PixelAt(CPoint(size.cx / 2 - 3, size.cy / 2 - 3)));
        EXPECT_EQ(crGreen, program.PixelAt(CPoint(size.cx / 2 + 3, size.cy / 2 + 3)));
        EXPECT_EQ(crGreen, program.PixelAt(CPoint(size.cx - 1, size.cy - 1)));
        int nMapMode;
        CSize sizeTotal, sizePage, sizeLine;
        pView->GetDeviceScrollSizes(nMapMode, sizeTotal, sizePage, sizeLine);
        EXPECT_EQ(MM_ANISOTROPIC, nMapMode);
        EXPECT_EQ(size, sizeTotal);
    }
    // Back to scrolling: the bars return.
    pView->SetScrollSizes(MM_TEXT, CSize(2000, 2000));
    BOOL bHorz, bVert;
    pView->CheckScrollBars(bHorz, bVert);
    EXPECT_TRUE(bHorz && bVert);
}

TEST(ScrollView, OutsideTheDocumentAndTheFrameFittedToIt)
{
    CViewProgram program(RUNTIME_CLASS(CPlainDoc), RUNTIME_CLASS(CPatchView));
    auto* pView = dynamic_cast<CPatchView*>(program.View());
    ASSERT_NE(nullptr, pView);
    CSize sizeView = program.ViewSize();
    pView->SetScrollSizes(MM_TEXT, CSize(150, 100));
    pView->Invalidate();
    EXPECT_EQ(crGreen, program.PixelAt(CPoint(149, 99)));
    EXPECT_EQ(crGrey, program.PixelAt(CPoint(150, 50))) << "right of the document";
    EXPECT_EQ(crGrey, program.PixelAt(CPoint(50, 100))) << "below it";
    EXPECT_EQ(crGrey, program.PixelAt(CPoint(sizeView.cx - 1, sizeView.cy - 1)));

    // Shrinking only: a document wider than the view leaves the width alone.
    pView->SetScrollSizes(MM_TEXT, CSize(sizeView.cx + 100, 120));
    pView->ResizeParentToFit();
    PumpWaiting();
    EXPECT_EQ(sizeView.cx, program.ViewSize().cx + (pView->GetStyle() & WS_VSCROLL ? GetSystemMetrics(SM_CXVSCROLL) : 0));
    BOOL bHorz, bVert;
    pView->CheckScrollBars(bHorz, bVert);
    EXPECT_TRUE(bHorz) << "the rest still scrolls";
    // Exactly: the view shows the whole document and no bars.
    pView->ResizeParentToFit(FALSE);
    PumpWaiting();
    EXPECT_EQ(CSize(sizeView.cx + 100, 120), program.ViewSize());
    pView->CheckScrollBars(bHorz, bVert);
    EXPECT_FALSE(bHorz || bVert);
    pView->SetScrollSizes(MM_TEXT, CSize(220, 90));
    pView->ResizeParentToFit();
    PumpWaiting();
    EXPECT_EQ(CSize(220, 90), program.ViewSize());
}
