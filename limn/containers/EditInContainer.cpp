// CEditInContainer: reflected focus notifications and typed characters as broadcasts.
#include "limn/containers/EditInContainer.h"
#include "limn/containers/ContainerEdit.h"
#include "limn/containers/ContainerMessages.h"

BEGIN_MESSAGE_MAP(CEditInContainer, CRichEditCtrl)
    ON_CONTROL_REFLECT(EN_SETFOCUS, OnSetFocusNotify)
    ON_CONTROL_REFLECT(EN_KILLFOCUS, OnKillFocusNotify)
    ON_WM_CHAR()
END_MESSAGE_MAP()

CEditInContainer::CEditInContainer(CContainerEdit* pContainer)
    : m_pContainer(pContainer), m_nNotify(notifyEnter), m_pWatch(NULL)
{
}

CEditInContainer::~CEditInContainer()
{
    for (CDestroyWatch* pWatch = m_pWatch; pWatch != NULL; pWatch = pWatch->pOuter)
        pWatch->bDestroyed = TRUE;
}

void CEditInContainer::OnSetFocusNotify()
{
    if (m_nNotify == notifyAll)
        MsgFocusChange(m_pContainer, TRUE).Broadcast();
}

void CEditInContainer::OnKillFocusNotify()
{
    if (m_nNotify == notifyAll)
        MsgFocusChange(m_pContainer, FALSE).Broadcast();
}

// A receiver of the character may destroy the container, and this object with it (on
// Enter an activity often moves on to another screen): nothing of this object is
// touched once that happened, and no message names the destroyed container.
void CEditInContainer::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    CRichEditCtrl::OnChar(nChar, nRepCnt, nFlags);
    const int nNotify = m_nNotify;
    CContainerEdit* const pContainer = m_pContainer;
    CDestroyWatch watch = { FALSE, m_pWatch };
    m_pWatch = &watch;
    if (nNotify == notifyAll || (nNotify == notifyEnter && nChar == '\r'))
        MsgEditChar(pContainer, (char)nChar).Broadcast();
    if (!watch.bDestroyed && nNotify == notifyAll)
        MsgValueChange(pContainer).Broadcast();
    if (!watch.bDestroyed)
        m_pWatch = watch.pOuter;
}
