// CDisableArrangeBlock.
#include "limn/containers/DisableArrangeBlock.h"
#include "limn/containers/Container.h"

CDisableArrangeBlock::CDisableArrangeBlock(CContainer* pContainer) : m_pContainer(pContainer)
{
    BOOL& bFlag = pContainer != NULL ? pContainer->m_bDisableAutoArrange : CContainer::m_bDisableAllAutoArrange;
    m_bSaved = bFlag;
    bFlag = TRUE;
}

CDisableArrangeBlock::~CDisableArrangeBlock()
{
    if (m_pContainer == NULL)
    {
        CContainer::m_bDisableAllAutoArrange = m_bSaved;
        return;
    }
    m_pContainer->m_bDisableAutoArrange = m_bSaved;
    m_pContainer->ArrangeChildren();
    m_pContainer->Invalidate();
}
