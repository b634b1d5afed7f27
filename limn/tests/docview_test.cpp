// The document and its views: the tree attached on the first paint and drawn by the
// second, layout following the window, the clock that stops scanning when the
// application goes to the background, the active document and the closing one, the
// document file, broadcasts into the trees, and the mouse.
#include "limn/containers/ContainerEdit.h"
#include "limn/containers/ContainerMessages.h"
#include "limn/containers/MainContainerRecord.h"
#include "limn/containers/WndContainer.h"

#include "hoard/sound/Wav.h"

#include "app_support.h"
#include "scanning_support.h"

#include <fstream>
#include <iterator>

namespace {

const COLORREF crBlue = RGB(0, 0, 255), crRed = RGB(255, 0, 0);
// The buffer's light grey (0xC0C0C0) as its 16-bit pixels give it back.
const COLORREF crBufferGrey = RGB(0xC6, 0xC6, 0xC6);

class CResizeLog : public CMessageReceiver
{
public:
    void OnMessage(Message* pMsg) override
    {
        if (auto* pResized = dynamic_cast<MsgWindowResized*>(pMsg))
            m_roots.push_back(pResized->m_pWndContainer);
    }
    std::vector<CWndContainer*> m_roots;
};

// A message kind of the tests.
class MsgPing : public Message
{
public:
    ~MsgPing() override = default;
};

std::string ReadBytes(const char* pszPath)
{
    std::ifstream in(pszPath, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

COLORREF PixelOf(CWnd* pWnd, CPoint point)
{
    HDC hDC = ::GetDC(pWnd->m_hWnd);
    COLORREF cr = ::GetPixel(hDC, point.x, point.y);
    ::ReleaseDC(pWnd->m_hWnd, hDC);
    return cr;
}

} // namespace

class DocView : public AppFrameTest
{
protected:
    // The probes record into the log until their documents close.
    ~DocView() override { CloseDocuments(); }

    // A view of a new document; its tree holds a blue probe "A" at (10, 10, 60, 40).
    CTestView* Open(CTestDoc*& pDoc)
    {
        CTestView* pView = OpenDocument(pDoc);
        if (pView == NULL)
            return NULL;
        m_pA = new CProbe(pDoc->GetMainContainer(), "A", arrangeNone, &m_log);
        m_pA->SetBounds(CRect(10, 10, 60, 40));
        m_pA->SetFillColor(crBlue);
        return pView;
    }
    void Close(CTestDoc* pDoc)
    {
        m_docs.erase(std::find(m_docs.begin(), m_docs.end(), pDoc));
        pDoc->OnCloseDocument();
        PumpMessages();
    }

    CallLog m_log;
    CProbe* m_pA = NULL;
};

// The first paint attaches the tree to the view and draws nothing; it asks for the
// second, which draws the tree.
TEST_F(DocView, FirstPaintAttachesAndSchedulesTheSecond)
{
    ASSERT_NE(nullptr, m_pFrame);
    CTestDoc* pDoc = NULL;
    CTestView* pView = OpenDocument(pDoc);
    ASSERT_NE(nullptr, pView);
    // Opening the frame painted it once already; a view that never painted is made here.
    CWndContainer* pRoot = pDoc->GetMainContainer();
    EXPECT_EQ(pView, pRoot->GetWindowPtr()) << "attached by the first paint";
    EXPECT_EQ(pDoc, pRoot->GetDocument());
    EXPECT_EQ(&pDoc->GetHoard(), pRoot->GetHoard());

    // A new tree in the document: the view lets go of the old one and attaches the new
    // one on its next paint as on its first.
    CTestDoc* pSecond = NULL;
    CTestView* pFresh = OpenDocument(pSecond);
    ASSERT_NE(nullptr, pFresh);
    pFresh->ValidateRect(NULL);
    pSecond->SetMainContainer(new CWndContainer);
    CWndContainer* pNewRoot = pSecond->GetMainContainer();
    EXPECT_EQ(nullptr, pFresh->GetContainer()) << "the view let go of the replaced tree";
    const int nDrawsBefore = pFresh->m_nTreeDraws;
    pFresh->UpdateWindow();
    EXPECT_EQ(pNewRoot, pFresh->GetContainer());
    EXPECT_EQ(pFresh, pNewRoot->GetWindowPtr());
    EXPECT_EQ(nDrawsBefore, pFresh->m_nTreeDraws) << "the first paint draws nothing";
    EXPECT_TRUE(::GetUpdateRect(pFresh->m_hWnd, NULL, FALSE)) << "and asks for the second";
    pFresh->UpdateWindow();
    EXPECT_EQ(nDrawsBefore + 1, pFresh->m_nTreeDraws);
    CRect rectClient;
    pFresh->GetClientRect(&rectClient);
    EXPECT_EQ(rectClient, pNewRoot->GetBounds());
    EXPECT_EQ(crBufferGrey, PixelOf(pFresh, CPoint(5, 5)));
}

// A document without a tree paints nothing and asks again on the clock's ticks: the tree
// given later is shown without anything else asking for a paint.
TEST_F(DocView, ViewWaitsForTheTree)
{
    ASSERT_NE(nullptr, m_pFrame);
    CTestDoc* pDoc = NULL;
    CTestView* pView = OpenDocument(pDoc);
    ASSERT_NE(nullptr, pView);
    pDoc->SetMainContainer(NULL);
    pView->UpdateWindow();
    EXPECT_EQ(nullptr, pView->GetContainer());
    auto* pRoot = new CWndContainer;
    pRoot->SetFillColor(crRed);
    pDoc->SetMainContainer(pRoot);
    pView->ValidateRect(NULL);
    EXPECT_TRUE(PumpUntil(1000, [&] { return PixelOf(pView, CPoint(5, 5)) == crRed; }));
}

// Resizing the view lays the tree out at the new size and broadcasts MsgWindowResized.
TEST_F(DocView, ResizeRelaysOutAndBroadcasts)
{
    ASSERT_NE(nullptr, m_pFrame);
    CTestDoc* pDoc = NULL;
    CTestView* pView = Open(pDoc);
    ASSERT_NE(nullptr, pView);
    CWndContainer* pRoot = pDoc->GetMainContainer();
    pRoot->SetArrangeMethod(arrangeVertical);
    m_pA->SetPreferredSize(CSize(-1, 30));
    CResizeLog log;
    pView->GetParentFrame()->MoveWindow(0, 0, 300, 200);
    PumpMessages();
    CRect rectClient;
    pView->GetClientRect(&rectClient);
    EXPECT_EQ(rectClient, pRoot->GetBounds());
    EXPECT_EQ(rectClient.Width(), m_pA->GetBounds().Width()) << "the child stretched to the new width";
    ASSERT_FALSE(log.m_roots.empty());
    EXPECT_EQ(pRoot, log.m_roots.back());
}

// With off-screen drawing off, the tree paints straight onto the window: where no
// container paints, the window keeps what it had instead of the buffer's grey.
TEST_F(DocView, OffScreenDrawingCanBeTurnedOff)
{
    ASSERT_NE(nullptr, m_pFrame);
    CTestDoc* pDoc = NULL;
    CTestView* pView = Open(pDoc);
    ASSERT_NE(nullptr, pView);
    pDoc->GetMainContainer()->SetNoFill();
    const CPoint pointBare(200, 150), pointA(20, 20);
    for (BOOL bOffScreen : { TRUE, FALSE })
    {
        pView->SetOffScreenDrawEnable(bOffScreen);
        {
            CClientDC dc(pView);
            dc.FillSolidRect(CRect(0, 0, 400, 300), crRed);
        }
        pView->InvalidateRect(NULL, FALSE);
        pView->UpdateWindow();
        EXPECT_EQ(bOffScreen ? crBufferGrey : crRed, PixelOf(pView, pointBare)) << "off-screen " << bOffScreen;
        EXPECT_EQ(crBlue, PixelOf(pView, pointA)) << "off-screen " << bOffScreen;
    }
}

// Switching to another program tells the root within a tick and stops scanning;
// switching back tells it too.
TEST_F(DocView, AnotherProgramInFrontStopsScanning)
{
    ASSERT_NE(nullptr, m_pFrame);
    CTestDoc* pDoc = NULL;
    CTestView* pView = Open(pDoc);
    ASSERT_NE(nullptr, pView);
    CallLog clicks;
    CWndContainer* pRoot = pDoc->GetMainContainer();
    new CScanLeaf(pRoot, "leaf", CRect(100, 10, 150, 40), &clicks);
    pView->UpdateWindow();
    pDoc->OnActivate();
    m_pFrame->SetForegroundWindow();
    CContainer::SetHotKeyHit(VK_RETURN);
    ASSERT_TRUE(PumpUntil(500, [] { return CContainer::IsInAutoScan(); }));

    m_log.clear();
    auto activations = [&] {
        CallLog log;
        std::copy_if(m_log.begin(), m_log.end(), std::back_inserter(log),
                     [](const std::string& s) { return s.find("Activate") != std::string::npos; });
        return log;
    };
    {
        COtherProgramWindow other;
        DWORD dwStart = ::GetTickCount();
        EXPECT_TRUE(PumpUntil(1000, [] { return !CContainer::IsInAutoScan(); }));
        EXPECT_LE(::GetTickCount() - dwStart, 250u) << "about a tick of the clock";
        EXPECT_EQ(CallLog{ "A:Activate(0)" }, activations());
    }
    m_pFrame->SetForegroundWindow();
    EXPECT_TRUE(PumpUntil(500, [&] { return activations().size() == 2; }));
    EXPECT_EQ((CallLog{ "A:Activate(0)", "A:Activate(1)" }), activations());
}

// The document of the view activated last is the active one; a closing document hides
// its tree at once and is not made active again by its views meanwhile; a destroyed one
// is active no more.
TEST_F(DocView, ActivationAndClosing)
{
    ASSERT_NE(nullptr, m_pFrame);
    CTestDoc *pFirst = NULL, *pSecond = NULL;
    CTestView* pFirstView = Open(pFirst);
    CProbe* pFirstA = m_pA;
    CTestView* pSecondView = Open(pSecond);
    ASSERT_NE(nullptr, pFirstView);
    ASSERT_NE(nullptr, pSecondView);
    pFirstView->UpdateWindow();
    pSecondView->UpdateWindow();

    static_cast<CMDIChildWnd*>(pFirstView->GetParentFrame())->MDIActivate();
    PumpMessages();
    EXPECT_EQ(pFirst, CLimnDoc::GetActiveDoc());
    EXPECT_EQ(&pFirst->GetHoard(), CHoard::GetDocumentHoard());
    EXPECT_TRUE(pFirstA->IsDocActive());
    EXPECT_FALSE(m_pA->IsDocActive());
    static_cast<CMDIChildWnd*>(pSecondView->GetParentFrame())->MDIActivate();
    PumpMessages();
    EXPECT_EQ(pSecond, CLimnDoc::GetActiveDoc());
    EXPECT_TRUE(m_pA->IsDocActive());

    // While the first closes, its view is activated: that changes nothing.
    std::string strDuringClose;
    pFirstA->m_after["Hide"] = [&] {
        pFirstView->OnActivateView(TRUE, pFirstView, NULL);
        strDuringClose = std::string(pFirst->GetMainContainer()->IsVisible() ? "shown" : "hidden") +
                         (CLimnDoc::GetActiveDoc() == pFirst ? ", active" : ", inactive");
    };
    Close(pFirst);
    EXPECT_EQ("hidden, inactive", strDuringClose);
    EXPECT_EQ(pSecond, CLimnDoc::GetActiveDoc());
    Close(pSecond);
    EXPECT_EQ(nullptr, CLimnDoc::GetActiveDoc());

    CTreeWindow window(100, 100, 100, 100);
    CWndContainer root(&window.m_wnd);
    EXPECT_FALSE(root.IsDocActive()) << "a window that is not a view";
}

// Every broadcast reaches every container of every document's tree.
TEST_F(DocView, BroadcastsReachEveryTree)
{
    ASSERT_NE(nullptr, m_pFrame);
    CTestDoc *pFirst = NULL, *pSecond = NULL;
    ASSERT_NE(nullptr, Open(pFirst));
    m_pA->SetName("first");
    ASSERT_NE(nullptr, Open(pSecond));
    m_pA->SetName("second");
    m_log.clear();
    MsgPing().Broadcast();
    EXPECT_EQ((CallLog{ "first:Message", "second:Message" }), m_log);
}

// The document file is the screen document that CMainContainerRecord reads and writes:
// the document reads such a file into its tree and resources and writes it back byte
// for byte.
TEST_F(DocView, DocumentFileIsTheScreenDocument)
{
    ASSERT_NE(nullptr, m_pFrame);
    char szDir[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szDir);
    const CString strSource = CString(szDir) + "limn_doc_source.lmd";
    const CString strSaved = CString(szDir) + "limn_doc_saved.lmd";
    {
        CHoard hoard;
        hoard.NewResource("CWav", "Bell");
        CWndContainer root;
        root.SetName("screen");
        root.SetBounds(CRect(0, 0, 320, 200));
        auto* pChild = new CContainer(&root, arrangeNone);
        pChild->SetName("child");
        pChild->SetBounds(CRect(5, 6, 70, 80));
        CMainContainerRecord::SaveFile(strSource, &root, hoard);
    }

    CTestDoc* pDoc = static_cast<CTestDoc*>(RUNTIME_CLASS(CTestDoc)->CreateObject());
    ASSERT_TRUE(pDoc->OnOpenDocument(strSource));
    CWndContainer* pRoot = pDoc->GetMainContainer();
    ASSERT_NE(nullptr, pRoot);
    EXPECT_EQ("screen", pRoot->GetName());
    CContainer* pChild = pRoot->FindSubContainer(NULL, "child");
    ASSERT_NE(nullptr, pChild);
    EXPECT_EQ(CRect(5, 6, 70, 80), pChild->GetBounds());
    EXPECT_EQ(pDoc, pChild->GetDocument()) << "the tree is the document's";
    EXPECT_NE(nullptr, pDoc->GetHoard().GetResource("CWav", "Bell"));
    EXPECT_EQ(pDoc, CLimnDoc::GetActiveDoc()) << "reading made it the active document";

    ASSERT_TRUE(pDoc->OnSaveDocument(strSaved));
    EXPECT_EQ(ReadBytes(strSource), ReadBytes(strSaved));

    CHoard hoard;
    std::unique_ptr<CWndContainer> pLoaded(CMainContainerRecord::LoadFile(strSaved, hoard));
    ASSERT_NE(nullptr, pLoaded);
    EXPECT_EQ("screen", pLoaded->GetName());
    delete pDoc;
    EXPECT_EQ(nullptr, CLimnDoc::GetActiveDoc());
    ::DeleteFileA(strSource);
    ::DeleteFileA(strSaved);
}

// A mouse click on the view reaches the container under it, with the cursor in screen
// coordinates in its event.
TEST_F(DocView, MouseReachesTheTree)
{
    ASSERT_NE(nullptr, m_pFrame);
    CTestDoc* pDoc = NULL;
    CTestView* pView = Open(pDoc);
    ASSERT_NE(nullptr, pView);
    pView->UpdateWindow();
    CPoint point(20, 20);
    pView->ClientToScreen(&point);
    MoveCursorTo(point);
    m_pA->m_bRecordMoves = FALSE;
    m_log.clear();
    PressLeft();
    ReleaseLeft();
    // The selection's broadcast reaches the tree through its document.
    EXPECT_EQ((CallLog{ "A:LDown(10,10)", "A:LUp(10,10)", "A:Select", "A:Message" }), m_log);
    EXPECT_EQ(point, CContainer::GetLastEventState().m_point);
}

// While its document is active, a text entry takes the keyboard focus from the view.
TEST_F(DocView, EditTakesTheFocusFromItsView)
{
    ASSERT_NE(nullptr, m_pFrame);
    CTestDoc* pDoc = NULL;
    CTestView* pView = Open(pDoc);
    ASSERT_NE(nullptr, pView);
    pView->UpdateWindow();
    auto* pEdit = new CContainerEdit(pDoc->GetMainContainer());
    pEdit->SetBounds(CRect(100, 100, 200, 130));
    ASSERT_NE(nullptr, pEdit->m_edit.m_hWnd);
    pDoc->OnActivate();
    pView->SetFocus();
    EXPECT_TRUE(PumpUntil(500, [&] { return ::GetFocus() == pEdit->m_edit.m_hWnd; }));
}

// Printing lays the tree out on the page in points, without the containers that are not
// printable, and puts it back in the window afterwards, those containers shown again.
TEST_F(DocView, PrintingUsesThePageAndRestoresTheWindow)
{
    ASSERT_NE(nullptr, m_pFrame);
    CTestDoc* pDoc = NULL;
    CTestView* pView = Open(pDoc);
    ASSERT_NE(nullptr, pView);
    CWndContainer* pRoot = pDoc->GetMainContainer();
    pRoot->SetArrangeMethod(arrangeVertical);
    m_pA->SetPreferredSize(CSize(-1, 30));
    auto* pB = new CProbe(pRoot, "B", arrangeNone, &m_log);
    pB->SetPreferredSize(CSize(-1, 30));
    pB->SetFillColor(crRed);
    pB->SetPrintable(FALSE);
    pView->UpdateWindow();
    CRect rectWindow = pRoot->GetBounds();

    // A printer's context of 8.5 by 11 inches at the memory context's resolution.
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(NULL));
    const int nDPI = dc.GetDeviceCaps(LOGPIXELSX);
    CBitmap page;
    ASSERT_TRUE(page.CreateBitmap(nDPI * 17 / 2, nDPI * 11, 1, 32, NULL));
    CBitmap* pOldBitmap = dc.SelectObject(&page);
    dc.PatBlt(0, 0, nDPI * 17 / 2, nDPI * 11, WHITENESS);
    dc.m_bPrinting = TRUE;
    CPrintInfo info;
    info.m_rectDraw.SetRect(0, 0, nDPI * 17 / 2, nDPI * 11);

    std::string strDuringPrint;
    m_pA->m_after["Draw"] = [&] {
        const CRect& r = pRoot->GetBounds();
        strDuringPrint = std::to_string(r.Width()) + "x" + std::to_string(r.Height()) + ", A " +
                         std::to_string(m_pA->GetBounds().Width()) + " wide, B " +
                         (pB->IsVisible() ? "shown" : "hidden");
    };
    const int nBDrawn = pB->m_nDrawn;
    pView->OnBeginPrinting(&dc, &info);
    pView->OnPrint(&dc, &info);
    pView->OnEndPrinting(&dc, &info);
    m_pA->m_after.erase("Draw");
    EXPECT_EQ("612x792, A 612 wide, B hidden", strDuringPrint) << "the page in points";
    EXPECT_EQ(nBDrawn, pB->m_nDrawn);
    EXPECT_EQ(crBlue, dc.GetPixel(nDPI / 2, nDPI * 15 / 72)) << "A at 15 points down";
    EXPECT_EQ(RGB(192, 192, 192), dc.GetPixel(nDPI / 2, nDPI * 45 / 72)) << "no B at 45 points down, the root's grey";
    dc.SelectObject(pOldBitmap);

    EXPECT_EQ(rectWindow, pRoot->GetBounds());
    EXPECT_EQ(rectWindow.Width(), m_pA->GetBounds().Width());
    EXPECT_TRUE(pB->IsVisible());
    EXPECT_EQ(CRect(0, 30, rectWindow.Width(), 60), pB->GetBounds());
    pView->UpdateWindow();
    EXPECT_EQ(crRed, PixelOf(pView, CPoint(10, 45))) << "B is back on the screen";
}
