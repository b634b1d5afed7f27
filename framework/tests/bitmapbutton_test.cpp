// Bitmap buttons: bitmaps named after the caption through the resource chain, the size
// they give the button, and the bitmap drawn for each state, read back from the screen.
#include <afxext.h>
#include <gtest/gtest.h>

#include "dialog_driver.h"
#include "msg_log.h"
#include "test_resource.h"

namespace {

const COLORREF crUp = RGB(255, 0, 0);
const COLORREF crDown = RGB(0, 255, 0);
const COLORREF crFocus = RGB(0, 0, 255);
const COLORREF crDisabled = RGB(128, 128, 128);
const COLORREF crStop = RGB(255, 255, 0);

// The colour near the top-left corner of the button (inside every bitmap) as it is on
// the screen, after it repainted.
COLORREF ShownColour(CButton& button)
{
    button.Invalidate();
    button.UpdateWindow();
    CClientDC dc(&button);
    return dc.GetPixel(CPoint(5, 5));
}

CSize SizeOf(CWnd& wnd)
{
    CRect rc;
    wnd.GetWindowRect(&rc);
    return rc.Size();
}

} // namespace

TEST(BitmapButtons, AutoLoadTakesTheBitmapsNamedAfterTheCaption)
{
    CReleaseCheck check;
    CDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_BUTTONS));
    dlg.SetForegroundWindow();
    CBitmapButton play;
    CBitmapButton stop;
    ASSERT_TRUE(play.AutoLoad(IDC_PLAY, &dlg));
    ASSERT_TRUE(stop.AutoLoad(IDC_STOP, &dlg)) << "the up bitmap alone is enough";
    EXPECT_EQ(CSize(24, 20), SizeOf(play));
    EXPECT_EQ(CSize(18, 14), SizeOf(stop));

    const struct
    {
        const char* pszState;
        std::function<void(CButton&)> set;
        std::function<void(CButton&)> reset;
        COLORREF crPlay;
        COLORREF crStop;     // STOP has nothing but its up bitmap
    } states[] = {
        { "up", [](CButton&) {}, [](CButton&) {}, crUp, crStop },
        { "down", [](CButton& b) { b.SetState(TRUE); }, [](CButton& b) { b.SetState(FALSE); }, crDown, crStop },
        { "focused", [](CButton& b) { b.SetFocus(); }, [&](CButton&) { dlg.GetDlgItem(IDOK)->SetFocus(); }, crFocus,
          crStop },
        { "disabled", [](CButton& b) { b.EnableWindow(FALSE); }, [](CButton& b) { b.EnableWindow(TRUE); }, crDisabled,
          crStop },
    };
    dlg.GetDlgItem(IDOK)->SetFocus();
    for (const auto& s : states)
    {
        SCOPED_TRACE(s.pszState);
        s.set(play);
        EXPECT_EQ(s.crPlay, ShownColour(play));
        s.reset(play);
        s.set(stop);
        EXPECT_EQ(s.crStop, ShownColour(stop));
        s.reset(stop);
    }
    EXPECT_EQ(crUp, ShownColour(play));

    // Held down by the mouse it shows the down bitmap; released, the focus bitmap, as
    // the click gave it the focus.
    CRect rc;
    play.GetWindowRect(&rc);
    SetCursorPos(rc.CenterPoint().x, rc.CenterPoint().y);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    SendInput(1, &input, sizeof input);
    EXPECT_TRUE(PumpFrameworkUntil([&] { return play.GetState() & BST_PUSHED; }));
    EXPECT_EQ(crDown, ShownColour(play));
    input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &input, sizeof input);
    EXPECT_TRUE(PumpFrameworkUntil([&] { return !(play.GetState() & BST_PUSHED); }));
    EXPECT_EQ(crFocus, ShownColour(play));
    dlg.DestroyWindow();
}

TEST(BitmapButtons, LoadBitmapsReportsMissingOnes)
{
    CReleaseCheck check;
    CDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_BUTTONS));
    CBitmapButton play;
    ASSERT_TRUE(play.SubclassDlgItem(IDC_PLAY, &dlg));
    EXPECT_FALSE(play.LoadBitmaps("PLAYU", "NOSUCHD")) << "a named bitmap is missing";
    EXPECT_EQ(crUp, ShownColour(play)) << "the others are loaded all the same";
    play.SetState(TRUE);
    EXPECT_EQ(crUp, ShownColour(play)) << "no down bitmap: the up one";
    play.SetState(FALSE);
    EXPECT_TRUE(play.LoadBitmaps("STOPU"));
    EXPECT_EQ(crStop, ShownColour(play)) << "loaded in place of the old ones";

    // A caption without bitmaps.
    CBitmapButton none;
    dlg.SetDlgItemText(IDC_STOP, "NONE");
    EXPECT_FALSE(none.AutoLoad(IDC_STOP, &dlg));
    dlg.DestroyWindow();
}
