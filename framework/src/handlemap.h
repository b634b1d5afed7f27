// The handle maps behind FromHandle: a handle's permanent object (the one that Attach
// gave it) or else a temporary object that wraps it without owning it until the
// temporary map is deleted at idle time. One map per kind of handle and per thread: a
// thread finds only the objects it bound and the temporaries it made, and frees its
// temporaries itself.
#pragma once

#include "afxcoll.h"

template <class TObject, class THandle>
class CHandleMap
{
public:
    typedef TObject* (*PFNNEWTEMP)(THandle h);      // a new object wrapping h
    typedef void (*PFNRELEASETEMP)(TObject* p);     // clears p's handles before its deletion

    CHandleMap(PFNNEWTEMP pfnNewTemp, PFNRELEASETEMP pfnReleaseTemp)
        : m_pfnNewTemp(pfnNewTemp), m_pfnReleaseTemp(pfnReleaseTemp) {}
    ~CHandleMap() { DeleteTemp(); }
    CHandleMap(const CHandleMap&) = delete;
    CHandleMap& operator=(const CHandleMap&) = delete;

    TObject* FromHandle(THandle h)
    {
        if (h == NULL)
            return NULL;
        TObject* p = LookupPermanent(h);
        if (p != NULL)
            return p;
        void* pv;
        if (m_temporaryMap.Lookup((void*)h, pv))
            return static_cast<TObject*>(pv);
        p = m_pfnNewTemp(h);
        m_temporaryMap.SetAt((void*)h, p);
        return p;
    }

    TObject* LookupPermanent(THandle h) const
    {
        void* pv;
        return m_permanentMap.Lookup((void*)h, pv) ? static_cast<TObject*>(pv) : NULL;
    }

    void SetPermanent(THandle h, TObject* p) { m_permanentMap.SetAt((void*)h, p); }

    // Only p's own entry goes: an object that merely borrowed h leaves its owner mapped.
    void RemoveHandle(THandle h, TObject* p)
    {
        if (LookupPermanent(h) == p)
            m_permanentMap.RemoveKey((void*)h);
    }

    void DeleteTemp()
    {
        POSITION pos = m_temporaryMap.GetStartPosition();
        while (pos != NULL)
        {
            void* h;
            void* pv;
            m_temporaryMap.GetNextAssoc(pos, h, pv);
            TObject* p = static_cast<TObject*>(pv);
            m_pfnReleaseTemp(p);
            delete p;
        }
        m_temporaryMap.RemoveAll();
    }

private:
    PFNNEWTEMP m_pfnNewTemp;
    PFNRELEASETEMP m_pfnReleaseTemp;
    CMapPtrToPtr m_permanentMap;
    CMapPtrToPtr m_temporaryMap;
};

// The temporary objects of a class that wraps one handle, in its member pHandle: a
// default-constructed object holding the handle, which gives it up before deletion.
template <class TObject, class THandle, THandle TObject::*pHandle>
struct CSingleHandleTemp
{
    static TObject* New(THandle h)
    {
        TObject* p = new TObject;
        p->*pHandle = h;
        return p;
    }
    static void Release(TObject* p) { p->*pHandle = NULL; }
};
