// CContainer: construction and ownership, the tree, visibility and printing, appearance,
// invalidation and the messages passed down the tree.
#include "limn/containers/Container.h"
#include "limn/containers/ChildWalk.h"
#include "limn/containers/ContainerFrame.h"
#include "limn/containers/ContainerMessages.h"
#include "limn/containers/ContainerWatch.h"

#include <initializer_list>

IMPLEMENT_SERIAL(CContainer, CObject, 0)

BOOL CContainer::m_bDisableAllAutoArrange = FALSE;
CContainer* CContainer::m_pMouseCapture = NULL;
CContainer* CContainer::m_pKeyCapture = NULL;
CContainer* CContainer::m_pMouseEntered = NULL;
CContainer* CContainer::m_pLastEntered = NULL;
CEventState CContainer::m_lastEventState;

CContainer::CContainer(CContainer* pParent, ArrangeMethod method)
    : m_pParent(NULL), m_bVisible(TRUE), m_bVisibleBeforePrint(TRUE), m_pFrame(NULL), m_pSavedFrame(NULL),
      m_bFill(FALSE), m_colorFill(RGB(0, 0, 0)), m_bDisableAutoArrange(FALSE), m_bPrintable(TRUE),
      m_bSortChildren(FALSE), m_childList(10), m_nState(stateNormal), m_arrangeMethod(method),
      m_sizeMinimum(1, 1), m_sizePreferred(-1, -1), m_sizeChildGap(0, 0), m_sizeStep(1, 1),
      m_bFixedAlongAxis(FALSE), m_bScanHilitePrepared(FALSE), m_pWalks(NULL), m_nReadLayout(0),
      m_bReadMinimumKnown(FALSE), m_sizeReadMinimum(0, 0)
{
    SetParent(pParent);
}

CContainer::CContainer() : CContainer(NULL, arrangeNone) {}

CContainer::~CContainer()
{
    for (CChildWalk* pWalk = m_pWalks; pWalk != NULL; pWalk = pWalk->m_pOuter)
        pWalk->m_pContainer = NULL;
    for (CContainer** ppStatic : { &m_pMouseCapture, &m_pKeyCapture, &m_pMouseEntered, &m_pLastEntered })
    {
        if (*ppStatic == this)
            *ppStatic = NULL;
    }
    CContainerWatch::OnDestroy(this);
    ForgetScanning();
    // A parent must not keep a pointer to a destroyed child; it is not re-arranged.
    if (m_pParent != NULL)
    {
        POSITION pos = m_pParent->m_childList.Find(this);
        if (pos != NULL)
            m_pParent->UnlinkChildAt(pos);
    }
    while (!m_childList.IsEmpty())
    {
        CContainer* pChild = m_childList.RemoveHead();
        pChild->m_pParent = NULL;
        delete pChild;
    }
    delete m_pFrame;
    delete m_pSavedFrame;
}

// Context

CLimnDoc* CContainer::GetDocument() { return m_pParent != NULL ? m_pParent->GetDocument() : NULL; }

CWnd* CContainer::GetWindowPtr() { return m_pParent != NULL ? m_pParent->GetWindowPtr() : NULL; }

void CContainer::OnMessage(Message*) {}

void CContainer::BroadcastMessage(Message* pMsg)
{
    CChildWalk walk(this);
    OnMessage(pMsg);
    while (CContainer* pChild = walk.Next())
        pChild->BroadcastMessage(pMsg);
}

void CContainer::Idle(DWORD dwNow)
{
    CChildWalk walk(this);
    OnIdle(dwNow);
    while (CContainer* pChild = walk.Next())
        pChild->Idle(dwNow);
}

void CContainer::OnIdle(DWORD) {}

void CContainer::OnActivate(int bActive)
{
    CChildWalk walk(this);
    while (CContainer* pChild = walk.Next())
        pChild->OnActivate(bActive);
}

void CContainer::OnSelect() { MsgContainerSelected(this).Broadcast(); }

// Tree

CContainer* CContainer::GetTopParent()
{
    CContainer* pTop = this;
    while (pTop->m_pParent != NULL)
        pTop = pTop->m_pParent;
    return pTop;
}

BOOL CContainer::IsWithin(const CContainer* pContainer) const
{
    for (const CContainer* p = this; p != NULL; p = p->m_pParent)
    {
        if (p == pContainer)
            return TRUE;
    }
    return FALSE;
}

// AddChild takes the container out of its old parent first.
void CContainer::SetParent(CContainer* pParent)
{
    if (pParent == m_pParent)
        return;
    if (pParent != NULL)
        pParent->AddChild(this);
    else
        m_pParent->RemoveChild(this);
}

// Linking comes after the old parent's layout; the layouts may destroy either container.
void CContainer::AddChild(CContainer* pChild, int bAtHead)
{
    if (pChild->m_pParent == this || !DetachToLink(pChild))
        return;

    NoteTreeChange();
    if (m_bSortChildren)
    {
        // Before the first child whose name is not smaller: after equal names, never.
        POSITION pos = m_childList.GetHeadPosition();
        while (pos != NULL && m_childList.GetAt(pos)->m_strName.CompareNoCase(pChild->m_strName) < 0)
            m_childList.GetNext(pos);
        if (pos != NULL)
            m_childList.InsertBefore(pos, pChild);
        else
            m_childList.AddTail(pChild);
    }
    else if (bAtHead)
    {
        m_childList.AddHead(pChild);
    }
    else
    {
        m_childList.AddTail(pChild);
    }
    pChild->m_pParent = this;
    CContainerWatch watchChild(pChild);
    ArrangeChildren();
    if (watchChild.Get() != NULL)
        pChild->Invalidate();
}

BOOL CContainer::DetachToLink(CContainer* pChild)
{
    // A container inside its own subtree would make the tree a cycle.
    ASSERT(!IsWithin(pChild));
    if (IsWithin(pChild))
        return FALSE;
    if (pChild->m_pParent == NULL)
        return TRUE;
    CContainerWatch watchThis(this), watchChild(pChild);
    pChild->m_pParent->RemoveChild(pChild);
    return watchThis.Get() != NULL && watchChild.Get() != NULL && pChild->m_pParent == NULL && !IsWithin(pChild);
}

// The layout may destroy pChild.
void CContainer::RemoveChild(CContainer* pChild)
{
    POSITION pos = m_childList.Find(pChild);
    if (pos != NULL)
    {
        pChild->Invalidate();
        UnlinkChildAt(pos);
        pChild->m_pParent = NULL;
    }
    CContainerWatch watchChild(pos != NULL ? pChild : NULL);
    ArrangeChildren();
    if (watchChild.Get() != NULL)
        pChild->LayOutIfWaiting();
}

// pOld is found again after pNew left its old parent, whose layout may destroy or move it;
// the layouts may destroy either.
void CContainer::ReplaceChild(CContainer* pOld, CContainer* pNew)
{
    if (pNew == pOld || !Contains(pOld))
        return;
    CContainerWatch watchOld(pOld);
    if (!DetachToLink(pNew) || watchOld.Get() == NULL)
        return;
    POSITION pos = m_childList.Find(pOld);
    if (pos == NULL)
        return;
    pOld->Invalidate();
    NoteTreeChange();
    m_childList.SetAt(pos, pNew);
    pOld->m_pParent = NULL;
    pNew->m_pParent = this;
    CContainerWatch watchNew(pNew);
    ArrangeChildren();
    if (watchNew.Get() != NULL)
        pNew->Invalidate();
    if (watchOld.Get() != NULL)
        pOld->LayOutIfWaiting();
}

// A child's destructor may destroy containers, this one too.
void CContainer::RemoveAllChildren()
{
    CContainerWatch watchThis(this);
    BOOL bAnyVisible = FALSE;
    while (watchThis.Get() != NULL && !m_childList.IsEmpty())
    {
        CContainer* pChild = m_childList.GetHead();
        UnlinkChildAt(m_childList.GetHeadPosition());
        bAnyVisible |= pChild->m_bVisible;
        pChild->m_pParent = NULL;
        delete pChild;
    }
    if (watchThis.Get() != NULL && bAnyVisible)
        Invalidate();
}

void CContainer::UnlinkChildAt(POSITION pos)
{
    NoteTreeChange();
    for (CChildWalk* pWalk = m_pWalks; pWalk != NULL; pWalk = pWalk->m_pOuter)
    {
        if (pWalk->m_posNext == pos)
            m_childList.GetNext(pWalk->m_posNext);
    }
    m_childList.RemoveAt(pos);
}

// The layout after the removal may destroy either container, or link pChild elsewhere.
void CContainer::MoveChildInList(CContainer* pChild, int bAtHead)
{
    if (!Contains(pChild))
        return;
    CContainerWatch watchThis(this), watchChild(pChild);
    RemoveChild(pChild);
    if (watchThis.Get() != NULL && watchChild.Get() != NULL && pChild->m_pParent == NULL)
        AddChild(pChild, bAtHead);
}

BOOL CContainer::Contains(const CContainer* pChild) const
{
    return m_childList.Find(const_cast<CContainer*>(pChild)) != NULL;
}

int CContainer::GetNumVisibleChildren() const
{
    int n = 0;
    for (POSITION pos = m_childList.GetHeadPosition(); pos != NULL;)
        n += m_childList.GetNext(pos)->m_bVisible != 0;
    return n;
}

CContainer* CContainer::FindSubContainer(const char* pszClassName, const char* pszName)
{
    if ((pszClassName == NULL || CString(GetRuntimeClass()->m_lpszClassName).CompareNoCase(pszClassName) == 0) &&
        (pszName == NULL || m_strName.CompareNoCase(pszName) == 0))
        return this;
    for (POSITION pos = m_childList.GetHeadPosition(); pos != NULL;)
    {
        if (CContainer* pFound = m_childList.GetNext(pos)->FindSubContainer(pszClassName, pszName))
            return pFound;
    }
    return NULL;
}

CContainer* CContainer::FindContainer(const char* pszClassName, const char* pszName)
{
    return GetTopParent()->FindSubContainer(pszClassName, pszName);
}

// Visibility, enabling, printing

// The parent's layout may destroy this container.
void CContainer::SetVisible(int bVisible, int bInvalidate)
{
    BYTE bNew = bVisible != 0;
    if (bNew == m_bVisible)
        return;
    if (bInvalidate && m_bVisible)
        Invalidate();
    NoteTreeChange();
    m_bVisible = bNew;
    if (bInvalidate && m_bVisible)
        Invalidate();
    if (m_pParent != NULL)
    {
        CContainerWatch watchThis(this);
        m_pParent->ArrangeChildren();
        if (watchThis.Get() == NULL)
            return;
    }
    if (m_bVisible)
        OnShow();
    else
        OnHide();
}

BOOL CContainer::IsReallyVisible() const
{
    for (const CContainer* p = this; p != NULL; p = p->m_pParent)
    {
        if (!p->m_bVisible)
            return FALSE;
    }
    return TRUE;
}

void CContainer::OnShow()
{
    CChildWalk walk(this);
    while (CContainer* pChild = walk.Next())
    {
        if (pChild->m_bVisible)
            pChild->OnShow();
    }
}

void CContainer::OnHide()
{
    CChildWalk walk(this);
    while (CContainer* pChild = walk.Next())
    {
        if (pChild->m_bVisible)
            pChild->OnHide();
    }
}

void CContainer::SetEnable(int bEnable)
{
    BOOL bEnabled = m_nState != stateDisabled;
    if (!bEnable == !bEnabled)
        return;
    m_nState = bEnable ? stateNormal : stateDisabled;
    ForceRedraw(FALSE, NULL);
}

void CContainer::OnBeginPrint(CPrintInfo* pInfo)
{
    CChildWalk walk(this);
    m_bVisibleBeforePrint = m_bVisible;
    if (!m_bPrintable)
        SetVisible(FALSE, TRUE);
    while (CContainer* pChild = walk.Next())
        pChild->OnBeginPrint(pInfo);
}

void CContainer::OnEndPrint(CPrintInfo* pInfo)
{
    CChildWalk walk(this);
    if (!m_bPrintable)
        SetVisible(m_bVisibleBeforePrint, TRUE);
    while (CContainer* pChild = walk.Next())
        pChild->OnEndPrint(pInfo);
}

// Appearance

void CContainer::SetFillColor(COLORREF color)
{
    m_bFill = TRUE;
    m_colorFill = color;
}

COLORREF CContainer::GetFillColor() const
{
    const CContainer* p = this;
    while (!p->m_bFill && p->m_pParent != NULL)
        p = p->m_pParent;
    return p->m_colorFill;
}

void CContainer::SetFrame(CContainerFrame* pFrame)
{
    if (pFrame == m_pFrame)
        return;
    NoteTreeChange();
    delete m_pFrame;
    m_pFrame = pFrame;
}

int CContainer::FrameWidth() const { return m_pFrame != NULL ? m_pFrame->GetWidth() : 0; }

// Invalidation

// A container waiting for the layout of the tree it was read with is passed by: that
// tree is invalidated whole when it was laid out.
void CContainer::Invalidate()
{
    if (AwaitsReadLayout())
        return;
    CRect rect;
    GetClientRect(&rect);
    if (!IsReallyVisible() || rect.IsRectEmpty())
        return;
    int nGrow = FrameWidth() + (m_nState == stateScanFocus ? scanHiliteWidth : 0);
    rect.InflateRect(nGrow, nGrow);
    Invalidate(rect);
}

void CContainer::Invalidate(const CRect& rect)
{
    if (m_pParent == NULL || rect.IsRectEmpty())
        return;
    CRect rectWindow = rect;
    ClientToWindow(&rectWindow);
    GetTopParent()->Invalidate(rectWindow);
}

void CContainer::ForceRedraw(int nFlag, CContainer* pContainer)
{
    if (m_pParent != NULL)
        GetTopParent()->ForceRedraw(nFlag, pContainer != NULL ? pContainer : this);
}
