// CWicSession: COM initialised for one call into the imaging component.
#include "diblib/WicSession.h"

CWicSession::CWicSession()
{
    // S_OK and S_FALSE both take a use of COM that CoUninitialize gives back;
    // RPC_E_CHANGED_MODE (a multithreaded apartment already) takes none.
    HRESULT hr = ::CoInitializeEx(NULL, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    m_bUninitialize = SUCCEEDED(hr);
    if (FAILED(hr) && hr != RPC_E_CHANGED_MODE)
        return;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, NULL, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  reinterpret_cast<void**>(&m_factory))))
        m_factory.Release();
}

CWicSession::~CWicSession()
{
    // Every interface goes back before COM does.
    m_factory.Release();
    if (m_bUninitialize)
        ::CoUninitialize();
}
