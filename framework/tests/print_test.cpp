// Printing on the prefix's real printer (the PostScript printer that wine-run adds,
// which writes into a file): the print dialog's defaults, the application's printer,
// the print loop of a view into a named file (the order of the overridables, the pages,
// the drawing rectangle, the file written), page ranges and documents of unknown
// length, Cancel in the printing dialog, a failing job, and a machine without a printer.
#include <afxdlgs.h>
#include <gtest/gtest.h>
#include <winspool.h>

#include "box_app.h"
#include "dialog_driver.h"
#include "import_patch.h"
#include "msg_log.h"

#include <string>
#include <vector>

namespace {

bool HasPrinter()
{
    char szName[256];
    DWORD nLen = sizeof szName;
    return GetDefaultPrinterA(szName, &nLen) != FALSE;
}

#define REQUIRE_PRINTER()                                                                  \
    if (!HasPrinter())                                                                     \
    GTEST_SKIP() << "no default printer in this Wine prefix (wine-run adds one with addprinter)"

std::string FileText(const CString& strPath)
{
    CFile file;
    if (!file.Open(strPath, CFile::modeRead))
        return std::string();
    return Contents(file);
}

size_t Count(const std::string& str, const char* pszWhat)
{
    size_t n = 0;
    for (size_t pos = str.find(pszWhat); pos != std::string::npos; pos = str.find(pszWhat, pos + 1))
        n++;
    return n;
}

// A view that prints nPages pages (0: unknown length) into a named file without the
// dialog, and records what the print loop asks of it.
class CRecordingView : public CView
{
public:
    CRecordingView(const CString& strOutput, UINT nPages) : m_strOutput(strOutput), m_nPages(nPages) {}

    using CView::OnFilePrint;

    std::vector<std::string> m_calls;
    std::vector<CRect> m_drawRects;         // m_rectDraw of each page
    std::vector<CRect> m_pageRects;         // the page in logical units, from the context
    UINT m_nFromPage = 0, m_nToPage = 0;    // a range to choose, as the dialog would
    UINT m_nStopAtPage = 0;                 // m_bContinuePrinting FALSE there
    UINT m_nCancelAtPage = 0;               // Cancel in the printing dialog while printing it
    BOOL m_bPrintingSeen = TRUE;            // IsPrinting() in every OnPrint
    HWND m_hWndPrinting = NULL;             // the printing dialog, as seen while printing
    BOOL m_bDirect = TRUE;                  // FALSE: through the Print dialog

protected:
    void OnDraw(CDC* pDC) override
    {
        pDC->Rectangle(100, -100, 400, -300);
        pDC->TextOut(100, -400, "Printed page");
    }
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override
    {
        m_calls.push_back("prepare");
        pInfo->m_bDirect = m_bDirect;
        pInfo->m_strOutputFile = m_strOutput;
        if (m_nPages != 0)
            pInfo->SetMaxPage(m_nPages);
        if (!DoPreparePrinting(pInfo))
            return FALSE;
        if (m_nFromPage != 0)
        {
            pInfo->m_pPD->m_pd.Flags |= PD_PAGENUMS;
            pInfo->m_pPD->m_pd.nFromPage = (WORD)m_nFromPage;
            pInfo->m_pPD->m_pd.nToPage = (WORD)m_nToPage;
        }
        return TRUE;
    }
    void OnBeginPrinting(CDC* pDC, CPrintInfo*) override { m_calls.push_back("begin"); }
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) override
    {
        CView::OnPrepareDC(pDC, pInfo);
        pDC->SetMapMode(MM_LOENGLISH);
        if (pInfo->m_nCurPage == m_nStopAtPage)
            pInfo->m_bContinuePrinting = FALSE;
    }
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override
    {
        m_calls.push_back("print " + std::to_string(pInfo->m_nCurPage));
        m_drawRects.push_back(pInfo->m_rectDraw);
        CRect rcPage(0, 0, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
        pDC->DPtoLP(&rcPage);
        m_pageRects.push_back(rcPage);
        m_bPrintingSeen = m_bPrintingSeen && pDC->IsPrinting();
        m_hWndPrinting = FindThreadDialog([](HWND h) { return ::GetDlgItem(h, AFX_IDC_PRINT_PAGENUM) != NULL; });
        if (pInfo->m_nCurPage == m_nCancelAtPage && m_hWndPrinting != NULL)
            ::PostMessage(m_hWndPrinting, WM_COMMAND, IDCANCEL, 0);
        CView::OnPrint(pDC, pInfo);
    }
    void OnEndPrinting(CDC*, CPrintInfo*) override { m_calls.push_back("end"); }

private:
    CString m_strOutput;
    UINT m_nPages;
};

using Calls = std::vector<std::string>;

} // namespace

TEST(PrintDialog, DefaultsAreTheDefaultPrinter)
{
    REQUIRE_PRINTER();
    char szDefault[256];
    DWORD nLen = sizeof szDefault;
    GetDefaultPrinterA(szDefault, &nLen);

    CPrintDialog dlg(FALSE);
    ASSERT_TRUE(dlg.GetDefaults()) << "CommDlgExtendedError " << CommDlgExtendedError();
    EXPECT_STREQ(szDefault, dlg.GetDeviceName());
    EXPECT_FALSE(dlg.GetDriverName().IsEmpty());
    EXPECT_FALSE(dlg.GetPortName().IsEmpty());
    EXPECT_EQ(1, dlg.GetCopies());
    EXPECT_TRUE(dlg.PrintAll());
    EXPECT_FALSE(dlg.PrintRange());
    EXPECT_FALSE(dlg.PrintToFile());
    ASSERT_NE(nullptr, dlg.GetDevMode());
    EXPECT_STREQ(szDefault, (const char*)dlg.GetDevMode()->dmDeviceName);

    // Not a setup dialog: PD_RETURNDC gives the printer's context with the defaults.
    HDC hDC = dlg.GetPrinterDC();
    ASSERT_NE(nullptr, hDC);
    EXPECT_EQ(DT_RASPRINTER, GetDeviceCaps(hDC, TECHNOLOGY));
    EXPECT_GT(GetDeviceCaps(hDC, LOGPIXELSY), 96);
    int nWidth = GetDeviceCaps(hDC, HORZRES);
    // A new context in place of the old one, which is deleted.
    HDC hMade = dlg.CreatePrinterDC();
    ASSERT_NE(nullptr, hMade);
    EXPECT_EQ(hMade, dlg.m_pd.hDC);
    EXPECT_EQ(nWidth, GetDeviceCaps(hMade, HORZRES));
    if (hMade != hDC)
    {
        EXPECT_EQ(0, GetDeviceCaps(hDC, HORZRES)) << "the old context deleted";
    }
    DeleteDC(hMade);
    GlobalFree(dlg.m_pd.hDevMode);
    GlobalFree(dlg.m_pd.hDevNames);

    CPrintDialog setup(TRUE);
    ASSERT_TRUE(setup.GetDefaults());
    EXPECT_EQ(nullptr, setup.GetPrinterDC()) << "Print Setup makes no context";
    GlobalFree(setup.m_pd.hDevMode);
    GlobalFree(setup.m_pd.hDevNames);
}

TEST(PrintDialog, RunsAndCancels)
{
    REQUIRE_PRINTER();
    CReleaseCheck check;
    CPrintDialog dlg(FALSE);
    CDialogDriver driver;
    driver.Then("the Print dialog", [] { return FindThreadDialog() != NULL; }).Then("Cancel", Press(VK_ESCAPE));
    driver.Start();
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(0u, CommDlgExtendedError());
    EXPECT_EQ(NULL, dlg.m_hWnd) << "unbound when the dialog went";
    if (dlg.m_pd.hDevMode != NULL)
        GlobalFree(dlg.m_pd.hDevMode);
    if (dlg.m_pd.hDevNames != NULL)
        GlobalFree(dlg.m_pd.hDevNames);
}

TEST(PrintInfo, StartsWithAllPagesOfAnUnknownDocument)
{
    CPrintInfo info;
    EXPECT_EQ(1u, info.GetMinPage());
    EXPECT_EQ(0xFFFFu, info.GetMaxPage());
    EXPECT_EQ(1u, info.GetFromPage());
    EXPECT_EQ(0xFFFFu, info.GetToPage());
    EXPECT_EQ(1u, info.m_nCurPage);
    EXPECT_TRUE(info.m_bContinuePrinting);
    EXPECT_FALSE(info.m_bDirect);
    EXPECT_FALSE(info.m_bPreview);
    EXPECT_TRUE(info.m_pPD->PrintAll());
    EXPECT_FALSE(info.m_pPD->m_pd.Flags & PD_NOPAGENUMS) << "the dialog offers a range";
    info.SetMaxPage(7);
    EXPECT_EQ(7u, info.m_pPD->m_pd.nMaxPage);
}

TEST(AppPrinter, TakesTheDefaultPrinterAndMakesItsContext)
{
    REQUIRE_PRINTER();
    CBoxApp app;
    PRINTDLG pd = {};
    ASSERT_TRUE(app.GetPrinterDeviceDefaults(&pd));
    EXPECT_EQ(app.m_hDevMode, pd.hDevMode);
    EXPECT_EQ(app.m_hDevNames, pd.hDevNames);
    auto* pNames = (DEVNAMES*)GlobalLock(app.m_hDevNames);
    EXPECT_TRUE(pNames->wDefault & DN_DEFAULTPRN);
    GlobalUnlock(app.m_hDevNames);

    // The same default printer again: the application's settings stay.
    HGLOBAL hDevMode = app.m_hDevMode;
    app.UpdatePrinterSelection(FALSE);
    EXPECT_EQ(hDevMode, app.m_hDevMode);

    CDC dc;
    ASSERT_TRUE(app.CreatePrinterDC(dc));
    EXPECT_EQ(DT_RASPRINTER, dc.GetDeviceCaps(TECHNOLOGY));
    EXPECT_TRUE(app.m_boxes.empty());
}

TEST(ViewPrinting, PrintsEveryPageIntoTheNamedFile)
{
    REQUIRE_PRINTER();
    CReleaseCheck check;
    CBoxApp app;
    CScratchFolder folder;
    CString strOutput = folder.Path("three.ps");
    CRecordingView view(strOutput, 3);
    view.OnFilePrint();

    EXPECT_EQ((Calls{ "prepare", "begin", "print 1", "print 2", "print 3", "end" }), view.m_calls);
    EXPECT_TRUE(view.m_bPrintingSeen) << "the context says it prints";
    EXPECT_NE(nullptr, view.m_hWndPrinting) << "the printing dialog while printing";
    EXPECT_EQ(nullptr, FindThreadDialog()) << "and gone after";
    ASSERT_EQ(3u, view.m_drawRects.size());
    for (size_t i = 0; i < 3; i++)
    {
        // The printable area in the view's logical units (MM_LOENGLISH: y grows upwards).
        EXPECT_EQ(view.m_pageRects[i], view.m_drawRects[i]) << "page " << i + 1;
        EXPECT_EQ(0, view.m_drawRects[i].left);
        EXPECT_LT(view.m_drawRects[i].bottom, -700) << "a page is more than 7 inches tall";
    }
    EXPECT_TRUE(app.m_boxes.empty());

    std::string strPS = FileText(strOutput);
    EXPECT_EQ(0u, strPS.find("%!PS-Adobe-3.0")) << strPS.substr(0, 40);
    EXPECT_EQ(3u, Count(strPS, "\n%%Page: "));
    EXPECT_NE(std::string::npos, strPS.find("%%Page: 3 3"));
    EXPECT_NE(std::string::npos, strPS.find("%%Pages: 3"));
    EXPECT_NE(std::string::npos, strPS.find("%%EOF"));
}

TEST(ViewPrinting, PrintsThroughThePrintDialog)
{
    REQUIRE_PRINTER();
    CBoxApp app;
    CScratchFolder folder;
    for (bool bPrint : { true, false })
    {
        SCOPED_TRACE(bPrint ? "Print" : "Cancel");
        CString strOutput = folder.Path("dialog.ps");
        CRecordingView view(strOutput, 2);
        view.m_bDirect = FALSE;
        CDialogDriver driver;
        driver.Then("the Print dialog", [] { return FindThreadDialog() != NULL; })
            .Then(bPrint ? "Print" : "Cancel", Press(bPrint ? VK_RETURN : VK_ESCAPE));
        driver.Start();
        view.OnFilePrint();
        driver.Stop();
        EXPECT_TRUE(driver.Done());
        if (bPrint)
        {
            EXPECT_EQ((Calls{ "prepare", "begin", "print 1", "print 2", "end" }), view.m_calls);
            EXPECT_EQ(2u, Count(FileText(strOutput), "\n%%Page: "));
        }
        else
        {
            EXPECT_EQ((Calls{ "prepare" }), view.m_calls);
            EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(strOutput));
        }
        // What the dialog chose is the application's printer from now on.
        EXPECT_NE(nullptr, app.m_hDevNames);
        DeleteFileA(strOutput);
    }
    EXPECT_TRUE(app.m_boxes.empty());
}

TEST(ViewPrinting, PrintToFileInTheDialogAsksForTheFile)
{
    REQUIRE_PRINTER();
    CBoxApp app;
    CScratchFolder folder;
    CString strOutput = folder.Path("chosen.prn");
    CRecordingView view("", 1);
    view.m_bDirect = FALSE;
    CDialogDriver driver;
    driver.Then("the Print dialog with Print to file checked", [] {
              HWND hDlg = FindThreadDialog();
              HWND hBox = hDlg != NULL ? GetDlgItem(hDlg, chx1) : NULL;
              if (hBox == NULL || !IsWindowEnabled(hBox))
                  return false;
              SendMessage(hBox, BM_CLICK, 0, 0);
              return SendMessage(hBox, BM_GETCHECK, 0, 0) == BST_CHECKED;
          })
        .Then("Print", Press(VK_RETURN));
    CString strCaption;
    strCaption.LoadString(AFX_IDS_PRINTCAPTION);
    AnswerFileDialog(driver, strCaption, strOutput);
    driver.Start();
    view.OnFilePrint();
    driver.Stop();
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ((Calls{ "prepare", "begin", "print 1", "end" }), view.m_calls);
    EXPECT_EQ(1u, Count(FileText(strOutput), "\n%%Page: "));
    EXPECT_TRUE(app.m_boxes.empty());
}

TEST(ViewPrinting, PrintsTheChosenRangeAndStopsWhereTheViewSays)
{
    REQUIRE_PRINTER();
    CBoxApp app;
    CScratchFolder folder;
    struct Case
    {
        UINT nPages, nFrom, nTo, nStopAt;
        Calls prints;
    } cases[] = {
        { 5, 2, 3, 0, { "print 2", "print 3" } },
        { 3, 2, 9, 0, { "print 2", "print 3" } },       // the range ends with the document
        { 0, 0, 0, 0, { "print 1" } },                  // unknown length: one page
        { 4, 0, 0, 3, { "print 1", "print 2" } },       // the view ends the document
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.nPages << " pages, " << c.nFrom << "-" << c.nTo << ", stop at " << c.nStopAt);
        CString strOutput = folder.Path("range.ps");
        DeleteFileA(strOutput);
        CRecordingView view(strOutput, c.nPages);
        view.m_nFromPage = c.nFrom;
        view.m_nToPage = c.nTo;
        view.m_nStopAtPage = c.nStopAt;
        view.OnFilePrint();
        Calls expected{ "prepare", "begin" };
        expected.insert(expected.end(), c.prints.begin(), c.prints.end());
        expected.push_back("end");
        EXPECT_EQ(expected, view.m_calls);
        std::string strPS = FileText(strOutput);
        EXPECT_EQ(c.prints.size(), Count(strPS, "\n%%Page: "));
        EXPECT_NE(std::string::npos, strPS.find("%%EOF"));
    }
    EXPECT_TRUE(app.m_boxes.empty());
}

TEST(ViewPrinting, CancelInThePrintingDialogDropsTheJob)
{
    REQUIRE_PRINTER();
    CBoxApp app;
    CScratchFolder folder;
    CString strOutput = folder.Path("cancelled.ps");
    CRecordingView view(strOutput, 5);
    view.m_nCancelAtPage = 2;
    view.OnFilePrint();
    EXPECT_EQ((Calls{ "prepare", "begin", "print 1", "print 2", "end" }), view.m_calls);
    EXPECT_TRUE(app.m_boxes.empty()) << "the user's own cancel is not reported";
    EXPECT_EQ(nullptr, FindThreadDialog());
    EXPECT_EQ(std::string::npos, FileText(strOutput).find("%%EOF")) << "no finished document";
}

TEST(ViewPrinting, AJobThatCannotBeWrittenIsReported)
{
    REQUIRE_PRINTER();
    CBoxApp app;
    CRecordingView view("Q:\\no such folder\\page.ps", 1);
    view.OnFilePrint();
    ASSERT_EQ(1u, app.m_boxes.size());
    CString strFailed;
    strFailed.LoadString(AFX_IDP_FAILED_TO_START_PRINT);
    EXPECT_STREQ(strFailed, app.m_boxes[0].c_str());
    EXPECT_EQ("end", view.m_calls.back()) << "OnEndPrinting after a failed job too";
}

namespace {

BOOL WINAPI NoPrinterPrintDlg(LPPRINTDLGA) { return FALSE; }

} // namespace

TEST(ViewPrinting, WithoutAPrinterSaysSoAndPrintsNothing)
{
    // The system's answer on a machine without a printer: PrintDlg finds no default.
    CImportPatch patch("framework.dll", "comdlg32.dll", "PrintDlgA", (void*)NoPrinterPrintDlg);
    ASSERT_TRUE(patch.IsPatched());
    CBoxApp app;
    CScratchFolder folder;
    CString strOutput = folder.Path("none.ps");
    CRecordingView view(strOutput, 2);
    view.OnFilePrint();
    EXPECT_EQ((Calls{ "prepare" }), view.m_calls);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(strOutput));

    app.OnFilePrintSetup();
    CString strNoPrinter;
    ASSERT_TRUE(strNoPrinter.LoadString(AFX_IDP_NO_PRINTER));
    ASSERT_EQ(2u, app.m_boxes.size());
    EXPECT_STREQ(strNoPrinter, app.m_boxes[0].c_str());
    EXPECT_STREQ(strNoPrinter, app.m_boxes[1].c_str());
    EXPECT_EQ(NULL, app.m_hDevNames);
    CDC dc;
    EXPECT_FALSE(app.CreatePrinterDC(dc));
}
