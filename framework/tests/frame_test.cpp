// Frames: the object deletes itself exactly once however its window goes, creation
// with the framework's class and from resources, and accelerators.
#include <afxwin.h>
#include <gtest/gtest.h>

#include "dialog_driver.h"
#include "msg_log.h"
#include "test_resource.h"

namespace {

class CCountedFrame : public CFrameWnd
{
public:
    static int s_nLive;
    static int s_nDeleted;

    CCountedFrame() { s_nLive++; }
    ~CCountedFrame() override
    {
        s_nLive--;
        s_nDeleted++;
    }

    int m_nCreateResult = 0;
    int m_nOpened = 0;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs) { return m_nCreateResult != 0 ? m_nCreateResult : CFrameWnd::OnCreate(lpcs); }
    afx_msg void OnOpen() { m_nOpened++; }

    DECLARE_MESSAGE_MAP()
};

int CCountedFrame::s_nLive = 0;
int CCountedFrame::s_nDeleted = 0;

BEGIN_MESSAGE_MAP(CCountedFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_TEST_OPEN, OnOpen)
END_MESSAGE_MAP()

} // namespace

TEST(FrameWindows, DeleteThemselvesExactlyOnce)
{
    CReleaseCheck check;
    const struct
    {
        const char* pszHow;
        std::function<BOOL(CCountedFrame*)> end;    // FALSE when the creation must fail
    } ways[] = {
        { "DestroyWindow", [](CCountedFrame* p) { return p->DestroyWindow(); } },
        { "WM_CLOSE", [](CCountedFrame* p) { p->SendMessage(WM_CLOSE); return TRUE; } },
        { "delete", [](CCountedFrame* p) { delete p; return TRUE; } },
        { "parent destroyed", [](CCountedFrame* p) {
              HWND hWndOwner = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPED, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
              ::SetParent(p->m_hWnd, hWndOwner);
              return DestroyWindow(hWndOwner); } },
    };
    for (const auto& w : ways)
    {
        SCOPED_TRACE(w.pszHow);
        CCountedFrame::s_nDeleted = 0;
        CCountedFrame* pFrame = new CCountedFrame;
        ASSERT_TRUE(pFrame->Create(NULL, "counted"));
        HWND hWnd = pFrame->m_hWnd;
        EXPECT_TRUE(w.end(pFrame));
        EXPECT_EQ(1, CCountedFrame::s_nDeleted);
        EXPECT_EQ(0, CCountedFrame::s_nLive);
        EXPECT_FALSE(IsWindow(hWnd));
    }

    // Creations that fail delete the object too.
    CCountedFrame::s_nDeleted = 0;
    CCountedFrame* pRefused = new CCountedFrame;
    pRefused->m_nCreateResult = -1;
    EXPECT_FALSE(pRefused->Create(NULL, "refused"));
    EXPECT_EQ(1, CCountedFrame::s_nDeleted);
    EXPECT_FALSE((new CCountedFrame)->Create(NULL, "no menu", WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, NULL,
                                             MAKEINTRESOURCE(999)));
    EXPECT_EQ(2, CCountedFrame::s_nDeleted);
    EXPECT_EQ(0, CCountedFrame::s_nLive);
}

TEST(FrameWindows, CreateWithTheFrameClassAndTheSystemsPlacement)
{
    CReleaseCheck check;
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, "framed"));
    char szClass[32];
    GetClassNameA(pFrame->m_hWnd, szClass, sizeof szClass);
    EXPECT_STREQ("AfxFrameOrView42", szClass);
    EXPECT_EQ((DWORD)WS_OVERLAPPEDWINDOW, pFrame->GetStyle() & WS_OVERLAPPEDWINDOW);
    CString strText;
    pFrame->GetWindowText(strText);
    EXPECT_STREQ("framed", strText);
    EXPECT_STREQ("framed", pFrame->GetTitle());
    CRect rect;
    pFrame->GetWindowRect(&rect);
    EXPECT_GT(rect.Width(), 0) << "rectDefault leaves the size to USER";
    EXPECT_EQ(nullptr, pFrame->GetMenu());
    EXPECT_EQ(nullptr, pFrame->GetDefaultAccelerator());
    pFrame->DestroyWindow();
}

TEST(FrameWindows, LoadFrameTakesTitleMenuAndAcceleratorsFromResources)
{
    CReleaseCheck check;
    CCountedFrame::s_nDeleted = 0;
    CCountedFrame* pFrame = new CCountedFrame;
    ASSERT_TRUE(pFrame->LoadFrame(IDR_TESTFRAME, WS_OVERLAPPEDWINDOW));
    CString strText;
    pFrame->GetWindowText(strText);
    EXPECT_STREQ("Test Frame", strText) << "the title ends at the first newline";
    CMenu* pMenu = pFrame->GetMenu();
    ASSERT_NE(nullptr, pMenu);
    ASSERT_EQ(1u, pMenu->GetMenuItemCount());
    pMenu->GetMenuString(0, strText, MF_BYPOSITION);
    EXPECT_STREQ("&File", strText);
    EXPECT_EQ((UINT)ID_TEST_OPEN, pMenu->GetSubMenu(0)->GetMenuItemID(0));
    EXPECT_NE(nullptr, pFrame->GetDefaultAccelerator());

    // Ctrl+O, typed, becomes the command of the accelerator table before dispatch.
    pFrame->ShowWindow(SW_SHOW);
    pFrame->SetForegroundWindow();
    pFrame->SetFocus();
    PressCtrlKey('O');
    // AfxPumpMessage without an application walks the tree of each message's window.
    DWORD dwStart = GetTickCount();
    while (pFrame->m_nOpened == 0 && GetTickCount() - dwStart < 2000)
    {
        MSG msg;
        if (PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE))
            AfxPumpMessage();
        else
            Sleep(10);
    }
    EXPECT_EQ(1, pFrame->m_nOpened);
    PumpWaiting();

    pFrame->DestroyWindow();
    EXPECT_EQ(1, CCountedFrame::s_nDeleted);

    // A frame with a title only.
    CFrameWnd* pBare = new CFrameWnd;
    ASSERT_TRUE(pBare->LoadFrame(IDR_BARE, WS_OVERLAPPEDWINDOW));
    EXPECT_STREQ("Bare Frame", pBare->GetTitle());
    EXPECT_EQ(nullptr, pBare->GetMenu());
    EXPECT_EQ(nullptr, pBare->GetDefaultAccelerator());
    pBare->DestroyWindow();
}

TEST(FrameWindows, TheCreationMenuGoesWithTheWindowEvenWhenReplaced)
{
    CReleaseCheck check;
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, "menus", WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, NULL,
                               MAKEINTRESOURCE(IDR_TESTFRAME)));
    HMENU hMenuCreated = pFrame->GetMenu()->m_hMenu;
    CMenu other;
    other.CreateMenu();
    other.AppendMenu(MF_STRING, 1, "Other");
    pFrame->SetMenu(&other);
    pFrame->DestroyWindow();
    EXPECT_FALSE(IsMenu(hMenuCreated)) << "destroyed with the window";
    EXPECT_TRUE(IsMenu(other.m_hMenu)) << "the replacement is its owner's";
}
