// Importing a sound as the user does it: the open-file dialog driven by real input, the
// file chosen, cancelled, or not a sound and reported in a message box.
#include "test_support.h"

#include "hoard/sound/Wav.h"

#include "framework/tests/dialog_driver.h"

#include <dlgs.h>
#include <gtest/gtest.h>

namespace {

// A RIFF WAVE file of four 8-bit mono samples at 8000 samples a second.
const std::vector<BYTE> s_wave = {
    'R', 'I', 'F', 'F', 40, 0, 0, 0, 'W', 'A', 'V', 'E',
    'f', 'm', 't', ' ', 16, 0, 0, 0, 1, 0, 1, 0, 0x40, 0x1F, 0, 0, 0x40, 0x1F, 0, 0, 1, 0, 8, 0,
    'd', 'a', 't', 'a', 4, 0, 0, 0, 1, 2, 3, 4,
};

// Steps: the open dialog is up offering sounds; the name is typed into its file-name
// field and Enter pressed, or Cancel clicked for an empty name.
void ChooseInOpenDialog(CDialogDriver& driver, const CString& strName)
{
    AnswerFileDialog(driver, "Open", strName, [](HWND hDlg) {
        // The filter combo box shows the text of string 1's first pair.
        EXPECT_EQ("Sounds (*.wav)", WindowText(GetDlgItem(hDlg, cmb1)));
    });
}

} // namespace

TEST(WavImport, ChosenFileBecomesANewSoundNamedAfterIt)
{
    CScratchFile file("door.bell.wav");
    WriteAllBytes(file, s_wave);
    CHoard hoard;
    CMessageLog log;
    CDialogDriver driver;
    // The name alone: the dialog starts in the folder it was given.
    ChooseInOpenDialog(driver, "door.bell.wav");
    driver.Start();
    CWav* pWav = CWav::Import(hoard, file.Folder());
    EXPECT_TRUE(driver.Done());
    ASSERT_NE(nullptr, pWav);
    EXPECT_STREQ("door", pWav->GetName());
    EXPECT_EQ(pWav, hoard.GetResource("CWav", "door"));
    EXPECT_EQ(4u, pWav->GetDataSize());
    EXPECT_EQ(8000u, pWav->GetFormat().wf.nSamplesPerSec);
    EXPECT_EQ((std::vector<std::string>{ "renamed '' to 'Untitled'", "added Untitled", "renamed 'Untitled' to 'door'" }),
              log.m_lines);
}

TEST(WavImport, CancelImportsNothing)
{
    CHoard hoard;
    CMessageLog log;
    CDialogDriver driver;
    ChooseInOpenDialog(driver, "");
    driver.Start();
    EXPECT_EQ(nullptr, CWav::Import(hoard, NULL));
    EXPECT_TRUE(driver.Done());
    EXPECT_TRUE(log.m_lines.empty());
    EXPECT_FALSE(hoard.IsModified());
}

TEST(WavImport, FileThatIsNotASoundIsReportedAndTheSoundDeleted)
{
    CScratchFile file("notes.wav");
    WriteAllBytes(file, { 'n', 'o', 't', ' ', 'a', ' ', 's', 'o', 'u', 'n', 'd' });
    CHoard hoard;
    CMessageLog log;
    std::string strShown;
    CDialogDriver driver;
    ChooseInOpenDialog(driver, file.Path());
    driver.Then("message box", DismissMessageBox(strShown));
    driver.Start();
    EXPECT_EQ(nullptr, CWav::Import(hoard, NULL));
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ("Couldn't import sound.  This does not appear to be a valid sound file.", strShown);
    EXPECT_EQ(nullptr, hoard.GetResource("CWav", "Untitled"));
    EXPECT_EQ((std::vector<std::string>{ "renamed '' to 'Untitled'", "added Untitled", "deleting Untitled",
                                         "deleted CWav Untitled" }),
              log.m_lines)
        << "whoever heard of the new sound hears that it is gone";
}
