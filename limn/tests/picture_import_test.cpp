// The picture type's import command as the user runs it: the open-file dialog driven
// by real input and offering every kind of picture file, a bitmap chosen, the dialog cancelled, a file that is no bitmap
// reported, and a file that is not there raising the file exception.
#include "limn/pictures/Picture.h"
#include "limn/pictures/PictureClass.h"

#include "hoard/resources/EditProxy.h"
#include "hoard/resources/Hoard.h"

#include "framework/tests/dialog_driver.h"
#include "framework/tests/test_support.h"
#include "picture_support.h"

#include <dlgs.h>
#include <gtest/gtest.h>

namespace {

// The list editor as the command sees it: new pictures in the hoard, and the names
// they were asked for.
class CRecordingProxy : public CEditProxy
{
public:
    explicit CRecordingProxy(CHoard& hoard) : m_hoard(hoard) {}
    CResource* New(const char* pszName) override
    {
        m_names.push_back(pszName != NULL ? pszName : "(null)");
        return CPicture::New(m_hoard, pszName);
    }
    void UpdatePreview() override {}
    void UpdateList() override {}

    std::vector<std::string> m_names;

private:
    CHoard& m_hoard;
};

// Steps: the open dialog is up offering all picture files first, then each kind, with
// an empty file-name field; strName is typed there and Enter pressed, or Cancel
// clicked when it is empty.
void ChooseInOpenDialog(CDialogDriver& driver, const CString& strName)
{
    AnswerFileDialog(driver, "Open", strName, [](HWND hDlg) {
        HWND hFilters = GetDlgItem(hDlg, cmb1);
        std::vector<std::string> filters;
        char szText[256];
        for (int i = 0; i < (int)SendMessage(hFilters, CB_GETCOUNT, 0, 0); ++i)
        {
            szText[0] = '\0';
            if (SendMessage(hFilters, CB_GETLBTEXTLEN, i, 0) < (LRESULT)sizeof szText)
                SendMessage(hFilters, CB_GETLBTEXT, i, (LPARAM)szText);
            filters.push_back(szText);
        }
        EXPECT_EQ((std::vector<std::string>{ "All Pictures (*.bmp;*.dib;*.png;*.jpg;*.jpeg;*.gif;*.tif;*.tiff;*.pct;*.pict)",
                                             "Bitmaps (*.bmp;*.dib)", "PNG Pictures (*.png)",
                                             "JPEG Pictures (*.jpg;*.jpeg)", "GIF Pictures (*.gif)",
                                             "TIFF Pictures (*.tif;*.tiff)", "Macintosh Pictures (*.pct;*.pict)" }),
                  filters);
        EXPECT_EQ(filters.empty() ? "" : filters[0], WindowText(hFilters));
        EXPECT_EQ("", WindowText(GetFocus()));
    });
}

struct CImportFiles
{
    CImportFiles()
    {
        CTestDIB dib = MakeTestDIB(7, 4, 8, [](int x, int y) { return (DWORD)(x * y); }, SharedPaletteTable());
        WriteFileBytes(folder.Path("dog.run.dib"), BitmapFileBytes(dib));
        WriteFileBytes(folder.Path("notes.dib"), std::vector<BYTE>(60, 'x'));
    }
    CScratchFolder folder;
};

} // namespace

TEST(PictureImport, ChosenBitmapBecomesAPictureUnderTheFileTitle)
{
    CImportFiles files;
    CHoard hoard;
    CRecordingProxy proxy(hoard);
    CDialogDriver driver;
    ChooseInOpenDialog(driver, files.folder.Path("dog.run.dib"));
    driver.Start();
    CPicture::m_resInfo.OnCommand(0, hoard, NULL, proxy);
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ((std::vector<std::string>{ "dog.run" }), proxy.m_names) << "the file title the dialog reports";
    auto* pPicture = static_cast<CPicture*>(hoard.GetResource("CPicture", "dog"));
    ASSERT_NE(nullptr, pPicture) << "named after the file by the import";
    EXPECT_EQ(CSize(7, 4), pPicture->GetExtent());
    EXPECT_EQ(1, pPicture->GetPictElems().GetSize());
}

TEST(PictureImport, CancelImportsNothing)
{
    CHoard hoard;
    CRecordingProxy proxy(hoard);
    CDialogDriver driver;
    ChooseInOpenDialog(driver, "");
    driver.Start();
    CPicture::m_resInfo.OnCommand(0, hoard, NULL, proxy);
    EXPECT_TRUE(driver.Done());
    EXPECT_TRUE(proxy.m_names.empty());
    EXPECT_EQ(nullptr, hoard.GetResourceList("CPicture"));
}

TEST(PictureImport, FileWithoutABitmapIsReported)
{
    CImportFiles files;
    CHoard hoard;
    CRecordingProxy proxy(hoard);
    std::string strShown;
    CDialogDriver driver;
    ChooseInOpenDialog(driver, files.folder.Path("notes.dib"));
    driver.Then("message box", DismissMessageBox(strShown));
    driver.Start();
    CPicture::m_resInfo.OnCommand(0, hoard, NULL, proxy);
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ("Couldn't import picture.  This does not appear to be a valid picture file.", strShown);
    EXPECT_EQ((std::vector<std::string>{ "notes" }), proxy.m_names);
    EXPECT_EQ(nullptr, hoard.GetResource("CPicture", "notes")) << "no empty picture is left";
}

TEST(PictureImport, FileThatCannotBeOpenedRaisesTheFileException)
{
    CImportFiles files;
    CHoard hoard;
    CRecordingProxy proxy(hoard);
    CDialogDriver driver;
    ChooseInOpenDialog(driver, files.folder.Path("missing.dib"));
    driver.Start();
    CString strFileName;
    EXPECT_EQ(CFileException::fileNotFound,
              CauseOf<CFileException>([&] { CPicture::m_resInfo.OnCommand(0, hoard, NULL, proxy); }, &strFileName));
    EXPECT_TRUE(driver.Done());
    EXPECT_STREQ(files.folder.Path("missing.dib"), strFileName);
    EXPECT_TRUE(proxy.m_names.empty()) << "nothing was made before the file opened";
}

TEST(PictureImport, OtherCommandsDoNothing)
{
    CHoard hoard;
    CRecordingProxy proxy(hoard);
    CDialogDriver driver;
    driver.Then("no dialog", [] {
        HWND hDlg = FindThreadDialog();
        EXPECT_EQ(nullptr, hDlg);
        if (hDlg != NULL)
            PostMessage(hDlg, WM_CLOSE, 0, 0);
        return true;
    });
    driver.Start();
    for (WORD nCommand : { 1, 2, 0xFFFF })
        CPicture::m_resInfo.OnCommand(nCommand, hoard, NULL, proxy);
    EXPECT_TRUE(proxy.m_names.empty());
}
