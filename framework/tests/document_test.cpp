// CDocument: opening, saving and new documents through a derived document's Serialize,
// the prompts that report each failure, and the path and title.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "box_app.h"
#include "test_support.h"

namespace {

// A document of one line of text; Serialize throws m_pThrow when it is set.
class CNoteDoc : public CDocument
{
public:
    CNoteDoc() { m_bAutoDelete = FALSE; }
    void Serialize(CArchive& ar) override
    {
        if (m_pThrow != NULL)
        {
            CException* e = m_pThrow;
            m_pThrow = NULL;
            throw e;
        }
        if (ar.IsStoring())
            ar << m_strText;
        else
            ar >> m_strText;
    }
    void DeleteContents() override
    {
        m_nDeleted++;
        m_strText.Empty();
    }

    CString m_strText;
    int m_nDeleted = 0;
    CException* m_pThrow = NULL;
};

} // namespace

TEST(CDocument, SavedDocumentOpensAgain)
{
    CBoxApp app;
    CScratchFolder folder;
    CString strPath = folder.Path("note.doc");

    CNoteDoc doc;
    doc.m_strText = "milk, eggs";
    doc.SetModifiedFlag();
    ASSERT_TRUE(doc.OnSaveDocument(strPath));
    EXPECT_FALSE(doc.IsModified());

    CNoteDoc other;
    other.m_strText = "left over";
    other.SetModifiedFlag();
    ASSERT_TRUE(other.OnOpenDocument(strPath));
    EXPECT_STREQ("milk, eggs", other.m_strText);
    EXPECT_EQ(1, other.m_nDeleted) << "emptied before reading";
    EXPECT_FALSE(other.IsModified());

    other.SetPathName(strPath);
    other.SetModifiedFlag();
    EXPECT_TRUE(other.OnNewDocument());
    EXPECT_EQ("", other.m_strText);
    EXPECT_EQ(2, other.m_nDeleted);
    EXPECT_TRUE(other.GetPathName().IsEmpty());
    EXPECT_FALSE(other.IsModified());
    EXPECT_TRUE(app.m_boxes.empty());
}

TEST(CDocument, EachFailureShowsItsPrompt)
{
    CBoxApp app;
    CScratchFolder folder;
    CString strMissing = folder.Path("missing.doc");
    CString strEmpty = folder.Path("empty.doc");
    CFile(strEmpty, CFile::modeCreate | CFile::modeWrite).Close();
    CString strNoFolder = folder.Path("nofolder\\x.doc");
    CString strSaved = folder.Path("saved.doc");

    const struct
    {
        const char* context;
        BOOL bSave;
        CString strPath;
        CException* pThrow;
        std::string strBox;         // empty: no box
        int nDeleted;               // DeleteContents calls
    } cases[] = {
        { "open: no such file", FALSE, strMissing, NULL,
          "Failed to open document.\n\n" + std::string(strMissing) + " was not found.", 0 },
        { "open: the archive ends", FALSE, strEmpty, NULL,
          "Failed to open document.\n\nAn attempt was made to access " + std::string(strEmpty) + " past its end.", 2 },
        { "open: the reader has told the user", FALSE, strEmpty, new CUserException, "", 2 },
        { "save: no such folder", TRUE, strNoFolder, NULL,
          "Invalid filename.\n\n" + std::string(strNoFolder) + " contains an invalid path.", 0 },
        { "save: an archive exception without a particular cause", TRUE, strSaved,
          new CArchiveException(CArchiveException::generic, strSaved), "Failed to save document.", 0 },
        { "save: out of memory", TRUE, strSaved, new CMemoryException, "Failed to save document.", 0 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.context);
        app.m_boxes.clear();
        CNoteDoc doc;
        doc.m_strText = "kept";
        doc.SetModifiedFlag();
        doc.m_pThrow = c.pThrow;
        EXPECT_FALSE(c.bSave ? doc.OnSaveDocument(c.strPath) : doc.OnOpenDocument(c.strPath));
        EXPECT_EQ(c.nDeleted, doc.m_nDeleted);
        EXPECT_TRUE(doc.IsModified()) << "a failure leaves the document to be saved";
        ASSERT_EQ(c.strBox.empty() ? 0u : 1u, app.m_boxes.size());
        if (!c.strBox.empty())
        {
            EXPECT_EQ(c.strBox, app.m_boxes[0]);
        }
    }
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(strMissing)) << "opening creates nothing";

    // The exception's own file name is the one named; a report without an exception
    // gives the prompt alone.
    app.m_boxes.clear();
    CNoteDoc doc;
    CFileException eLocked(CFileException::sharingViolation, ERROR_SHARING_VIOLATION);
    eLocked.m_strFileName = "C:\\work\\TEMPSAVE.TMP";
    doc.ReportSaveLoadException("C:\\work\\a.doc", &eLocked, TRUE, AFX_IDP_INVALID_FILENAME);
    doc.ReportSaveLoadException("C:\\work\\a.doc", NULL, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
    ASSERT_EQ(2u, app.m_boxes.size());
    EXPECT_EQ("Invalid filename.\n\nA sharing violation occurred while accessing C:\\work\\TEMPSAVE.TMP.",
              app.m_boxes[0]);
    EXPECT_EQ("Failed to open document.", app.m_boxes[1]);
}

TEST(CDocument, PathNameIsFullAndGivesTheTitle)
{
    CNoteDoc doc;
    doc.SetPathName("C:\\work\\..\\lists\\note.doc");
    EXPECT_STREQ("C:\\lists\\note.doc", doc.GetPathName());
    EXPECT_STREQ("note.doc", doc.GetTitle());
    doc.SetTitle("Shopping");
    EXPECT_STREQ("Shopping", doc.GetTitle());
}

namespace {

class CClosingDoc : public CDocument
{
public:
    explicit CClosingDoc(std::vector<std::string>& log) : m_log(log) {}
    ~CClosingDoc() override { m_log.push_back("destroyed"); }
    void DeleteContents() override { m_log.push_back("emptied"); }
    std::vector<std::string>& m_log;
};

} // namespace

TEST(CDocument, ClosingEmptiesAndDestroysAnAutoDeleteDocument)
{
    std::vector<std::string> log;
    (new CClosingDoc(log))->OnCloseDocument();
    EXPECT_EQ((std::vector<std::string>{ "emptied", "destroyed" }), log);

    log.clear();
    CClosingDoc kept(log);
    kept.m_bAutoDelete = FALSE;
    kept.OnCloseDocument();
    EXPECT_EQ((std::vector<std::string>{ "emptied" }), log);
}
