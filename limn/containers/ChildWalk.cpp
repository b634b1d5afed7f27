// CChildWalk: the walks through one container's children form a chain in it, the latest
// first.
#include "limn/containers/ChildWalk.h"
#include "limn/containers/Container.h"

CChildWalk::CChildWalk(CContainer* pContainer)
    : m_pContainer(pContainer), m_posVisited(NULL), m_pOuter(pContainer->m_pWalks)
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

// The child after the one visited last, looked up only now: children linked behind it
// since are found, at the tail too.
CContainer* CChildWalk::Next()
{
    if (m_pContainer == NULL)
        return NULL;
    const auto& children = m_pContainer->m_childList;
    POSITION pos = m_posVisited;
    if (pos == NULL)
        pos = children.GetHeadPosition();
    else
        children.GetNext(pos);
    if (pos == NULL)
        return NULL;
    m_posVisited = pos;
    return children.GetAt(pos);
}
