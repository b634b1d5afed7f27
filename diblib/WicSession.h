// The Windows Imaging Component for the length of one call: COM initialised on the
// calling thread while a CWicSession lives, the imaging factory, and an owning pointer
// for the interfaces it hands out.
#pragma once

#include "diblib/dibapi.h"

#include <wincodec.h>

// An interface pointer released at the end of its scope. operator& gives the slot that
// a creating call fills; the slot must be empty then.
template <class T>
class CComRef
{
public:
    CComRef() = default;
    ~CComRef() { Release(); }
    CComRef(const CComRef&) = delete;
    CComRef& operator=(const CComRef&) = delete;

// Attributes
    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    T** operator&()
    {
        ASSERT(m_p == NULL);
        return &m_p;
    }

// Operations
    void Release()
    {
        if (m_p != NULL)
            m_p->Release();
        m_p = NULL;
    }

private:
    T* m_p = NULL;
};

// COM stays initialised on this thread while the object lives. A thread that already
// belongs to a multithreaded apartment keeps it (the imaging component works in
// either), and COM is then left as it was.
class CWicSession
{
public:
    CWicSession();
    ~CWicSession();
    CWicSession(const CWicSession&) = delete;
    CWicSession& operator=(const CWicSession&) = delete;

    // The imaging factory; NULL when COM or the factory could not be had.
    IWICImagingFactory* GetFactory() const { return m_factory.Get(); }

private:
    BOOL m_bUninitialize;
    CComRef<IWICImagingFactory> m_factory;
};
