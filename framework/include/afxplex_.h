// CPlex: the blocks from which the collections take their nodes.
#pragma once

#include "afxver_.h"

#include <new>

[[noreturn]] AFX_FRAMEWORK void AFXAPI AfxThrowMemoryException();

// A chain of blocks, each holding nMax elements of cbElement bytes after its header.
struct CPlex
{
    CPlex* pNext;

    void* data() { return this + 1; }

    // Adds a block in front of pHead; throws CMemoryException when memory is short.
    static CPlex* PASCAL Create(CPlex*& pHead, UINT nMax, UINT cbElement)
    {
        void* pv = ::operator new(sizeof(CPlex) + (size_t)nMax * cbElement, std::nothrow);
        if (pv == NULL)
            AfxThrowMemoryException();
        CPlex* p = static_cast<CPlex*>(pv);
        p->pNext = pHead;
        pHead = p;
        return p;
    }

    // Frees this block and every block after it.
    void FreeDataChain()
    {
        CPlex* p = this;
        while (p != NULL)
        {
            CPlex* pNextBlock = p->pNext;
            ::operator delete(p);
            p = pNextBlock;
        }
    }
};

struct __POSITION {};
typedef __POSITION* POSITION;
#define BEFORE_START_POSITION ((POSITION)-1L)
