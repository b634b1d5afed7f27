// The canvas on one container's window area: drawing outside the paint cycle lands in the
// container's client area, inside a window with or without an edge, read back from the
// window's device context.
#include "limn/containers/ContainerCanvas.h"
#include "limn/containers/ContainerFrame.h"

#include "container_support.h"
#include "framework/tests/test_support.h"

#include <memory>

namespace {

const COLORREF crGrey = RGB(192, 192, 192), crRed = RGB(255, 0, 0), crGreen = RGB(0, 255, 0);

COLORREF ClientPixel(HWND hWnd, int x, int y)
{
    HDC hDC = ::GetDC(hWnd);
    COLORREF color = ::GetPixel(hDC, x, y);
    ::ReleaseDC(hWnd, hDC);
    return color;
}

} // namespace

// A container at (30, 20) of a panel at (10, 10), inside frames of 2 and 3 pixels: its
// client area starts at (45, 35) of the window's client area, whatever the window's edge.
TEST(ContainerCanvas, DrawsIntoTheContainersArea)
{
    static const struct
    {
        const char* pszWhat;
        DWORD dwExStyle;
        DWORD dwStyle;
    } windows[] = {
        { "popup", WS_EX_TOPMOST, WS_POPUP | WS_VISIBLE },
        { "client edge", WS_EX_TOPMOST | WS_EX_CLIENTEDGE, WS_POPUP | WS_VISIBLE },
        { "caption", WS_EX_TOPMOST, WS_OVERLAPPEDWINDOW | WS_VISIBLE },
    };
    for (const auto& w : windows)
    {
        CWnd wnd;
        ASSERT_TRUE(wnd.CreateEx(w.dwExStyle, NULL, "canvas", w.dwStyle, 50, 50, 200, 150, NULL, NULL)) << w.pszWhat;
        CWndContainer root(&wnd);
        auto* pPanel = new CContainer(&root, arrangeNone);
        pPanel->SetBounds(CRect(10, 10, 150, 120));
        pPanel->SetFrame(new CContainerFrame(2, RGB(0, 0, 0)));
        auto* pTarget = new CContainer(pPanel, arrangeNone);
        pTarget->SetBounds(CRect(30, 20, 90, 70));
        pTarget->SetFrame(new CContainerFrame(3, RGB(0, 0, 0)));
        CClientDC(&wnd).FillSolidRect(0, 0, 200, 150, crGrey);

        {
            CContainerCanvas canvas(pTarget);
            EXPECT_EQ(CSize(54, 44), canvas.GetExtent()) << w.pszWhat;
            canvas.SetBrush(crRed, FALSE);
            canvas.FillRectangle(CRect(0, 0, 11, 11));
            canvas.SetBrush(crGreen, FALSE);
            canvas.FillRectangle(CRect(50, 40, 55, 45));
        }
        const struct
        {
            int x, y;
            COLORREF color;
        } pixels[] = {
            { 45, 35, crRed }, { 54, 44, crRed }, { 44, 35, crGrey }, { 45, 34, crGrey }, { 55, 44, crGrey },
            { 95, 75, crGreen }, { 98, 78, crGreen }, { 94, 75, crGrey },
        };
        for (const auto& p : pixels)
            EXPECT_EQ(p.color, ClientPixel(wnd.m_hWnd, p.x, p.y)) << w.pszWhat << " (" << p.x << ", " << p.y << ")";
        wnd.DestroyWindow();
    }
}

// A container in no window has no area to draw into.
TEST(ContainerCanvas, NoWindow)
{
    CWndContainer root;
    auto* pChild = new CContainer(&root, arrangeNone);
    CResourceException* e = Thrown<CResourceException>([&] { CContainerCanvas canvas(pChild); });
    EXPECT_NE(nullptr, e);
    if (e != NULL)
        e->Delete();
    CContainer lonely(NULL, arrangeNone);
    e = Thrown<CResourceException>([&] { CContainerCanvas canvas(&lonely); });
    EXPECT_NE(nullptr, e);
    if (e != NULL)
        e->Delete();
}
