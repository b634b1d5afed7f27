// CContainerWatch: the watches alive form a list, newest first.
#include "limn/containers/ContainerWatch.h"

CContainerWatch* CContainerWatch::m_pFirst = NULL;

CContainerWatch::CContainerWatch(CContainer* pContainer) : m_pContainer(pContainer), m_pNext(m_pFirst)
{
    m_pFirst = this;
}

CContainerWatch::~CContainerWatch()
{
    for (CContainerWatch** ppLink = &m_pFirst; *ppLink != NULL; ppLink = &(*ppLink)->m_pNext)
    {
        if (*ppLink == this)
        {
            *ppLink = m_pNext;
            return;
        }
    }
}

void CContainerWatch::OnDestroy(const CContainer* pContainer)
{
    for (CContainerWatch* pWatch = m_pFirst; pWatch != NULL; pWatch = pWatch->m_pNext)
    {
        if (pWatch->m_pContainer == pContainer)
            pWatch->m_pContainer = NULL;
    }
}
