// CContainerWatch: a pointer to a container that becomes NULL when the container is
// destroyed. Code that calls out to handlers which may destroy containers (a selection
// that replaces the screen, a click that closes the document) keeps watches on the stack
// for the containers it goes on to use.
#pragma once

#include "limn/limn_api.h"

class CContainer;

class LIMN_API CContainerWatch
{
public:
    explicit CContainerWatch(CContainer* pContainer);
    ~CContainerWatch();
    CContainerWatch(const CContainerWatch&) = delete;
    CContainerWatch& operator=(const CContainerWatch&) = delete;

    // The container, or NULL once it was destroyed.
    CContainer* Get() const { return m_pContainer; }

    // Clears every watch of pContainer; its destructor calls it.
    static void OnDestroy(const CContainer* pContainer);

private:
    CContainer* m_pContainer;
    CContainerWatch* m_pNext;
    static CContainerWatch* m_pFirst;   // the watches alive, newest first
};
