// CChildWalk: the walks through one container's children form a chain in it, the latest
// first.
#include "limn/containers/ChildWalk.h"
#include "limn/containers/Container.h"

CChildWalk::CChildWalk(CContainer* pContainer)
    : m_pContainer(pContainer), m_bStarted(FALSE), m_posNext(NULL), m_pOuter(pContainer->m_pWalks)
{
    pContainer->m_pWalks = this;
}

CChildWalk::~CChildWalk()
{
    if (m_pContainer == NULL)
        return;
    ASSERT(m_pContainer->m_pWalks == this);
    m_pContainer->m_pWalks = m_pOuter;
}

CContainer* CChildWalk::Next()
{
    if (m_pContainer == NULL)
        return NULL;
    if (!m_bStarted)
    {
        m_bStarted = TRUE;
        m_posNext = m_pContainer->m_childList.GetHeadPosition();
    }
    if (m_posNext == NULL)
        return NULL;
    return m_pContainer->m_childList.GetNext(m_posNext);
}
