// CChildWalk: a walk through a container's children, head first, for code that calls out
// to handlers on the way, any of which may link, unlink or destroy containers. The walk
// takes the head at its first step, so that it finds the children as the calls before
// that step left them. From there a child that leaves the list before its turn is passed
// by and one linked behind the walk's place is visited too, until the walk has taken the
// last child; the walk ends when the container itself is destroyed. The container keeps
// its walks in a chain: it moves them past a child it unlinks, and tells them when it
// dies.
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
    BOOL m_bStarted;            // the first step was taken
    POSITION m_posNext;         // the child whose turn comes next; NULL before the first step
    CChildWalk* m_pOuter;       // the container's walk begun before this one
};
