// Owner-drawn menu items: measured and drawn by the menu's own CMenu object, whether the
// menu is a popup being tracked or lies in a window's menu bar.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <vector>

#include "dialog_driver.h"

namespace {

// Items of colour: each item's data is the colour it shows, in a 40 by 20 cell.
class CColorMenu : public CMenu
{
public:
    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override
    {
        m_measured.push_back(lpMIS->itemID);
        lpMIS->itemWidth = 40;
        lpMIS->itemHeight = 20;
    }
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override
    {
        m_drawn.push_back(lpDIS->itemID);
        m_rectLast = lpDIS->rcItem;
        CDC* pDC = CDC::FromHandle(lpDIS->hDC);
        pDC->FillSolidRect(&lpDIS->rcItem, (COLORREF)lpDIS->itemData);
    }

    std::vector<UINT> m_measured;
    std::vector<UINT> m_drawn;
    CRect m_rectLast;
};

} // namespace

TEST(OwnerDrawnMenu, APopupIsMeasuredAndDrawnByItsObject)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, NULL, NULL));
    owner.SetForegroundWindow();

    CColorMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_OWNERDRAW, 101, (LPCTSTR)(UINT_PTR)RGB(255, 0, 0));
    menu.AppendMenu(MF_OWNERDRAW, 102, (LPCTSTR)(UINT_PTR)RGB(0, 0, 255));

    COLORREF crSeen = CLR_INVALID;
    CDialogDriver driver;
    driver.Then("both items drawn", [&] { return menu.m_drawn.size() >= 2; })
        .Then("read the second item on the screen", [&] {
            HWND hWndMenu = FindWindowA("#32768", NULL);
            if (hWndMenu == NULL)
                return false;
            HDC hDC = ::GetDC(hWndMenu);
            crSeen = ::GetPixel(hDC, menu.m_rectLast.CenterPoint().x, menu.m_rectLast.CenterPoint().y);
            ::ReleaseDC(hWndMenu, hDC);
            return true;
        })
        .Then("close", Press(VK_ESCAPE));
    driver.Start();
    menu.TrackPopupMenu(TPM_LEFTALIGN, 20, 20, &owner);
    driver.Stop();
    EXPECT_TRUE(driver.Done());

    EXPECT_EQ((std::vector<UINT>{ 101, 102 }), menu.m_measured);
    ASSERT_GE(menu.m_drawn.size(), 2u);
    EXPECT_GE(menu.m_rectLast.Width(), 40) << "at least the measured width";
    EXPECT_EQ(20, menu.m_rectLast.Height());
    EXPECT_EQ(RGB(0, 0, 255), crSeen);
    owner.DestroyWindow();
}

TEST(OwnerDrawnMenu, ItemsOfAMenuBarAreFoundInTheirSubmenu)
{
    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, AfxRegisterWndClass(0), "frame", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, NULL, NULL));
    CMenu bar;
    ASSERT_TRUE(bar.CreateMenu());
    CColorMenu colours;
    ASSERT_TRUE(colours.CreatePopupMenu());
    colours.AppendMenu(MF_OWNERDRAW, 201, (LPCTSTR)(UINT_PTR)RGB(0, 128, 0));
    bar.AppendMenu(MF_POPUP, (UINT_PTR)colours.m_hMenu, "&Colours");
    frame.SetMenu(&bar);

    // A child asked to measure: the top-level window's menu bar holds the item.
    CWnd child;
    ASSERT_TRUE(child.CreateEx(0, AfxRegisterWndClass(0), NULL, WS_CHILD, 0, 0, 10, 10, frame.m_hWnd, NULL));
    MEASUREITEMSTRUCT mis = { ODT_MENU, 0, 201 };
    child.SendMessage(WM_MEASUREITEM, 0, (LPARAM)&mis);
    EXPECT_EQ((std::vector<UINT>{ 201 }), colours.m_measured);
    EXPECT_EQ(40u, mis.itemWidth);

    // An item no menu holds is left to the system.
    MEASUREITEMSTRUCT misUnknown = { ODT_MENU, 0, 999 };
    frame.SendMessage(WM_MEASUREITEM, 0, (LPARAM)&misUnknown);
    EXPECT_EQ(1u, colours.m_measured.size());

    // Drawing names the menu in the message.
    HDC hDC = ::GetDC(frame.m_hWnd);
    DRAWITEMSTRUCT dis = { ODT_MENU, 0, 201, ODA_DRAWENTIRE, 0, (HWND)colours.m_hMenu, hDC, { 0, 0, 40, 20 },
                           (ULONG_PTR)RGB(0, 128, 0) };
    frame.SendMessage(WM_DRAWITEM, 0, (LPARAM)&dis);
    ::ReleaseDC(frame.m_hWnd, hDC);
    EXPECT_EQ((std::vector<UINT>{ 201 }), colours.m_drawn);

    frame.SetMenu(NULL);
    frame.DestroyWindow();
}
