// CDisableArrangeBlock.
#include "limn/containers/DisableArrangeBlock.h"
#include "limn/containers/Container.h"

CDisableArrangeBlock::CDisableArrangeBlock(CContainer* pContainer) : m_watch(pContainer), m_bAll(pContainer == NULL)
{
    BOOL& bFlag = pContainer != NULL ? pContainer->m_bDisableAutoArrange : CContainer::m_bDisableAllAutoArrange;
    m_bSaved = bFlag;
    bFlag = TRUE;
}

CDisableArrangeBlock::~CDisableArrangeBlock()
{
    if (m_bAll)
    {
        CContainer::m_bDisableAllAutoArrange = m_bSaved;
        return;
    }
    CContainer* pContainer = m_watch.Get();
    if (pContainer == NULL)
        return;
    pContainer->m_bDisableAutoArrange = m_bSaved;
    pContainer->ArrangeAndInvalidate();
}
