// Common dialogs run for real: a path typed into the open dialog's file-name field and
// Open pressed, Cancel, the names of the choice, a save dialog adding the default
// extension, a derived dialog that titles the dialog's frame from OnShowWindow and one
// that refuses a name, the filter's form, and the colour dialog confirmed.
#include <afxdlgs.h>
#include <gtest/gtest.h>

#include "dialog_driver.h"
#include "msg_log.h"

namespace {

// A file of a few bytes in the folder.
CString MakeFile(const CScratchFolder& folder, const char* pszName)
{
    CString strPath = folder.Path(pszName);
    CFile file(strPath, CFile::modeCreate | CFile::modeWrite);
    file.Write("RIFF", 4);
    return strPath;
}

} // namespace

TEST(FileDialogs, OpenTakesATypedPath)
{
    CReleaseCheck check;
    CScratchFolder folder;
    CString strPath = MakeFile(folder, "door.bell.wav");
    CFileDialog dlg(TRUE, "wav", NULL, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, "Sounds (*.wav)|*.wav||");
    dlg.m_ofn.lpstrInitialDir = folder.Folder();
    CDialogDriver driver;
    AnswerFileDialog(driver, "Open", strPath);
    driver.Start();
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(driver.Done());
    EXPECT_STREQ(strPath, dlg.GetPathName());
    EXPECT_STREQ("door.bell.wav", dlg.GetFileName());
    EXPECT_STREQ("wav", dlg.GetFileExt());
    EXPECT_STREQ("door.bell", dlg.GetFileTitle());
    EXPECT_FALSE(dlg.GetReadOnlyPref());
    EXPECT_EQ(NULL, dlg.m_hWnd) << "unbound when the dialog went";

    POSITION pos = dlg.GetStartPosition();
    EXPECT_STREQ(strPath, dlg.GetNextPathName(pos));
    EXPECT_EQ(NULL, pos);
}

TEST(FileDialogs, CancelChoosesNothing)
{
    CReleaseCheck check;
    CFileDialog dlg(TRUE, "wav", "start.wav");
    CDialogDriver driver;
    AnswerFileDialog(driver, "Open", "");
    driver.Start();
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(0u, CommDlgExtendedError());
    EXPECT_STREQ("start.wav", dlg.GetPathName()) << "the initial name as it was";
}

TEST(FileDialogs, SaveAddsTheDefaultExtension)
{
    CReleaseCheck check;
    CScratchFolder folder;
    CFileDialog dlg(FALSE, "wav", NULL, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "Sounds (*.wav)|*.wav||");
    CDialogDriver driver;
    AnswerFileDialog(driver, "Save As", folder.Path("tune"));
    driver.Start();
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(driver.Done());
    EXPECT_STREQ(folder.Path("tune.wav"), dlg.GetPathName());
    EXPECT_STREQ("tune", dlg.GetFileTitle());
}

namespace {

// A file dialog that titles its frame when it is shown, and refuses the first name
// it is given.
class CTitledDialog : public CFileDialog
{
public:
    CTitledDialog() : CFileDialog(TRUE, "wav", NULL, OFN_HIDEREADONLY, "Sounds (*.wav)|*.wav|All (*.*)|*.*||") {}

    CMsgLog m_log;
    CString m_strOffered;

protected:
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus)
    {
        CFileDialog::OnShowWindow(bShow, nStatus);
        if (bShow)
            GetParent()->SetWindowText("Pick a Sound");
    }
    BOOL OnInitDialog() override
    {
        m_log.Add("OnInitDialog");
        return CFileDialog::OnInitDialog();
    }
    void OnInitDone() override { m_log.Add("OnInitDone"); }
    BOOL OnFileNameOK() override
    {
        m_log.Add("OnFileNameOK");
        m_strOffered = GetPathName();
        return m_log.Only("OnFileNameOK").Entries().size() == 1;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTitledDialog, CFileDialog)
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

} // namespace

TEST(FileDialogs, DerivedDialogsSeeTheDialogsMessages)
{
    CReleaseCheck check;
    CScratchFolder folder;
    CString strPath = MakeFile(folder, "chime.wav");
    CTitledDialog dlg;
    HWND hWndFrame = NULL;
    CDialogDriver driver;
    AnswerFileDialog(driver, "Pick a Sound", strPath);
    driver.Then("the name refused: still open", [&] {
              hWndFrame = FindThreadDialog("Pick a Sound");
              return dlg.m_log.Only("OnFileNameOK").Entries().size() == 1 && hWndFrame != NULL
                  && GetForegroundWindow() == hWndFrame;
          })
        .Then("Enter again", Press(VK_RETURN));
    driver.Start();
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(driver.Done());
    EXPECT_TRUE(dlg.m_log.Is({ "OnInitDialog", "OnInitDone", "OnFileNameOK", "OnFileNameOK" }));
    EXPECT_STREQ(strPath, dlg.m_strOffered) << "the path while the dialog was open";
    EXPECT_STREQ(strPath, dlg.GetPathName());
}

TEST(FileDialogs, FilterBecomesTextsAndPatternsEndedByTwoNuls)
{
    const struct
    {
        const char* pszFilter;
        const char* pszExpected;
        size_t nExpected;
    } filters[] = {
        { "Sounds (*.wav)|*.wav||", "Sounds (*.wav)\0*.wav\0\0", 23 },
        { "DIB Files (*.dib)|*.dib|", "DIB Files (*.dib)\0*.dib\0\0", 25 },
        { "A|*.a|B|*.b", "A\0*.a\0B\0*.b\0\0", 13 },
    };
    for (const auto& f : filters)
    {
        SCOPED_TRACE(f.pszFilter);
        CFileDialog dlg(TRUE, NULL, NULL, OFN_HIDEREADONLY, f.pszFilter);
        EXPECT_EQ(std::string(f.pszExpected, f.nExpected), std::string(dlg.m_ofn.lpstrFilter, f.nExpected));
    }
    CFileDialog none(TRUE);
    EXPECT_EQ(NULL, none.m_ofn.lpstrFilter);
    EXPECT_EQ((DWORD)(OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT), none.m_ofn.Flags & (OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT));
}

TEST(ColorDialogs, OpenedChangedAndConfirmed)
{
    CReleaseCheck check;
    for (BOOL bConfirm : { TRUE, FALSE })
    {
        SCOPED_TRACE(bConfirm);
        CColorDialog dlg(RGB(10, 20, 30), CC_FULLOPEN);
        EXPECT_EQ(CColorDialog::GetSavedCustomColors(), dlg.m_cc.lpCustColors);
        EXPECT_EQ(RGB(255, 255, 255), dlg.m_cc.lpCustColors[15]);
        CDialogDriver driver;
        driver
            .Then("colour dialog open",
                  [&] { return dlg.m_hWnd != NULL && IsWindowVisible(dlg.m_hWnd) && GetForegroundWindow() == dlg.m_hWnd; })
            .Then("shows the initial colour", [&] {
                EXPECT_EQ("10", WindowText(dlg.GetDlgItem(706)->m_hWnd));
                EXPECT_EQ("30", WindowText(dlg.GetDlgItem(708)->m_hWnd));
                dlg.GotoDlgCtrl(dlg.GetDlgItem(706));
                TypeText("200");
                return true;
            })
            .Then("red typed", [&] { return WindowText(dlg.GetDlgItem(706)->m_hWnd) == "200"; })
            .Then("confirm or cancel", [&] {
                PressKey(bConfirm ? VK_RETURN : VK_ESCAPE);
                return true;
            });
        driver.Start();
        EXPECT_EQ(bConfirm ? IDOK : IDCANCEL, dlg.DoModal());
        EXPECT_TRUE(driver.Done());
        EXPECT_EQ(bConfirm ? RGB(200, 20, 30) : RGB(10, 20, 30), dlg.GetColor());
    }
}
