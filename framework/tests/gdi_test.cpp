// The GDI classes over real Wine GDI: rectangle arithmetic, the handle maps, the two
// handles of CDC, drawing read back from DIB sections, and the window contexts.
#include <afxwin.h>
#include <gtest/gtest.h>

#include "dib_surface.h"

#include <vector>

namespace {

// A plain child-less window for the window-side tests.
HWND CreateTestWindow()
{
    return ::CreateWindowExA(0, "STATIC", "gdi test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                             200, 100, NULL, NULL, NULL, NULL);
}

// A surface with a 16-pixel Arial selected.
class CTextSurface : public CDibSurface
{
public:
    CTextSurface(int cx, int cy) : CDibSurface(cx, cy)
    {
        m_font.CreateFont(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
        m_pOldFont = m_dc.SelectObject(&m_font);
    }
    ~CTextSurface() { m_dc.SelectObject(m_pOldFont); }

    CFont m_font;

private:
    CFont* m_pOldFont;
};

} // namespace

TEST(CRect, SetOperationsFollowUser)
{
    const struct
    {
        const char* context;
        CRect result;
        BOOL bResult;
        CRect expected;
    } cases[] = {
        { "overlap", CRect(0, 0, 10, 10) & CRect(5, 5, 20, 20), TRUE, CRect(5, 5, 10, 10) },
        { "edges touch", CRect(0, 0, 5, 5) & CRect(5, 0, 10, 5), FALSE, CRect() },
        { "union ignores empty", CRect(0, 0, 5, 5) | CRect(20, 20, 20, 30), TRUE, CRect(0, 0, 5, 5) },
        { "union", CRect(0, 0, 5, 5) | CRect(10, -2, 12, 3), TRUE, CRect(0, -2, 12, 5) },
        { "inflate", [] { CRect r(10, 10, 20, 20); r.InflateRect(2, 3); return r; }(), TRUE, CRect(8, 7, 22, 23) },
        { "deflate sides", [] { CRect r(10, 10, 20, 20); r.DeflateRect(1, 2, 3, 4); return r; }(), TRUE, CRect(11, 12, 17, 16) },
        { "offset", CRect(1, 2, 3, 4) + CPoint(10, 20), TRUE, CRect(11, 22, 13, 24) },
        { "minus size", CRect(1, 2, 3, 4) - CSize(1, 2), TRUE, CRect(0, 0, 2, 2) },
        { "normalize", [] { CRect r(10, 20, 0, 5); r.NormalizeRect(); return r; }(), TRUE, CRect(0, 5, 10, 20) },
        { "mul div", CRect(3, 6, 9, 12).MulDiv(2, 3), TRUE, CRect(2, 4, 6, 8) },
        { "corner aliases fields", [] { CRect r(1, 2, 3, 4); r.TopLeft() = CPoint(-1, -2); r.BottomRight().x = 9; return r; }(),
          TRUE, CRect(-1, -2, 9, 4) },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.context);
        EXPECT_TRUE(RectEq(c.expected, c.result));
        EXPECT_EQ(c.bResult, !c.result.IsRectEmpty());
    }

    CRect rect;
    EXPECT_FALSE(rect.IntersectRect(CRect(0, 0, 5, 5), CRect(6, 6, 9, 9)));
    EXPECT_TRUE(rect.IsRectNull());
}

TEST(CRect, SizeAndMembership)
{
    CRect rectInverted(10, 20, 5, 30);
    EXPECT_EQ(-5, rectInverted.Width());
    EXPECT_EQ(10, rectInverted.Height());
    EXPECT_TRUE(rectInverted.IsRectEmpty());
    EXPECT_FALSE(rectInverted.IsRectNull());

    const struct
    {
        CPoint point;
        BOOL bInside;
    } points[] = {
        { CPoint(0, 0), TRUE }, { CPoint(9, 9), TRUE }, { CPoint(10, 5), FALSE },
        { CPoint(5, 10), FALSE }, { CPoint(-1, 0), FALSE },
    };
    CRect rect(0, 0, 10, 10);
    for (const auto& p : points)
        EXPECT_EQ(p.bInside, rect.PtInRect(p.point)) << p.point.x << "," << p.point.y;

    EXPECT_EQ(CPoint(5, 5), rect.CenterPoint());
    EXPECT_EQ(CSize(3, -4), CPoint(5, 1) - CPoint(2, 5));
    EXPECT_EQ(CPoint(-5, 7), CPoint((DWORD)MAKELONG(-5, 7))) << "packed coordinates are signed";
}

TEST(HandleMaps, TemporaryObjectsWrapWithoutOwning)
{
    HDC hDC = ::CreateCompatibleDC(NULL);
    CDC* pTemp = CDC::FromHandle(hDC);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_EQ(pTemp, CDC::FromHandle(hDC)) << "one temporary object per handle";
    EXPECT_EQ(hDC, pTemp->m_hAttribDC);
    CDC::DeleteTempMap();
    EXPECT_EQ(OBJ_MEMDC, (int)::GetObjectType(hDC)) << "freeing the temporary leaves the handle";

    {
        CDC dc;
        ASSERT_TRUE(dc.Attach(hDC));
        EXPECT_EQ(&dc, CDC::FromHandle(hDC));

        // Another object borrowing the handle does not take the owner's entry away.
        CDC dcBorrower;
        dcBorrower.m_hDC = dcBorrower.m_hAttribDC = hDC;
        EXPECT_EQ(hDC, dcBorrower.Detach());
        EXPECT_EQ(&dc, CDC::FromHandle(hDC));

        EXPECT_EQ(hDC, dc.Detach());
        EXPECT_NE(&dc, CDC::FromHandle(hDC));
        CDC::DeleteTempMap();
    }
    EXPECT_EQ(OBJ_MEMDC, (int)::GetObjectType(hDC)) << "a detached handle survives its object";
    ::DeleteDC(hDC);
}

TEST(HandleMaps, GdiTemporariesHaveTheirHandlesClass)
{
    BYTE bits[2] = {};
    LOGPALETTE logPalette = { 0x300, 1, { { 1, 2, 3, 0 } } };
    const struct
    {
        const char* context;
        HGDIOBJ hObject;
        CRuntimeClass* pClass;
    } cases[] = {
        { "pen", ::CreatePen(PS_SOLID, 1, 0), RUNTIME_CLASS(CPen) },
        { "brush", ::CreateSolidBrush(0), RUNTIME_CLASS(CBrush) },
        { "font", ::GetStockObject(SYSTEM_FONT), RUNTIME_CLASS(CFont) },
        { "bitmap", ::CreateBitmap(1, 1, 1, 1, bits), RUNTIME_CLASS(CBitmap) },
        { "palette", ::CreatePalette(&logPalette), RUNTIME_CLASS(CPalette) },
        { "region", ::CreateRectRgn(0, 0, 1, 1), RUNTIME_CLASS(CRgn) },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.context);
        CGdiObject* pObject = CGdiObject::FromHandle(c.hObject);
        ASSERT_NE(nullptr, pObject);
        EXPECT_TRUE(pObject->IsKindOf(c.pClass));
        EXPECT_EQ(c.hObject, pObject->m_hObject);
    }
    CGdiObject::DeleteTempMap();
    for (const auto& c : cases)
    {
        EXPECT_NE(0u, ::GetObjectType(c.hObject)) << c.context;
        ::DeleteObject(c.hObject);
    }
}

TEST(HandleMaps, OwnerDeletesItsObject)
{
    HGDIOBJ hPen;
    {
        CPen pen(PS_SOLID, 2, RGB(1, 2, 3));
        hPen = pen.m_hObject;
        EXPECT_EQ(&pen, CPen::FromHandle((HPEN)hPen));
        LOGPEN logPen;
        ASSERT_EQ((int)sizeof(logPen), pen.GetLogPen(&logPen));
        EXPECT_EQ(2, logPen.lopnWidth.x);
        EXPECT_EQ(RGB(1, 2, 3), logPen.lopnColor);
    }
    EXPECT_EQ(0u, ::GetObjectType(hPen));
}

TEST(HandleMaps, WindowsAreDestroyedOnlyByTheirOwner)
{
    HWND hWnd = CreateTestWindow();
    ASSERT_NE(nullptr, hWnd);
    CWnd* pTemp = CWnd::FromHandle(hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    EXPECT_EQ(hWnd, pTemp->m_hWnd);
    CWnd::DeleteTempMap();
    EXPECT_TRUE(::IsWindow(hWnd));

    {
        CWnd wnd;
        ASSERT_TRUE(wnd.Attach(hWnd));
        EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(hWnd));
        EXPECT_EQ(&wnd, CWnd::FromHandle(hWnd));
    }
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

// Print preview draws on one handle and measures on another: settings go to both.
TEST(CDC, SettingsReachBothHandles)
{
    CDibSurface output(20, 20);
    CDibSurface attrib(20, 20);
    CDC dc;
    dc.m_hDC = output.m_dc.m_hDC;
    dc.m_hAttribDC = attrib.m_dc.m_hDC;

    EXPECT_EQ(MM_TEXT, dc.SetMapMode(MM_ANISOTROPIC));
    dc.SetWindowExt(72, 72);
    dc.SetViewportExt(96, 96);
    dc.SetWindowOrg(3, 4);
    for (HDC h : { output.m_dc.m_hDC, attrib.m_dc.m_hDC })
    {
        SIZE size;
        POINT point;
        EXPECT_EQ(MM_ANISOTROPIC, ::GetMapMode(h));
        ::GetWindowExtEx(h, &size);
        EXPECT_EQ(72, size.cx);
        ::GetViewportExtEx(h, &size);
        EXPECT_EQ(96, size.cy);
        ::GetWindowOrgEx(h, &point);
        EXPECT_EQ(CPoint(3, 4), point);
    }

    // Two save stacks: only the last save can be restored, as level -1.
    int nSaved = dc.SaveDC();
    EXPECT_EQ(-1, nSaved);
    dc.SetWindowOrg(7, 8);
    CPen pen(PS_SOLID, 1, RGB(9, 9, 9));
    CPen* pOldPen = dc.SelectObject(&pen);
    EXPECT_EQ(::GetStockObject(BLACK_PEN), pOldPen->m_hObject);
    EXPECT_EQ(pen.m_hObject, ::GetCurrentObject(output.m_dc.m_hDC, OBJ_PEN));
    EXPECT_EQ(pen.m_hObject, ::GetCurrentObject(attrib.m_dc.m_hDC, OBJ_PEN));
    EXPECT_TRUE(dc.RestoreDC(nSaved));
    EXPECT_EQ(CPoint(3, 4), dc.GetWindowOrg());
    POINT point;
    ::GetWindowOrgEx(output.m_dc.m_hDC, &point);
    EXPECT_EQ(CPoint(3, 4), point);
    EXPECT_EQ(::GetStockObject(BLACK_PEN), ::GetCurrentObject(output.m_dc.m_hDC, OBJ_PEN));

    dc.m_hDC = dc.m_hAttribDC = NULL;
    CGdiObject::DeleteTempMap();
}

TEST(CDC, DrawingLandsOnTheRightPixels)
{
    CDibSurface surface(40, 40);
    CDC& dc = surface.m_dc;

    dc.FillSolidRect(CRect(2, 3, 6, 8), RGB(10, 20, 30));
    EXPECT_TRUE(RectEq(CRect(2, 3, 6, 8), surface.PaintedBounds(RGB(255, 255, 255))));
    EXPECT_EQ(RGB(10, 20, 30), dc.GetBkColor()) << "FillSolidRect leaves its colour as background";

    // Logical (0, 0) is device (5, 5) once the window origin is (-5, -5).
    surface.Fill(RGB(255, 255, 255));
    dc.SetWindowOrg(-5, -5);
    CBrush brush(RGB(0, 0, 255));
    CBrush* pOldBrush = dc.SelectObject(&brush);
    dc.Rectangle(CRect(0, 0, 4, 3));
    EXPECT_TRUE(RectEq(CRect(5, 5, 9, 8), surface.PaintedBounds(RGB(255, 255, 255))));
    EXPECT_EQ(RGB(0, 0, 0), surface.At(5, 5));
    EXPECT_EQ(RGB(0, 0, 255), surface.At(6, 6));

    // The clip region is in device coordinates.
    surface.Fill(RGB(255, 255, 255));
    CRgn rgn;
    ASSERT_TRUE(rgn.CreateRectRgn(10, 10, 12, 12));
    EXPECT_EQ(SIMPLEREGION, dc.SelectClipRgn(&rgn));
    CRect rectClip;
    dc.GetClipBox(&rectClip);
    EXPECT_TRUE(RectEq(CRect(5, 5, 7, 7), rectClip)) << "the clip box is logical";
    dc.Rectangle(CRect(0, 0, 20, 20));
    EXPECT_TRUE(RectEq(CRect(10, 10, 12, 12), surface.PaintedBounds(RGB(255, 255, 255))));
    dc.SelectClipRgn(NULL);
    dc.SetWindowOrg(0, 0);

    // A line leaves its end point out.
    surface.Fill(RGB(255, 255, 255));
    dc.MoveTo(1, 30);
    dc.LineTo(9, 30);
    EXPECT_TRUE(RectEq(CRect(1, 30, 9, 31), surface.PaintedBounds(RGB(255, 255, 255))));
    EXPECT_EQ(CPoint(9, 30), dc.GetCurrentPosition());

    dc.SelectObject(pOldBrush);
    CGdiObject::DeleteTempMap();
}

TEST(CDC, BlitsCopyAndStretch)
{
    CDibSurface source(4, 4, RGB(200, 0, 0));
    source.m_dc.FillSolidRect(0, 0, 2, 2, RGB(0, 200, 0));
    CDibSurface target(20, 20);

    ASSERT_TRUE(target.m_dc.BitBlt(10, 11, 4, 4, &source.m_dc, 0, 0, SRCCOPY));
    EXPECT_EQ(RGB(0, 200, 0), target.At(11, 12));
    EXPECT_EQ(RGB(200, 0, 0), target.At(13, 14));
    EXPECT_EQ(RGB(255, 255, 255), target.At(14, 15));

    target.Fill(RGB(255, 255, 255));
    EXPECT_EQ(BLACKONWHITE, target.m_dc.SetStretchBltMode(COLORONCOLOR));
    ASSERT_TRUE(target.m_dc.StretchBlt(0, 0, 8, 8, &source.m_dc, 0, 0, 4, 4, SRCCOPY));
    EXPECT_EQ(16, target.Count(RGB(0, 200, 0)));
    EXPECT_EQ(48, target.Count(RGB(200, 0, 0)));
}

TEST(CDC, TextIsMeasuredAndDrawnInItsRectangle)
{
    CTextSurface surface(120, 60);
    CDC& dc = surface.m_dc;

    CSize sizeOne = dc.GetTextExtent("W", 1);
    CSize sizeTwo = dc.GetTextExtent(CString("WW"));
    EXPECT_GT(sizeOne.cx, 0);
    EXPECT_EQ(2 * sizeOne.cx, sizeTwo.cx);
    EXPECT_EQ(sizeOne.cy, sizeTwo.cy);

    CRect rect(10, 10, 110, 50);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(0, 0, 0));
    EXPECT_GT(dc.DrawText("Hello", -1, &rect, DT_LEFT), 0);
    CRect rectPainted = surface.PaintedBounds(RGB(255, 255, 255));
    EXPECT_FALSE(rectPainted.IsRectEmpty());
    CRect rectInside;
    EXPECT_TRUE(rectInside.IntersectRect(rectPainted, rect));
    EXPECT_TRUE(RectEq(rectPainted, rectInside));
}

namespace {

// An icon of one colour, opaque everywhere: its mask is all zero.
HICON CreateSolidIcon(int cx, int cy, COLORREF cr)
{
    CDibSurface colour(cx, cy, cr);
    HBITMAP hColour = ::CreateCompatibleBitmap(colour.m_dc.m_hDC, cx, cy);
    HDC hDC = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, hColour);
    ::BitBlt(hDC, 0, 0, cx, cy, colour.m_dc.m_hDC, 0, 0, SRCCOPY);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    std::vector<BYTE> mask((cx + 15) / 16 * 2 * cy, 0);
    HBITMAP hMask = ::CreateBitmap(cx, cy, 1, 1, mask.data());
    ICONINFO ii = { TRUE, 0, 0, hMask, hColour };
    HICON hIcon = ::CreateIconIndirect(&ii);
    ::DeleteObject(hMask);
    ::DeleteObject(hColour);
    return hIcon;
}

} // namespace

TEST(CDC, IconsAndEdgesLandWhereAsked)
{
    const int cxIcon = ::GetSystemMetrics(SM_CXICON), cyIcon = ::GetSystemMetrics(SM_CYICON);
    CDibSurface surface(2 * cxIcon + 40, cyIcon + 40);
    HICON hIcon = CreateSolidIcon(cxIcon, cyIcon, RGB(255, 0, 0));
    ASSERT_NE(nullptr, hIcon);

    EXPECT_TRUE(surface.m_dc.DrawIcon(5, 7, hIcon));
    EXPECT_TRUE(RectEq(CRect(5, 7, 5 + cxIcon, 7 + cyIcon), surface.PaintedBounds(RGB(255, 255, 255))));
    surface.Fill(RGB(255, 255, 255));
    EXPECT_TRUE(surface.m_dc.DrawIcon(CPoint(cxIcon + 20, 30), hIcon));
    EXPECT_TRUE(RectEq(CRect(cxIcon + 20, 30, 2 * cxIcon + 20, 30 + cyIcon), surface.PaintedBounds(RGB(255, 255, 255))));
    EXPECT_EQ(cxIcon * cyIcon, surface.Count(RGB(255, 0, 0)));
    ::DestroyIcon(hIcon);

    // A raised edge: light on the top and left, dark on the bottom and right; with
    // BF_ADJUST the rectangle comes back inside the edge.
    surface.Fill(RGB(10, 200, 30));
    CRect rect(10, 10, 40, 30);
    EXPECT_TRUE(surface.m_dc.DrawEdge(&rect, EDGE_RAISED, BF_RECT | BF_ADJUST));
    EXPECT_TRUE(RectEq(CRect(12, 12, 38, 28), rect));
    EXPECT_TRUE(RectEq(CRect(10, 10, 40, 30), surface.PaintedBounds(RGB(10, 200, 30))));
    auto brightness = [&](int x, int y) {
        COLORREF cr = surface.At(x, y);
        return GetRValue(cr) + GetGValue(cr) + GetBValue(cr);
    };
    EXPECT_GT(brightness(20, 10), brightness(20, 29));
    EXPECT_GT(brightness(10, 20), brightness(39, 20));
    EXPECT_EQ(RGB(10, 200, 30), surface.At(20, 20)) << "the inside is left alone";
}

TEST(CDC, ExtendedTextFillsClipsAndSpaces)
{
    CTextSurface surface(200, 40);
    CDC& dc = surface.m_dc;
    dc.SetTextColor(RGB(0, 0, 0));
    dc.SetBkColor(RGB(0, 0, 255));

    // Opaque: the whole rectangle takes the background colour, text or not.
    CRect rectOpaque(100, 5, 190, 35);
    EXPECT_TRUE(dc.ExtTextOut(100, 5, ETO_OPAQUE, &rectOpaque, CString("x"), NULL));
    EXPECT_EQ(RGB(0, 0, 255), surface.At(185, 30));
    EXPECT_TRUE(RectEq(rectOpaque, surface.PaintedBounds(RGB(255, 255, 255))));

    // Clipped: nothing outside the rectangle, though the text runs on past it.
    surface.Fill(RGB(255, 255, 255));
    dc.SetBkMode(TRANSPARENT);
    CRect rectClip(0, 0, 20, 40);
    EXPECT_TRUE(dc.ExtTextOut(2, 5, ETO_CLIPPED, &rectClip, "WWWWWW", 6, NULL));
    CRect rectPainted = surface.PaintedBounds(RGB(255, 255, 255));
    EXPECT_FALSE(rectPainted.IsRectEmpty());
    EXPECT_LE(rectPainted.right, 20);

    // Advances given: the characters stand 30 pixels apart, whatever their width.
    surface.Fill(RGB(255, 255, 255));
    INT dx[3] = { 30, 30, 30 };
    EXPECT_TRUE(dc.ExtTextOut(0, 5, 0, NULL, "III", 3, dx));
    rectPainted = surface.PaintedBounds(RGB(255, 255, 255));
    EXPECT_GE(rectPainted.right, 60);
    EXPECT_LT(rectPainted.right, 90);
}

TEST(CDC, TabbedTextStopsAtTheTabPositions)
{
    CTextSurface surface(300, 40);
    CDC& dc = surface.m_dc;
    dc.SetBkMode(TRANSPARENT);

    INT stops[2] = { 100, 200 };
    const CSize sizeB = dc.GetTextExtent("B", 1);
    CSize size = dc.TabbedTextOut(10, 5, "\tB", 2, 2, stops, 10);
    EXPECT_EQ(100 + sizeB.cx, size.cx) << "measured from x, the stop counted from the origin";
    EXPECT_EQ(sizeB.cy, size.cy);
    CRect rectPainted = surface.PaintedBounds(RGB(255, 255, 255));
    EXPECT_GE(rectPainted.left, 110);
    EXPECT_LE(rectPainted.right, 110 + sizeB.cx + 1);

    EXPECT_EQ(size, dc.GetTabbedTextExtent(CString("\tB"), 2, stops));
    surface.Fill(RGB(255, 255, 255));
    EXPECT_EQ(CSize(200 + sizeB.cx, sizeB.cy), dc.TabbedTextOut(0, 5, CString("\t\tB"), 2, stops, 0));
    EXPECT_GE(surface.PaintedBounds(RGB(255, 255, 255)).left, 200);
}

TEST(CDC, FramesFillsAndCurvesStayInTheirBounds)
{
    CDibSurface surface(100, 80);
    CDC& dc = surface.m_dc;
    const COLORREF crLight = RGB(250, 250, 0), crDark = RGB(0, 0, 100), crPaper = RGB(255, 255, 255);

    dc.Draw3dRect(CRect(10, 10, 30, 25), crLight, crDark);
    EXPECT_EQ(crLight, surface.At(10, 10));
    EXPECT_EQ(crLight, surface.At(28, 10));
    EXPECT_EQ(crLight, surface.At(10, 23));
    EXPECT_EQ(crDark, surface.At(29, 10)) << "the top right corner belongs to the right side";
    EXPECT_EQ(crDark, surface.At(10, 24)) << "the bottom left corner belongs to the bottom";
    EXPECT_EQ(crDark, surface.At(29, 24));
    EXPECT_EQ(crPaper, surface.At(20, 17));
    EXPECT_EQ(19 + 14 - 1, surface.Count(crLight));
    EXPECT_EQ(15 + 20 - 1, surface.Count(crDark));

    // A flood fill inside the frame stops at its border.
    CBrush brush(RGB(0, 200, 0));
    CBrush* pOldBrush = dc.SelectObject(&brush);
    EXPECT_TRUE(dc.ExtFloodFill(20, 17, crPaper, FLOODFILLSURFACE));
    EXPECT_EQ(18 * 13, surface.Count(RGB(0, 200, 0)));
    dc.SelectObject(pOldBrush);

    // The focus rectangle inverts: drawn twice, it is gone.
    surface.Fill(crPaper);
    CRect rectFocus(40, 40, 60, 60);
    dc.DrawFocusRect(&rectFocus);
    EXPECT_TRUE(RectEq(rectFocus, surface.PaintedBounds(crPaper)));
    dc.DrawFocusRect(&rectFocus);
    EXPECT_TRUE(surface.PaintedBounds(crPaper).IsRectEmpty());

    // A pie of the right half of a circle, counterclockwise from bottom to top.
    CRect rectCircle(20, 10, 60, 50);
    EXPECT_TRUE(dc.Pie(&rectCircle, CPoint(40, 60), CPoint(40, 0)));
    CRect rectPie = surface.PaintedBounds(crPaper);
    EXPECT_GE(rectPie.left, 39);
    EXPECT_LE(rectPie.right, 60);
    EXPECT_GE(rectPie.top, 10);
    EXPECT_LE(rectPie.bottom, 50);
}

TEST(CDC, ViewportOffsetAndScaleReachBothHandles)
{
    CDibSurface output(10, 10), attrib(10, 10);
    CDC& dc = output.m_dc;
    dc.SetAttribDC(attrib.m_dc.m_hDC);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetViewportExt(10, 20);
    dc.SetWindowExt(1, 1);
    EXPECT_EQ(CPoint(0, 0), dc.OffsetViewportOrg(3, 4));
    EXPECT_EQ(CSize(10, 20), dc.ScaleViewportExt(3, 2, 1, 2));
    for (HDC h : { output.m_dc.m_hDC, attrib.m_dc.m_hDC })
    {
        POINT pt;
        SIZE size;
        ::GetViewportOrgEx(h, &pt);
        ::GetViewportExtEx(h, &size);
        EXPECT_EQ(CPoint(3, 4), CPoint(pt));
        EXPECT_EQ(CSize(15, 10), CSize(size));
    }
    dc.SetAttribDC(output.m_dc.m_hDC);
}

TEST(CDC, TextFaceWidthsAndSpacing)
{
    CTextSurface surface(200, 40);
    CDC& dc = surface.m_dc;
    EXPECT_EQ(&surface.m_font, dc.GetCurrentFont());

    // The face GDI chose, which may stand in for the one asked for.
    CString strFace;
    char szFace[LF_FACESIZE];
    int nLen = dc.GetTextFace(strFace);
    EXPECT_EQ(nLen, dc.GetTextFace(LF_FACESIZE, szFace));
    EXPECT_EQ(CString(szFace), strFace);
    EXPECT_FALSE(strFace.IsEmpty());

    INT widths[3];
    ASSERT_TRUE(dc.GetCharWidth('a', 'c', widths));
    EXPECT_EQ(dc.GetTextExtent("abc", 3).cx, widths[0] + widths[1] + widths[2]);

    // Extra spacing widens what is drawn and what is measured alike.
    CSize sizePlain = dc.GetOutputTextExtent(CString("abc"));
    EXPECT_EQ(0, dc.SetTextCharacterExtra(5));
    EXPECT_EQ(5, dc.GetTextCharacterExtra());
    EXPECT_EQ(sizePlain.cx + 15, dc.GetOutputTextExtent("abc", 3).cx);
    dc.SetTextCharacterExtra(0);
}

TEST(CFont, PointSizesGoThroughTheDevicesResolutionAndMapping)
{
    CDibSurface surface(10, 10);
    const int nDpi = surface.m_dc.GetDeviceCaps(LOGPIXELSY);
    LOGFONT lf;

    CFont fontScreen;
    ASSERT_TRUE(fontScreen.CreatePointFont(120, "Arial"));
    fontScreen.GetLogFont(&lf);
    HDC hScreen = ::GetDC(NULL);
    EXPECT_EQ(-::MulDiv(120, ::GetDeviceCaps(hScreen, LOGPIXELSY), 720), lf.lfHeight);
    ::ReleaseDC(NULL, hScreen);
    EXPECT_STREQ("Arial", lf.lfFaceName);
    EXPECT_EQ(DEFAULT_CHARSET, lf.lfCharSet);

    // Two logical units to a pixel: twice the height.
    surface.m_dc.SetMapMode(MM_ANISOTROPIC);
    surface.m_dc.SetWindowExt(2, 2);
    surface.m_dc.SetViewportExt(1, 1);
    CFont fontScaled;
    ASSERT_TRUE(fontScaled.CreatePointFont(120, "Arial", &surface.m_dc));
    fontScaled.GetLogFont(&lf);
    EXPECT_EQ(-2 * ::MulDiv(120, nDpi, 720), lf.lfHeight);

    // A face name longer than a LOGFONT holds is cut to fit; the other fields of the
    // indirect form are kept.
    LOGFONT lfIn = {};
    lfIn.lfHeight = 100;
    lfIn.lfWeight = FW_BOLD;
    lfIn.lfItalic = TRUE;
    CFont fontLong;
    ASSERT_TRUE(fontLong.CreatePointFont(100, "A face name far longer than thirty-one characters"));
    fontLong.GetLogFont(&lf);
    EXPECT_EQ(LF_FACESIZE - 1, (int)strlen(lf.lfFaceName));
    CFont fontBold;
    ASSERT_TRUE(fontBold.CreatePointFontIndirect(&lfIn));
    fontBold.GetLogFont(&lf);
    EXPECT_EQ(FW_BOLD, lf.lfWeight);
    EXPECT_TRUE(lf.lfItalic);
    EXPECT_LT(lf.lfHeight, 0);
}

TEST(CPalette, EntriesAndNearestIndex)
{
    struct
    {
        WORD palVersion;
        WORD palNumEntries;
        PALETTEENTRY entries[3];
    } logPalette = { 0x300, 3, { { 255, 0, 0, 0 }, { 0, 255, 0, 0 }, { 0, 0, 255, 0 } } };
    CPalette palette;
    ASSERT_TRUE(palette.CreatePalette(reinterpret_cast<LOGPALETTE*>(&logPalette)));
    EXPECT_EQ(3, palette.GetEntryCount());
    EXPECT_EQ(2u, palette.GetNearestPaletteIndex(RGB(10, 10, 200)));
    PALETTEENTRY entry;
    ASSERT_EQ(1u, palette.GetPaletteEntries(1, 1, &entry));
    EXPECT_EQ(255, entry.peGreen);
}

TEST(WindowDCs, ThrowOnlyWhenTheWindowHasNoContext)
{
    CWnd wndBogus;
    wndBogus.m_hWnd = (HWND)(ULONG_PTR)0xDEAD0;
    bool bThrown = false;
    try
    {
        CClientDC dc(&wndBogus);
    }
    catch (CResourceException* e)
    {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
    wndBogus.m_hWnd = NULL;

    CClientDC dcScreen(NULL);
    EXPECT_NE(nullptr, dcScreen.m_hDC);
    EXPECT_EQ(&dcScreen, CDC::FromHandle(dcScreen.m_hDC));
}

TEST(WindowDCs, PaintDCValidatesTheWindow)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.Attach(CreateTestWindow()));
    ::UpdateWindow(wnd);
    wnd.InvalidateRect(CRect(5, 5, 15, 15), FALSE);
    CRect rectUpdate;
    ASSERT_TRUE(wnd.GetUpdateRect(&rectUpdate));
    {
        CPaintDC dc(&wnd);
        EXPECT_TRUE(RectEq(CRect(5, 5, 15, 15), dc.m_ps.rcPaint));
    }
    EXPECT_FALSE(wnd.GetUpdateRect(&rectUpdate));

    CRect rectClient;
    wnd.GetClientRect(&rectClient);
    CWindowDC dcWindow(&wnd);
    EXPECT_NE(nullptr, dcWindow.m_hDC);
}

TEST(CDC, ScrolledPixelsArcsAndTheBoundsOfDrawing)
{
    CDibSurface surface(60, 40);
    CDC& dc = surface.m_dc;
    const COLORREF crPaper = RGB(255, 255, 255), crInk = RGB(0, 0, 0);

    // Drawing while bounds accumulate: the rectangle it touched.
    dc.SetBoundsRect(NULL, DCB_ENABLE | DCB_RESET);
    dc.FillSolidRect(5, 6, 4, 3, crInk);
    CRect rectBounds;
    EXPECT_EQ((UINT)DCB_SET, dc.GetBoundsRect(&rectBounds, DCB_RESET) & DCB_SET);
    EXPECT_TRUE(RectEq(CRect(5, 6, 9, 9), rectBounds));
    dc.SetBoundsRect(NULL, DCB_DISABLE);

    // The block is copied right by 10; the strip it uncovered keeps its old pixels and
    // comes back as the part to draw again.
    CRect rectUpdate;
    CRect rectScroll(0, 0, 30, 20);
    EXPECT_TRUE(dc.ScrollDC(10, 0, &rectScroll, &rectScroll, NULL, &rectUpdate));
    EXPECT_EQ(crInk, surface.At(15, 6));
    EXPECT_EQ(crInk, surface.At(18, 8));
    EXPECT_EQ(crPaper, surface.At(19, 8));
    EXPECT_TRUE(RectEq(CRect(0, 0, 10, 20), rectUpdate));

    // An angle arc: the line from the current position, then a quarter circle from 0
    // degrees (right) counterclockwise to 90 (up).
    surface.Fill(crPaper);
    dc.MoveTo(10, 30);
    EXPECT_TRUE(dc.AngleArc(40, 30, 10, 0.0f, 90.0f));
    EXPECT_EQ(crInk, surface.At(15, 30)) << "the line to the arc's start";
    CPoint ptEnd = dc.GetCurrentPosition();
    EXPECT_NEAR(40, ptEnd.x, 1);
    EXPECT_NEAR(20, ptEnd.y, 1);
    CRect rectArc = surface.PaintedBounds(crPaper);
    EXPECT_LE(rectArc.right, 51);
    EXPECT_GE(rectArc.top, 19);
}
