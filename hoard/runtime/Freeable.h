// CFreeable: base of the objects that hold memory they can release on demand, and
// the process-wide list, most recently used first, through which that memory is freed.
#pragma once

#include "hoard/hoard_api.h"

class HOARD_API CFreeable
{
public:
    // A new object, or a copy, counts as just used: it goes to the head of the list.
    CFreeable();
    CFreeable(const CFreeable&);
    // Assignment leaves both objects where they stand in the list.
    CFreeable& operator=(const CFreeable&) { return *this; }
    virtual ~CFreeable();

// Operations
    // Moves the object to the head: call it whenever its data is used.
    void Freshen() const;
    // Moves the object to the tail: its memory goes first when memory is short.
    void MakeExpendable() const;

    // Asks the objects, least recently used first, to release memory: all of them
    // with bAll, otherwise until one releases something. Returns the bytes released;
    // 0 at once when a call is already running.
    static DWORD FreeSomeMemory(BOOL bAll);
    static void FreeAll() { FreeSomeMemory(TRUE); }

    // Runs alloc() until it gives a non-null result, releasing memory between tries
    // for as long as FreeSomeMemory finds some; null when nothing more can be freed.
    template <class ALLOC>
    static auto AllocWithRetry(ALLOC alloc) -> decltype(alloc())
    {
        auto p = alloc();
        while (p == NULL && FreeSomeMemory(FALSE) != 0)
            p = alloc();
        return p;
    }

// Overridables
protected:
    // Releases what the object can release now; returns the bytes released, or 0.
    // It may destroy freeable objects, itself included: the walk of FreeSomeMemory
    // stays valid.
    virtual DWORD FreeUnusedMemory() = 0;

// Implementation
protected:
    // Every live CFreeable exactly once; head most recently used, tail most expendable.
    static CPtrList m_listFreeable;

private:
    void MoveTo(BOOL bHead) const;
    static void Unlink(POSITION pos);
};
