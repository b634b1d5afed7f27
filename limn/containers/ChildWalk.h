// CChildWalk: a walk through a container's children, head first, for code that calls out
// to handlers on the way, any of which may unlink or destroy containers. A child that
// leaves the list before its turn is passed by, one linked behind the walk's place is
// visited too, and the walk ends when the container itself is destroyed. The container
// keeps its walks in a chain: it moves them back from a child it unlinks to the one
// before, and tells them when it dies.
#pragma once

#include "limn/limn_api.h"

class CContainer;

class CChildWalk
{
public:
    // Begun before the first call out, so that the walk learns of everything after it.
    explicit CChildWalk(CContainer* pContainer);
    // Walks end in the reverse order of their beginning: they live on the stack.
    ~CChildWalk();
    CChildWalk(const CChildWalk&) = delete;
    CChildWalk& operator=(const CChildWalk&) = delete;

    // The next child, or NULL at the end of the list and once the container is gone.
    CContainer* Next();
    // Whether the container still exists.
    BOOL IsAlive() const { return m_pContainer != NULL; }

private:
    friend class CContainer;

    CContainer* m_pContainer;   // NULL once it was destroyed
    POSITION m_posVisited;      // the child visited last; NULL before the first
    CChildWalk* m_pOuter;       // the container's walk begun before this one
};
