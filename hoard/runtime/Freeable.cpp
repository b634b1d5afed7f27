// CFreeable: the list of freeable objects in order of use, and the walk that asks
// them to release memory.
#include "hoard/runtime/Freeable.h"

CPtrList CFreeable::m_listFreeable(10);

namespace {

// The walk of FreeSomeMemory in progress: whether one runs, and the entry it asks
// next. An object may destroy or move freeable objects from inside FreeUnusedMemory;
// Unlink then steps this entry past the one that leaves.
BOOL g_bFreeing = FALSE;
POSITION g_posWalkNext = NULL;

// Ends the walk, also when FreeUnusedMemory throws.
struct CWalkGuard
{
    CWalkGuard() { g_bFreeing = TRUE; }
    ~CWalkGuard()
    {
        g_bFreeing = FALSE;
        g_posWalkNext = NULL;
    }
};

} // namespace

CFreeable::CFreeable() { m_listFreeable.AddHead(this); }

CFreeable::CFreeable(const CFreeable&) { m_listFreeable.AddHead(this); }

CFreeable::~CFreeable()
{
    POSITION pos = m_listFreeable.Find(this);
    if (pos != NULL)
        Unlink(pos);
}

void CFreeable::Unlink(POSITION pos)
{
    if (pos == g_posWalkNext)
        m_listFreeable.GetPrev(g_posWalkNext);
    m_listFreeable.RemoveAt(pos);
}

void CFreeable::MoveTo(BOOL bHead) const
{
    CFreeable* pThis = const_cast<CFreeable*>(this);
    POSITION pos = m_listFreeable.Find(pThis);
    ASSERT(pos != NULL);
    if (pos == (bHead ? m_listFreeable.GetHeadPosition() : m_listFreeable.GetTailPosition()))
        return;
    // The list holds at least two entries, so the node freed here is taken again
    // at once and the move cannot fail for memory.
    Unlink(pos);
    if (bHead)
        m_listFreeable.AddHead(pThis);
    else
        m_listFreeable.AddTail(pThis);
}

void CFreeable::Freshen() const { MoveTo(TRUE); }

void CFreeable::MakeExpendable() const { MoveTo(FALSE); }

DWORD CFreeable::FreeSomeMemory(BOOL bAll)
{
    if (m_listFreeable.IsEmpty() || g_bFreeing)
        return 0;
    CWalkGuard guard;
    DWORD dwTotal = 0;
    for (POSITION pos = m_listFreeable.GetTailPosition(); pos != NULL; pos = g_posWalkNext)
    {
        g_posWalkNext = pos;
        CFreeable* pFreeable = static_cast<CFreeable*>(m_listFreeable.GetPrev(g_posWalkNext));
        DWORD dwFreed = pFreeable->FreeUnusedMemory();
        if (dwFreed != 0)
        {
            dwTotal += dwFreed;
            if (!bAll)
                break;
        }
    }
    return dwTotal;
}
