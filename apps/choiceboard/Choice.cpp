// CChoice.
#include "Choice.h"
#include "BoardDoc.h"
#include "EventLog.h"

#include "hoard/resources/Hoard.h"
#include "hoard/resources/ResourceMessages.h"
#include "hoard/sound/Wav.h"
#include "limn/canvas/Canvas.h"
#include "limn/containers/ChoiceLink.h"
#include "limn/containers/ContainerWatch.h"
#include "limn/pictures/DrawableResource.h"

CChoice* CChoice::s_pSounding = NULL;
BOOL CChoice::s_bFollowWhenDone = FALSE;

namespace {

const int nNameInset = 3;
const int nPressedShift = 2;
const COLORREF crPressed = RGB(255, 204, 0);
const COLORREF crName = RGB(0, 0, 0);
const WORD nNamePoints = 14;

} // namespace

CChoice::CChoice(CDrawableResource* pPicture, CWav* pSound, CEventLog* pLog)
    : CResourceContainer(NULL, pPicture), m_picture(pPicture), m_sound(pSound), m_bPictureFailed(FALSE),
      m_pLog(pLog)
{
}

CChoice::~CChoice()
{
    if (s_pSounding == this)
    {
        s_pSounding = NULL;
        s_bFollowWhenDone = FALSE;
    }
}

const CWav* CChoice::GetSound() const { return dynamic_cast<const CWav*>(m_sound.Get()); }

// The sound comes last: what the selection sets off may stop sounds too.
void CChoice::OnSelect()
{
    if (m_pLog != NULL)
        m_pLog->Write("select", GetName());
    CContainerWatch watchThis(this);
    CContainer::OnSelect();
    if (watchThis.Get() == NULL)
        return;
    s_bFollowWhenDone = FALSE;
    const CWav* pSound = GetSound();
    if (pSound == NULL || !pSound->CanPlay())
    {
        FollowLink();
        return;
    }
    // The sound that plays ends first, calling back for its own choice; a callback
    // during Play can then only say that this sound could not start.
    CWav::StopAllSound();
    s_pSounding = this;
    s_bFollowWhenDone = LeadsToBoard();
    pSound->Play(FALSE, OnSoundDone);
    if (s_pSounding != this)
        return;
    ForceRedraw(FALSE, NULL);
    if (m_pLog != NULL)
        m_pLog->Write("play", pSound->GetName());
}

void CChoice::OnSoundDone(CWav*)
{
    CChoice* pChoice = s_pSounding;
    const BOOL bFollow = s_bFollowWhenDone;
    s_pSounding = NULL;
    s_bFollowWhenDone = FALSE;
    if (pChoice == NULL)
        return;
    pChoice->ForceRedraw(FALSE, NULL);
    if (bFollow)
        pChoice->FollowLink();
}

// Links

CString CChoice::GetLinkedBoard()
{
    CHoard* pHoard = GetHoard();
    CChoiceLink* pLink = pHoard != NULL ? CChoiceLink::Find(*pHoard, GetName()) : NULL;
    return pLink != NULL ? pLink->GetBoard() : CString();
}

void CChoice::FollowLink()
{
    auto* pBoard = dynamic_cast<CBoardDoc*>(GetDocument());
    if (pBoard == NULL)
        return;
    if (m_bBack)
        pBoard->GoBack();
    else if (CString strBoard = GetLinkedBoard(); !strBoard.IsEmpty())
        pBoard->FollowLink(strBoard);
}

// Changes

BOOL CChoice::IsMine(const CHoard* pHoard, const char* pszName)
{
    return pHoard != NULL && pHoard == GetHoard() && GetName().CompareNoCase(pszName) == 0;
}

void CChoice::OnMessage(Message* pMsg)
{
    BOOL bMine = FALSE;
    if (auto* pAdded = dynamic_cast<MsgAddedResource*>(pMsg))
        bMine = IsMine(pAdded->m_pResource->GetHoard(), pAdded->m_pResource->GetName());
    else if (auto* pEdited = dynamic_cast<MsgEditedResource*>(pMsg))
        bMine = IsMine(pEdited->m_pResource->GetHoard(), pEdited->m_pResource->GetName());
    else if (auto* pRenamed = dynamic_cast<MsgRenamedResource*>(pMsg))
        bMine = IsMine(pRenamed->m_pResource->GetHoard(), pRenamed->m_pszOldName) ||
                IsMine(pRenamed->m_pResource->GetHoard(), pRenamed->m_pszNewName);
    else if (auto* pDeleted = dynamic_cast<MsgDeletedResource*>(pMsg))
        bMine = IsMine(GetHoard(), pDeleted->m_strName);
    if (!bMine)
        return;
    CHoard* pHoard = GetHoard();
    m_picture = CChoiceLink::ResourceOf(*pHoard, GetName(), "CPicture");
    m_sound = CChoiceLink::ResourceOf(*pHoard, GetName(), "CWav");
    m_bPictureFailed = FALSE;
    Invalidate();
}

// Drawing

void CChoice::DrawContents(CCanvas& canvas)
{
    CRect rect;
    GetClientRect(&rect);
    const BOOL bPressed = m_nState == statePressed || IsSounding();
    if (bPressed)
    {
        canvas.SetBrush(crPressed, FALSE);
        // A rectangle filled without a pen stops a pixel short of its right and bottom.
        canvas.FillRectangle(CRect(rect.left, rect.top, rect.right + 1, rect.bottom + 1));
        rect.OffsetRect(nPressedShift, nPressedShift);
    }
    // The resource container draws what the followed pointer names now.
    m_pResource = m_bPictureFailed ? NULL : dynamic_cast<CDrawableResource*>(m_picture.Get());
    if (m_pResource != NULL)
    {
        const CPoint origin = canvas.GetOrigin();
        if (bPressed)
            canvas.OffsetOrigin(CPoint(nPressedShift, nPressedShift));
        try
        {
            CResourceContainer::DrawContents(canvas);
            canvas.SetOrigin(origin);
            return;
        }
        catch (CException* e)
        {
            e->Delete();
            m_bPictureFailed = TRUE;
            canvas.SetOrigin(origin);
        }
    }
    rect.DeflateRect(nNameInset, nNameInset);
    DrawName(canvas, rect);
}

void CChoice::DrawName(CCanvas& canvas, const CRect& rect)
{
    canvas.SetFont(nNamePoints, "Arial", TRUE, FALSE, FALSE);
    COLORREF crOld = canvas.SetTextColor(crName);
    CRect rectText = rect;
    CSize size = canvas.GetTextDimensions(GetName(), rect.Width());
    if (size.cy < rect.Height())
        rectText.top += (rect.Height() - size.cy) / 2;
    canvas.DrawText(GetName(), rectText, TRUE, textTransparent);
    canvas.SetTextColor(crOld);
}
