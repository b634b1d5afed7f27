// Message::Broadcast and the registry of receivers.
#include "hoard/runtime/Message.h"

CPtrList CMessageReceiver::m_listReceivers(10);

namespace {

// The broadcasts in progress, innermost first. Each remembers the entry it will visit
// next, so that a receiver destroyed during a broadcast (itself or another) can move
// that entry on before its node goes away.
struct BroadcastWalk
{
    POSITION posNext;
    BroadcastWalk* pOuter;
};
BroadcastWalk* g_pInnermostWalk = NULL;

} // namespace

Message::~Message() = default;

void Message::Broadcast()
{
    CPtrList& list = CMessageReceiver::m_listReceivers;
    BroadcastWalk walk = { list.GetHeadPosition(), g_pInnermostWalk };
    g_pInnermostWalk = &walk;
    try
    {
        while (walk.posNext != NULL)
        {
            auto* pReceiver = static_cast<CMessageReceiver*>(list.GetNext(walk.posNext));
            pReceiver->OnMessage(this);
        }
    }
    catch (...)
    {
        g_pInnermostWalk = walk.pOuter;
        throw;
    }
    g_pInnermostWalk = walk.pOuter;
}

CMessageReceiver::CMessageReceiver() { m_listReceivers.AddTail(this); }

CMessageReceiver::CMessageReceiver(const CMessageReceiver&) { m_listReceivers.AddTail(this); }

CMessageReceiver::~CMessageReceiver()
{
    POSITION pos = m_listReceivers.Find(this);
    if (pos == NULL)
        return;
    for (BroadcastWalk* pWalk = g_pInnermostWalk; pWalk != NULL; pWalk = pWalk->pOuter)
    {
        if (pWalk->posNext == pos)
            m_listReceivers.GetNext(pWalk->posNext);
    }
    m_listReceivers.RemoveAt(pos);
}
