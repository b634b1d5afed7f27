// CResDoc: its file opened and saved through the framework, MsgDocOpened, saves that
// fail at each step without touching the file, the way into the list editor, and the
// Paste command's class.
#include "test_support.h"

#include "framework/tests/box_app.h"
#include "framework/tests/dialog_driver.h"
#include "hoard/res/resource.h"
#include "hoard/data/ReloadableData.h"
#include "hoard/resources/ResDoc.h"
#include "sound_probe.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class CTestDoc : public CResDoc
{
public:
    CTestDoc() { m_bAutoDelete = FALSE; }
    using CResDoc::EditResources;
    void DeleteContents() override
    {
        m_nDeleted++;
        CResDoc::DeleteContents();
    }
    int m_nDeleted = 0;
};

// For each MsgDocOpened, the names of the resources then in the document file.
class COpenedLog : public CMessageReceiver
{
public:
    void OnMessage(Message* pMsg) override
    {
        if (dynamic_cast<MsgDocOpened*>(pMsg) == NULL)
            return;
        std::string strNames;
        CHoard* pHoard = CHoard::GetDocumentHoard();
        for (const char* pszType : { "CWav", "CTestResource" })
        {
            const CResourceList* pList = pHoard != NULL ? pHoard->GetResourceList(pszType) : NULL;
            for (POSITION pos = pList != NULL ? pList->GetHeadPosition() : NULL; pos != NULL;)
                strNames += std::string(pList->GetNext(pos)->GetName()) + " ";
        }
        m_opened.push_back(strNames);
    }
    std::vector<std::string> m_opened;
};

// A folder of its own under the temporary path, removed with what is left in it.
class CDocFolder
{
public:
    explicit CDocFolder(const char* pszName)
    {
        char szTemp[MAX_PATH];
        GetTempPathA(MAX_PATH, szTemp);
        m_strPath.Format("%sresdoc-%lu-%s\\", szTemp, GetCurrentProcessId(), pszName);
        CreateDirectoryA(m_strPath, NULL);
    }
    ~CDocFolder()
    {
        for (const char* pszName : { "doc.hrd", "TEMPSAVE.TMP" })
        {
            SetFileAttributesA(Path(pszName), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(Path(pszName));
            RemoveDirectoryA(Path(pszName));
        }
        RemoveDirectoryA(m_strPath);
    }
    CDocFolder(const CDocFolder&) = delete;
    CDocFolder& operator=(const CDocFolder&) = delete;
    CString Path(const char* pszName) const { return m_strPath + pszName; }

private:
    CString m_strPath;
};

// Writes a document file of two sounds and a note.
void WriteDocument(const char* pszPath)
{
    CTestDoc doc;
    NewSound(doc.GetHoard(), "Bell", std::string(700, 'b'));
    NewSound(doc.GetHoard(), "Horn", std::string(300, 'h'));
    static_cast<CTestResource*>(doc.GetHoard().NewResource("CTestResource", "Note"))->m_strText = "hello";
    ASSERT_TRUE(doc.OnSaveDocument(pszPath));
}

std::string SamplesOf(CHoard& hoard, const char* pszName)
{
    CWav* pWav = static_cast<CWav*>(hoard.GetResource("CWav", pszName));
    return pWav != NULL ? Samples(pWav) : "<missing>";
}

bool StartsWith(const std::string& str, const std::string& strStart) { return str.compare(0, strStart.size(), strStart) == 0; }

} // namespace

TEST(CResDoc, SavedDocumentOpensWithItsResources)
{
    CBoxApp app;
    CDocFolder folder("roundtrip");
    CString strPath = folder.Path("doc.hrd");
    {
        CTestDoc doc;
        NewSound(doc.GetHoard(), "Bell", std::string(700, 'b'));
        EXPECT_TRUE(doc.IsModified()) << "the resource file's changes reach the document";
        ASSERT_TRUE(doc.OnSaveDocument(strPath));
        EXPECT_FALSE(doc.IsModified());
        EXPECT_STREQ(strPath, doc.GetHoard().GetFileReference());
    }

    COpenedLog log;
    CTestDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(strPath));
    EXPECT_EQ(std::vector<std::string>{ "Bell " }, log.m_opened) << "announced once the resources are in";
    EXPECT_EQ(&doc.GetHoard(), CHoard::GetDocumentHoard());
    EXPECT_EQ(1, doc.m_nDeleted);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(std::string(700, 'b'), SamplesOf(doc.GetHoard(), "Bell"));

    doc.SetModifiedFlag();
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(0u, doc.GetHoard().GetNumTypes());
    EXPECT_EQ(&doc.GetHoard(), CHoard::GetDocumentHoard());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(app.m_boxes.empty());
}

// The blocks of a document opened from a file are read from it lazily: saving over
// that same file must leave every one of them readable, from the new file.
TEST(CResDoc, SaveOverItsOwnFileKeepsEveryBlockReadable)
{
    CBoxApp app;
    CDocFolder folder("ownfile");
    CString strPath = folder.Path("doc.hrd");
    WriteDocument(strPath);

    CTestDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(strPath));
    // A longer name moves the blocks that follow it.
    doc.GetHoard().GetResource("CWav", "Bell")->SetName("Bell with a longer name");
    ASSERT_TRUE(doc.OnSaveDocument(strPath));
    EXPECT_FALSE(static_cast<CSampledWav*>(doc.GetHoard().GetResource("CWav", "Horn"))->Data().IsLoaded())
        << "copied unread";
    EXPECT_EQ(std::string(700, 'b'), SamplesOf(doc.GetHoard(), "Bell with a longer name"));
    EXPECT_EQ(std::string(300, 'h'), SamplesOf(doc.GetHoard(), "Horn"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(folder.Path("TEMPSAVE.TMP")));

    CTestDoc other;
    ASSERT_TRUE(other.OnOpenDocument(strPath));
    EXPECT_EQ(std::string(700, 'b'), SamplesOf(other.GetHoard(), "Bell with a longer name"));
    EXPECT_TRUE(app.m_boxes.empty());
}

TEST(CResDoc, OpeningAnEmptyFileFailsAndEmptiesTheDocument)
{
    CBoxApp app;
    CDocFolder folder("empty");
    CString strPath = folder.Path("doc.hrd");
    CFile(strPath, CFile::modeCreate | CFile::modeWrite).Close();

    COpenedLog log;
    CTestDoc doc;
    EXPECT_FALSE(doc.OnOpenDocument(strPath));
    EXPECT_EQ(2, doc.m_nDeleted) << "before reading and after the failure";
    EXPECT_TRUE(log.m_opened.empty());
    EXPECT_EQ(nullptr, CReloadableData::m_pCurFileReference);
    ASSERT_EQ(1u, app.m_boxes.size());
    EXPECT_EQ("Failed to open document.\n\n" + std::string(strPath) + " has a bad format.", app.m_boxes[0]);
}

// Whichever step of a save fails, the file keeps every byte, no temporary file stays,
// the document is still to be saved and its blocks still read from the old file.
TEST(CResDoc, FailedSaveLeavesTheFileAsItWas)
{
    const struct
    {
        const char* context;
        const char* pszTarget;
        const char* pszPrompt;      // the start of the one box
    } cases[] = {
        { "the temporary file cannot be created", "doc.hrd", "Invalid filename.\n\nAccess to " },
        { "the file is named as the temporary file", "TEMPSAVE.TMP", "Invalid filename.\n\nAccess to " },
        { "a resource cannot be written", "doc.hrd", "Failed to save document.\n\nDisk full while accessing " },
        // Wine refuses with access denied, Windows with a sharing violation.
        { "the file is open elsewhere", "doc.hrd", "Failed to save document.\n\n" },
        { "the file is read-only", "doc.hrd", "Failed to save document.\n\nAccess to " },
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i)
    {
        const auto& c = cases[i];
        SCOPED_TRACE(c.context);
        CBoxApp app;
        CDocFolder folder("failing");
        CString strPath = folder.Path(c.pszTarget);
        WriteDocument(folder.Path("doc.hrd"));
        MoveFileA(folder.Path("doc.hrd"), strPath);
        const std::vector<BYTE> before = ReadAllBytes(strPath);

        CTestDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(strPath));
        doc.GetHoard().GetResource("CWav", "Bell")->SetName("Bell with a longer name");
        doc.GetHoard().NewResource("CTestResource", "Added");
        HANDLE hOpen = INVALID_HANDLE_VALUE;
        switch (i)
        {
        case 0:
            CreateDirectoryA(folder.Path("TEMPSAVE.TMP"), NULL);
            break;
        case 2:
            CTestResource::s_bFailStoring = TRUE;
            break;
        case 3:
            hOpen = CreateFileA(strPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
            ASSERT_NE(INVALID_HANDLE_VALUE, hOpen);
            break;
        case 4:
            SetFileAttributesA(strPath, FILE_ATTRIBUTE_READONLY);
            break;
        }
        EXPECT_FALSE(doc.OnSaveDocument(strPath));
        CTestResource::s_bFailStoring = FALSE;
        if (hOpen != INVALID_HANDLE_VALUE)
            CloseHandle(hOpen);

        EXPECT_EQ(before, ReadAllBytes(strPath));
        if (i >= 2)     // before, TEMPSAVE.TMP is a folder or the file itself
        {
            EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(folder.Path("TEMPSAVE.TMP")))
                << "no temporary file stays";
        }
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(nullptr, CReloadableData::m_pCurFileReference);
        EXPECT_EQ(std::string(700, 'b'), SamplesOf(doc.GetHoard(), "Bell with a longer name"));
        EXPECT_EQ(std::string(300, 'h'), SamplesOf(doc.GetHoard(), "Horn"));
        ASSERT_EQ(1u, app.m_boxes.size());
        EXPECT_TRUE(StartsWith(app.m_boxes[0], c.pszPrompt)) << app.m_boxes[0];
    }
}

TEST(CResDoc, SaveWhereNoTemporaryFileCanBeMadeReportsAnInvalidFileName)
{
    CBoxApp app;
    CTestDoc doc;
    NewSound(doc.GetHoard(), "Bell", "ding");
    const CString strPath = "Z:\\no\\such\\folder\\doc.hrd";
    EXPECT_FALSE(doc.OnSaveDocument(strPath));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(strPath));
    EXPECT_TRUE(doc.IsModified());
    ASSERT_EQ(1u, app.m_boxes.size());
    EXPECT_EQ("Invalid filename.\n\nZ:\\no\\such\\folder\\TEMPSAVE.TMP contains an invalid path.", app.m_boxes[0]);
}

namespace {

// A resource class whose answer about the clipboard a test sets.
class CPasteTestClass : public CResourceClass
{
public:
    CPasteTestClass() : CResourceClass(RUNTIME_CLASS(CTestResource)) {}
    ClipboardResult CanConvertClipboard() override { return m_result; }
    ClipboardResult m_result = clipNone;
};

// Two such classes at the head of the registry, the converting one first; they
// answer clipNone again when the object goes.
class CPasteTestClasses
{
public:
    CPasteTestClasses() : m_preferring(Classes().preferring), m_converting(Classes().converting) {}
    ~CPasteTestClasses() { m_preferring.m_result = m_converting.m_result = clipNone; }
    CPasteTestClasses(const CPasteTestClasses&) = delete;
    CPasteTestClasses& operator=(const CPasteTestClasses&) = delete;

    CPasteTestClass& m_preferring;
    CPasteTestClass& m_converting;

private:
    // Made at the first test that needs them, after the registry was initialised, so
    // that they take no type name from the test resource's own class.
    struct CPair
    {
        CPasteTestClass preferring;     // linked first, so listed second
        CPasteTestClass converting;
    };
    static CPair& Classes()
    {
        static CPair pair;
        return pair;
    }
};

// Records what an update handler makes of the item.
class CEnableProbe : public CCmdUI
{
public:
    CEnableProbe() { m_nID = ID_EDIT_PASTE; }
    void Enable(BOOL bOn) override { m_nEnabled = bOn; }
    int m_nEnabled = -1;
};

void ClearClipboard()
{
    ASSERT_TRUE(OpenClipboard(NULL));
    ::EmptyClipboard();
    CloseClipboard();
}

} // namespace

TEST(CResDoc, EditResourcesOpensTheListEditorOfTheChosenType)
{
    CTestDoc doc;
    doc.GetHoard().NewResource("CWav", "Bell");
    CResourceClass* pWavClass = CResourceClass::GetResourceClass("CWav");
    std::string strEditor, strListed;
    CDialogDriver driver;
    driver
        .Then("choose the sounds",
              [&] {
                  HWND hDlg = FindThreadDialog("Select Resource Type");
                  if (hDlg == NULL)
                      return false;
                  HWND hList = GetDlgItem(hDlg, 101);
                  for (int i = 0, n = (int)SendMessage(hList, LB_GETCOUNT, 0, 0); i < n; ++i)
                  {
                      if (SendMessage(hList, LB_GETITEMDATA, i, 0) == (LRESULT)pWavClass)
                          SendMessage(hList, LB_SETCURSEL, i, 0);
                  }
                  Click(GetDlgItem(hDlg, IDOK));
                  return true;
              })
        .Then("the list editor", [&] {
            HWND hDlg = FindThreadDialog([](HWND h) { return WindowText(h).rfind("New/Edit ", 0) == 0; });
            if (hDlg == NULL)
                return false;
            strEditor = WindowText(hDlg);
            char sz[64] = "";
            SendMessage(GetDlgItem(hDlg, IDC_RESOURCE_LIST), LB_GETTEXT, 0, (LPARAM)sz);
            strListed = sz;
            Click(GetDlgItem(hDlg, IDOK));
            return true;
        });
    driver.Start();
    doc.EditResources();
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ("New/Edit " + std::string((const char*)pWavClass->GetName()), strEditor);
    EXPECT_EQ("Bell", strListed) << "the editor lists the document's sounds";
}

TEST(CResDoc, PasteIsEnabledOnlyWhenSomeClassCanConvertTheClipboard)
{
    ClearClipboard();
    CPasteTestClasses classes;
    CTestDoc doc;
    CEnableProbe disabled;
    EXPECT_TRUE(doc.OnCmdMsg(ID_EDIT_PASTE, CN_UPDATE_COMMAND_UI, &disabled, NULL));
    EXPECT_EQ(FALSE, disabled.m_nEnabled);
    EXPECT_EQ(nullptr, CResDoc::ChoosePasteClass(CResourceClass::GetHead()));

    classes.m_preferring.m_result = clipCanConvert;
    CEnableProbe enabled;
    EXPECT_TRUE(doc.OnCmdMsg(ID_EDIT_PASTE, CN_UPDATE_COMMAND_UI, &enabled, NULL));
    EXPECT_EQ(TRUE, enabled.m_nEnabled);

    AFX_CMDHANDLERINFO info = {};
    EXPECT_TRUE(doc.OnCmdMsg(ID_EDIT_PASTE, CN_COMMAND, NULL, &info)) << "the command has its handler";
    EXPECT_EQ(&doc, info.pTarget);
}

TEST(CResDoc, PasteChoosesThePreferredClassOverOneListedBefore)
{
    ClearClipboard();
    CPasteTestClasses classes;
    ASSERT_EQ(&classes.m_converting, CResourceClass::GetHead());
    const struct
    {
        ClipboardResult converting, preferring;
        CResourceClass* pChosen;
    } cases[] = {
        { clipCanConvert, clipPreferred, &classes.m_preferring },
        { clipCanConvert, clipCanConvert, &classes.m_converting },
        { clipPreferred, clipPreferred, &classes.m_converting },
        { clipNone, clipCanConvert, &classes.m_preferring },
    };
    for (const auto& c : cases)
    {
        classes.m_converting.m_result = c.converting;
        classes.m_preferring.m_result = c.preferring;
        EXPECT_EQ(c.pChosen, CResDoc::ChoosePasteClass(CResourceClass::GetHead()))
            << c.converting << " then " << c.preferring;
    }
}
