// CBoardDoc: reading a board and making its choices; the new board.
#include "BoardDoc.h"
#include "BackChoice.h"
#include "ChoiceBoardApp.h"
#include "Choice.h"
#include "res/resource.h"

#include "ExceptionText.h"

#include "hoard/sound/Wav.h"
#include "limn/containers/ChoiceLink.h"
#include "limn/containers/Container3DFrame.h"
#include "limn/containers/MainContainerRecord.h"
#include "limn/containers/NamedPictures.h"
#include "limn/containers/WndContainer.h"
#include "limn/pictures/DrawableResource.h"

#include <typeinfo>

IMPLEMENT_DYNCREATE(CBoardDoc, CLimnDoc)

BEGIN_MESSAGE_MAP(CBoardDoc, CLimnDoc)
    ON_COMMAND(ID_EDIT_RESOURCES, OnEditResources)
END_MESSAGE_MAP()

namespace {

// The new board: two rows of three blank choices on the screen's size of 640 by 480.
const int nNewRows = 2;
const int nNewColumns = 3;
const CRect rectNewScreen(0, 0, 640, 480);
const CSize sizeNewGap(8, 8);
const COLORREF crNewChoice = RGB(255, 255, 255);

CWndContainer* NewBlankScreen()
{
    auto* pRoot = new CWndContainer;
    pRoot->SetName("board");
    pRoot->SetArrangeMethod(arrangeVertical);
    pRoot->SetChildGap(sizeNewGap);
    for (int r = 0; r < nNewRows; ++r)
    {
        auto* pRow = new CContainer(pRoot, arrangeHorizontal);
        pRow->SetName(FormatResourceString(IDS_NEW_ROW, r + 1));
        pRow->SetChildGap(sizeNewGap);
        for (int c = 0; c < nNewColumns; ++c)
        {
            auto* pCell = new CContainer(pRow, arrangeNone);
            pCell->SetName(FormatResourceString(IDS_NEW_CHOICE, r * nNewColumns + c + 1));
            pCell->SetFillColor(crNewChoice);
            pCell->SetFrame(new CContainer3DFrame(RGB(160, 160, 160), 4, 1, 140, 140, 60, 60));
        }
    }
    pRoot->SetBounds(rectNewScreen);
    return pRoot;
}

} // namespace

BOOL CBoardDoc::OnNewDocument()
{
    if (!CLimnDoc::OnNewDocument())
        return FALSE;
    SetMainContainer(NewBlankScreen());
    m_nChoices = MakeChoices(m_pMainContainer);
    return TRUE;
}

// A file that is no screen document is refused before it is read, with a message that
// says what it is rather than where the reading stopped.
BOOL CBoardDoc::OnOpenDocument(LPCTSTR lpszPathName)
{
    try
    {
        if (!CMainContainerRecord::IsScreenDocument(lpszPathName))
            return Refuse(IDS_NOT_SCREEN_DOCUMENT, lpszPathName);
    }
    catch (CException* e)
    {
        ReportSaveLoadException(lpszPathName, e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        e->Delete();
        return FALSE;
    }
    if (!CLimnDoc::OnOpenDocument(lpszPathName))
        return FALSE;
    if (m_pMainContainer == NULL || m_pMainContainer->GetChildList().IsEmpty())
        return Refuse(IDS_NO_SCREEN, lpszPathName);
    // The choices find their resources through the tree's document.
    m_pMainContainer->AttachToDoc(this);
    m_nChoices = MakeChoices(m_pMainContainer);
    if (m_nChoices == 0)
        return Refuse(IDS_NO_CHOICES, lpszPathName);
    const BoardTrail* pTrail = GetBoardApp().GetLinks().GetOpeningTrail();
    if (pTrail != NULL && !pTrail->empty())
    {
        m_trail = *pTrail;
        AddBackChoice();
    }
    return TRUE;
}

BOOL CBoardDoc::Refuse(UINT nID, LPCTSTR lpszPathName)
{
    GetBoardApp().Report(FormatResourceString(nID, lpszPathName));
    return FALSE;
}

void CBoardDoc::ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault)
{
    if (bSaving)
    {
        CLimnDoc::ReportSaveLoadException(lpszPathName, e, bSaving, nIDPDefault);
        return;
    }
    if (e != NULL && e->IsKindOf(RUNTIME_CLASS(CUserException)))
        return;
    CString strReason = e != NULL ? ExceptionText(e) : LoadResourceString(nIDPDefault);
    GetBoardApp().Report(FormatResourceString(IDS_CANNOT_READ, lpszPathName, (LPCSTR)strReason));
}

int CBoardDoc::MakeChoices(CContainer* pParent)
{
    int nMade = 0;
    const auto& children = pParent->GetChildList();
    for (POSITION pos = children.GetHeadPosition(); pos != NULL;)
    {
        CContainer* pChild = children.GetNext(pos);
        if (!pChild->GetChildList().IsEmpty() || pChild->GetName().IsEmpty() ||
            typeid(*pChild) != typeid(CContainer))
        {
            nMade += MakeChoices(pChild);
            continue;
        }
        auto* pPicture =
            dynamic_cast<CDrawableResource*>(CChoiceLink::ResourceOf(m_hoard, pChild->GetName(), "CPicture"));
        auto* pSound = dynamic_cast<CWav*>(CChoiceLink::ResourceOf(m_hoard, pChild->GetName(), "CWav"));
        ReplaceLeaf(pChild, new CChoice(pPicture, pSound, &GetBoardApp().GetLog()));
        ++nMade;
    }
    return nMade;
}

void CBoardDoc::OnShown()
{
    if (m_bShown)
        return;
    m_bShown = TRUE;
    GetBoardApp().GetLog().Write("open", GetTitle());
}

// A closing board is no longer shown: activations while it closes are not logged.
void CBoardDoc::OnCloseDocument()
{
    CChoiceBoardApp& app = GetBoardApp();
    app.GetScanningLog().Forget(this);
    app.GetLinks().Forget(this);
    if (m_bShown)
        app.GetLog().Write("close", GetTitle());
    m_bShown = FALSE;
    CLimnDoc::OnCloseDocument();
}

void CBoardDoc::OnEditResources() { EditResources(); }

// Links

void CBoardDoc::FollowLink(const CString& strLink) { GetBoardApp().GetLinks().Request(this, strLink); }

void CBoardDoc::GoBack() { GetBoardApp().GetLinks().RequestBack(this); }

void CBoardDoc::AddBackChoice()
{
    const char szBack[] = "back";
    auto* pPicture = dynamic_cast<CDrawableResource*>(CChoiceLink::ResourceOf(m_hoard, szBack, "CPicture"));
    auto* pSound = dynamic_cast<CWav*>(CChoiceLink::ResourceOf(m_hoard, szBack, "CWav"));
    auto* pBack = new CChoice(pPicture, pSound, &GetBoardApp().GetLog());
    pBack->SetName(szBack);
    pBack->SetBack();
    PlaceBackChoice(m_pMainContainer, pBack);
    m_pBack = std::make_unique<CContainerWatch>(pBack);
    ++m_nChoices;
}

void CBoardDoc::Serialize(CArchive& ar)
{
    CContainer* pBack = m_pBack != NULL ? m_pBack->Get() : NULL;
    if (!ar.IsStoring() || pBack == NULL || m_pMainContainer == NULL)
    {
        CLimnDoc::Serialize(ar);
        return;
    }
    {
        CBackChoiceAside aside(m_pMainContainer, pBack);
        CLimnDoc::Serialize(ar);
    }
    // Writing made the board active while "back" was out of its screen.
    OnActivate();
}
