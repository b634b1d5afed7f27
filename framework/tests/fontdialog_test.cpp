// The font dialog run for real: it opens on the font it is given, reports the font it
// shows while open, and gives the choice back after OK; Cancel keeps nothing.
#include <afxdlgs.h>
#include <gtest/gtest.h>

#include "dialog_driver.h"
#include "msg_log.h"

namespace {

LOGFONT BoldItalic(LPCSTR lpszFace, LONG lHeight)
{
    LOGFONT lf = {};
    lf.lfHeight = lHeight;
    lf.lfWeight = FW_BOLD;
    lf.lfItalic = TRUE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, lpszFace, LF_FACESIZE);
    return lf;
}

// A TrueType family of the system, which the dialog lists with every style and size.
CString TrueTypeFace()
{
    CString strFace;
    LOGFONT lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    CWindowDC dc(NULL);
    EnumFontFamiliesExA(
        dc.m_hDC, &lf,
        [](const LOGFONT* plf, const TEXTMETRIC*, DWORD dwType, LPARAM lParam) -> int {
            if (!(dwType & TRUETYPE_FONTTYPE) || plf->lfFaceName[0] == '@')
                return 1;
            *(CString*)lParam = plf->lfFaceName;
            return 0;
        },
        (LPARAM)&strFace, 0);
    return strFace;
}

// A step that waits for the font dialog to be up and in the foreground.
bool FontDialogUp()
{
    HWND hDlg = FindThreadDialog("Font");
    return hDlg != NULL && GetForegroundWindow() == hDlg;
}

} // namespace

TEST(FontDialog, OKGivesTheFontItOpenedOn)
{
    CReleaseCheck check;
    // 12 points.
    CString strFace = TrueTypeFace();
    ASSERT_FALSE(strFace.IsEmpty());
    LOGFONT lfInitial = BoldItalic(strFace, -MulDiv(12, CWindowDC(NULL).GetDeviceCaps(LOGPIXELSY), 72));
    CFontDialog dlg(&lfInitial, CF_EFFECTS | CF_SCREENFONTS);
    dlg.m_cf.rgbColors = RGB(255, 0, 0);
    EXPECT_EQ(&dlg.m_lf, dlg.m_cf.lpLogFont);

    LOGFONT lfShown = {};
    CDialogDriver driver;
    driver.Then("font dialog open", FontDialogUp)
        .Then("the font it shows", [&] {
            dlg.GetCurrentFont(&lfShown);
            return true;
        })
        .Then("OK", Press(VK_RETURN));
    driver.Start();
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(NULL, dlg.m_hWnd) << "unbound when the dialog went";

    EXPECT_STREQ(strFace, lfShown.lfFaceName);
    EXPECT_STREQ(strFace, dlg.GetFaceName());
    EXPECT_TRUE(dlg.IsBold());
    EXPECT_TRUE(dlg.IsItalic());
    EXPECT_FALSE(dlg.IsUnderline());
    EXPECT_FALSE(dlg.IsStrikeOut());
    EXPECT_EQ(FW_BOLD, dlg.GetWeight());
    EXPECT_EQ(120, dlg.GetSize()) << "tenths of a point";
    EXPECT_EQ(RGB(255, 0, 0), dlg.GetColor());
    LOGFONT lfChosen = {};
    dlg.GetCurrentFont(&lfChosen);
    EXPECT_EQ(lfInitial.lfHeight, lfChosen.lfHeight);
    EXPECT_EQ(0, memcmp(&dlg.m_lf, &lfChosen, sizeof lfChosen)) << "closed: the choice";
}

TEST(FontDialog, CancelKeepsTheInitialFont)
{
    CReleaseCheck check;
    LOGFONT lfInitial = BoldItalic(TrueTypeFace(), -20);
    CFontDialog dlg(&lfInitial);
    CDialogDriver driver;
    driver.Then("font dialog open", FontDialogUp).Then("Esc", Press(VK_ESCAPE));
    driver.Start();
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(0u, CommDlgExtendedError());
    EXPECT_EQ(-20, dlg.m_lf.lfHeight);
}
