// CBoardLinks: the waiting request, and the replacement of a board by the one it links
// to or came from.
#include "BoardLinks.h"
#include "BoardLinkPath.h"
#include "BoardDoc.h"
#include "ChoiceBoardApp.h"
#include "res/resource.h"

#include "limn/scanning/ContainerHooks.h"

namespace {

CFrameWnd* FrameOf(CDocument* pDoc)
{
    POSITION pos = pDoc->GetFirstViewPosition();
    CView* pView = pos != NULL ? pDoc->GetNextView(pos) : NULL;
    return pView != NULL ? pView->GetParentFrame() : NULL;
}

// Points the opening trail at a trail for as long as a board is read, whatever throws.
class COpeningTrail
{
public:
    COpeningTrail(const BoardTrail*& pOpening, const BoardTrail& trail) : m_pOpening(pOpening)
    {
        m_pOpening = &trail;
    }
    ~COpeningTrail() { m_pOpening = NULL; }
    COpeningTrail(const COpeningTrail&) = delete;
    COpeningTrail& operator=(const COpeningTrail&) = delete;

private:
    const BoardTrail*& m_pOpening;
};

} // namespace

// Requests

void CBoardLinks::Request(CBoardDoc* pFrom, const CString& strLink) { Post(pFrom, strLink, FALSE); }

void CBoardLinks::RequestBack(CBoardDoc* pFrom) { Post(pFrom, CString(), TRUE); }

void CBoardLinks::Post(CBoardDoc* pFrom, const CString& strLink, BOOL bBack)
{
    m_pFrom = pFrom;
    m_strLink = strLink;
    m_bBack = bBack;
    if (CWnd* pMain = AfxGetMainWnd())
        pMain->PostMessage(WM_FOLLOWLINK);
}

void CBoardLinks::Forget(const CBoardDoc* pDoc)
{
    if (m_pFrom == pDoc)
        m_pFrom = NULL;
}

// Following

BOOL CBoardLinks::FollowPending()
{
    if (m_pFrom == NULL)
        return TRUE;
    CWnd* pMain = AfxGetMainWnd();
    if (pMain == NULL || !pMain->IsWindowEnabled() || m_bInMenuLoop)
        return FALSE;
    CBoardDoc* pFrom = m_pFrom;
    const CString strLink = m_strLink;
    const BOOL bBack = m_bBack;
    m_pFrom = NULL;
    CChoiceBoardApp& app = GetBoardApp();

    BoardTrail trail = pFrom->GetTrail();
    CString strPath;
    if (bBack)
    {
        if (trail.empty())
            return TRUE;
        strPath = trail.back();
        trail.pop_back();
    }
    else
    {
        if (!ResolveBoardLink(pFrom->GetPathName(), strLink, &strPath))
        {
            app.Report(FormatResourceString(IDS_LINK_OUTSIDE, (LPCSTR)pFrom->GetPathName(), (LPCSTR)strLink));
            return TRUE;
        }
        trail.push_back(pFrom->GetPathName());
    }
    if (!pFrom->SaveModified())
        return TRUE;

    // The template opens a document of its own even when the file shows elsewhere, so
    // the board comes up here whatever other windows show.
    CDocument* pNew;
    {
        COpeningTrail opening(m_pOpeningTrail, trail);
        pNew = pFrom->GetDocTemplate()->OpenDocumentFile(strPath);
    }
    if (pNew == NULL)
        return TRUE;
    TakePlace(pNew, pFrom);
    pFrom->OnCloseDocument();
    app.GetScanningLog().Note();
    app.GetLog().Write("board", pNew->GetTitle());
    return TRUE;
}

// A maximized board has the whole client area, where the new one came up maximized too.
void CBoardLinks::TakePlace(CDocument* pNew, CDocument* pOld)
{
    CFrameWnd* pNewFrame = FrameOf(pNew);
    CFrameWnd* pOldFrame = FrameOf(pOld);
    if (pNewFrame == NULL || pOldFrame == NULL || pOldFrame->IsZoomed() || pNewFrame->IsZoomed())
        return;
    CRect rectOld;
    pOldFrame->GetWindowRect(&rectOld);
    pOldFrame->GetParent()->ScreenToClient(&rectOld);
    pNewFrame->SetWindowPos(NULL, rectOld.left, rectOld.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
