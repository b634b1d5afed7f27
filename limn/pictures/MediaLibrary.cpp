// The media library: loading, starting and stopping QTIM32.DLL and CMGR32.DLL.
#include "limn/pictures/MediaLibrary.h"

namespace {

// The dispatcher of a library that is not loaded.
LONG_PTR MEDIA_ENTRY NoLibrary(WORD, LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR) { return MEDIA_UNKNOWN_ROUTINE; }

// The export pszName of hModule as a function of type Proc, or NULL.
template <class Proc>
Proc ExportOf(HMODULE hModule, const char* pszName)
{
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(::GetProcAddress(hModule, pszName)));
}

// Switches the error mode so that a missing file raises no message box, for the
// lifetime of the object.
class CQuietLoading
{
public:
    CQuietLoading() : m_uPrevious(::SetErrorMode(SEM_NOOPENFILEERRORBOX)) {}
    ~CQuietLoading() { ::SetErrorMode(m_uPrevious); }

private:
    UINT m_uPrevious;
};

} // namespace

CMediaLibrary::CModule CMediaLibrary::m_qtim = {NULL, NoLibrary, 0};
CMediaLibrary::CModule CMediaLibrary::m_cmgr = {NULL, NoLibrary, 0};

void CMediaLibrary::Forget(CModule& module)
{
    if (module.hModule != NULL)
        ::FreeLibrary(module.hModule);
    module.hModule = NULL;
    module.pfnEntry = NoLibrary;
}

int CMediaLibrary::StartQTIM()
{
    if (m_qtim.hModule == NULL)
    {
        m_qtim.hModule = ::LoadLibraryA("QTIM32.DLL");
        if (m_qtim.hModule == NULL)
            return 1;
        MEDIAENTRYPROC pfnEntry = ExportOf<MEDIAENTRYPROC>(m_qtim.hModule, "_EntryPoint");
        if (pfnEntry == NULL)
        {
            Forget(m_qtim);
            return 2;
        }
        m_qtim.pfnEntry = pfnEntry;
    }
    ++m_qtim.nUsers;
    return 0;
}

int CMediaLibrary::StartCMgr()
{
    if (m_cmgr.hModule == NULL)
    {
        m_cmgr.hModule = ::LoadLibraryA("CMGR32.DLL");
        if (m_cmgr.hModule == NULL)
            return 1;
        MEDIAENTRYPROC pfnEntry = ExportOf<MEDIAENTRYPROC>(m_cmgr.hModule, "_EntryPoint");
        auto pfnInitialize = ExportOf<CMGRINITIALIZEPROC>(m_cmgr.hModule, "_CMgrInitialize");
        if (pfnEntry == NULL || pfnInitialize == NULL || pfnInitialize() != 0)
        {
            Forget(m_cmgr);
            return 2;
        }
        m_cmgr.pfnEntry = pfnEntry;
    }
    ++m_cmgr.nUsers;
    return 0;
}

int CMediaLibrary::Start()
{
    CQuietLoading quiet;
    int nResult = StartQTIM();
    if (nResult != 0)
        return nResult;
    nResult = StartCMgr();
    if (nResult != 0)
    {
        // QTIM32 was not initialised for this use, so it is not terminated either.
        if (--m_qtim.nUsers == 0)
            Forget(m_qtim);
        return nResult;
    }
    if (m_qtim.nUsers == 1)
        Call(QTIM_INITIALIZE);
    return 0;
}

void CMediaLibrary::ReleaseCMgr()
{
    if (--m_cmgr.nUsers > 0)
        return;
    if (auto pfnTerminate = ExportOf<CMGRTERMINATEPROC>(m_cmgr.hModule, "_CMgrTerminate"))
        pfnTerminate();
    Forget(m_cmgr);
}

// A 64-bit process always runs on the NT platform, where a library may be unloaded
// once its last user has terminated it.
void CMediaLibrary::ReleaseQTIM()
{
    if (--m_qtim.nUsers > 0)
        return;
    Call(QTIM_TERMINATE);
    Forget(m_qtim);
}

void CMediaLibrary::Stop()
{
    ReleaseCMgr();
    ReleaseQTIM();
}

LONG_PTR CMediaLibrary::Call(WORD nRoutine, LONG_PTR a1, LONG_PTR a2, LONG_PTR a3, LONG_PTR a4)
{
    return m_qtim.pfnEntry(nRoutine, a1, a2, a3, a4);
}

// CMediaLibraryUse

int CMediaLibraryUse::m_nUses = 0;
BOOL CMediaLibraryUse::m_bAvailable = FALSE;

CMediaLibraryUse::CMediaLibraryUse()
{
    if (m_nUses++ == 0)
        m_bAvailable = CMediaLibrary::Start() == 0;
}

CMediaLibraryUse::~CMediaLibraryUse()
{
    if (--m_nUses == 0 && m_bAvailable)
    {
        CMediaLibrary::Stop();
        m_bAvailable = FALSE;
    }
}
