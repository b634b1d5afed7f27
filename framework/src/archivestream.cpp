// CArchiveStream: reads and writes of an IStream straight to a CArchive.
#include "archivestream.h"

STDMETHODIMP CArchiveStream::QueryInterface(REFIID riid, void** ppvObject)
{
    if (riid == IID_IUnknown || riid == IID_ISequentialStream || riid == IID_IStream)
    {
        *ppvObject = static_cast<IStream*>(this);
        return S_OK;
    }
    *ppvObject = NULL;
    return E_NOINTERFACE;
}

STDMETHODIMP CArchiveStream::Read(void* pv, ULONG cb, ULONG* pcbRead)
{
    ULONG cbRead = 0;
    HRESULT hr = S_OK;
    try
    {
        cbRead = m_pArchive->Read(pv, cb);
        if (cbRead < cb)
            hr = S_FALSE;
    }
    catch (CException* e)
    {
        e->Delete();
        hr = STG_E_READFAULT;
    }
    if (pcbRead != NULL)
        *pcbRead = cbRead;
    return hr;
}

STDMETHODIMP CArchiveStream::Write(const void* pv, ULONG cb, ULONG* pcbWritten)
{
    ULONG cbWritten = 0;
    HRESULT hr = S_OK;
    try
    {
        m_pArchive->Write(pv, cb);
        cbWritten = cb;
    }
    catch (CException* e)
    {
        e->Delete();
        hr = STG_E_WRITEFAULT;
    }
    if (pcbWritten != NULL)
        *pcbWritten = cbWritten;
    return hr;
}
