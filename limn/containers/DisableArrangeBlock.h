// CDisableArrangeBlock: suspends layout for its lifetime, around bulk changes. Made for a
// container it suspends that container's arrangement, and on leaving re-arranges and
// invalidates it once, unless the container was destroyed; made for NULL it suspends
// arrangement in every container.
#pragma once

#include "limn/containers/ContainerWatch.h"
#include "limn/limn_api.h"

class CContainer;

class LIMN_API CDisableArrangeBlock
{
public:
    explicit CDisableArrangeBlock(CContainer* pContainer);
    ~CDisableArrangeBlock();
    CDisableArrangeBlock(const CDisableArrangeBlock&) = delete;
    CDisableArrangeBlock& operator=(const CDisableArrangeBlock&) = delete;

private:
    CContainerWatch m_watch;    // the container; NULL for every container, or once destroyed
    BOOL m_bAll;                // made for every container
    BOOL m_bSaved;              // the flag's value before the block
};
