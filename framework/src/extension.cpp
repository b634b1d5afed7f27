// Extension-library registration and the resource chain: the application's
// resources first, then each registered library, newest first, and the framework's own
// resources last.
#include "afxwin.h"

IMPLEMENT_DYNAMIC(CDynLinkLibrary, CObject)

namespace {

CDynLinkLibrary* g_pFirstDLL = NULL;
HINSTANCE g_hInstResource = NULL;   // null: the executable

BOOL ModuleHasResource(HINSTANCE hInst, LPCSTR lpszName, LPCSTR lpszType)
{
    return hInst != NULL && FindResourceA(hInst, lpszName, lpszType) != NULL;
}

// framework.dll itself.
HINSTANCE FrameworkModule()
{
    static const HINSTANCE hModule = [] {
        HMODULE h = NULL;
        ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                             (LPCSTR)&FrameworkModule, &h);
        return h;
    }();
    return hModule;
}

} // namespace

BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule)
{
    if (state.bInitialized)
        return TRUE;
    state.hModule = hModule;
    state.hResource = hModule;
    state.bInitialized = TRUE;
    return TRUE;
}

void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll)
{
    if (!state.bInitialized)
        return;
    CDynLinkLibrary** ppDLL = &g_pFirstDLL;
    while (*ppDLL != NULL)
    {
        CDynLinkLibrary* pDLL = *ppDLL;
        if (pDLL->m_hModule == state.hModule && (bAll || !pDLL->m_bSystem))
            delete pDLL;        // unlinks itself
        else
            ppDLL = &pDLL->m_pNextDLL;
    }
    state.bInitialized = FALSE;
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem)
    : m_hModule(state.hModule), m_hResource(state.hResource), m_bSystem(bSystem),
      m_pNextDLL(g_pFirstDLL)
{
    g_pFirstDLL = this;
}

CDynLinkLibrary::~CDynLinkLibrary()
{
    for (CDynLinkLibrary** ppDLL = &g_pFirstDLL; *ppDLL != NULL; ppDLL = &(*ppDLL)->m_pNextDLL)
    {
        if (*ppDLL == this)
        {
            *ppDLL = m_pNextDLL;
            break;
        }
    }
}

HINSTANCE AFXAPI AfxGetInstanceHandle() { return GetModuleHandleA(NULL); }

HINSTANCE AFXAPI AfxGetResourceHandle()
{
    return g_hInstResource != NULL ? g_hInstResource : GetModuleHandleA(NULL);
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource) { g_hInstResource = hInstResource; }

namespace {

// The first module of the chain, in its order, for which found(module) holds, or NULL.
template <class F>
HINSTANCE FindInChain(F found)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    if (found(hInst))
        return hInst;
    for (CDynLinkLibrary* pDLL = g_pFirstDLL; pDLL != NULL; pDLL = pDLL->m_pNextDLL)
    {
        if (found(pDLL->m_hResource))
            return pDLL->m_hResource;
    }
    return found(FrameworkModule()) ? FrameworkModule() : NULL;
}

} // namespace

HINSTANCE AFXAPI AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType)
{
    HINSTANCE hInst = FindInChain([=](HINSTANCE h) { return ModuleHasResource(h, lpszName, lpszType); });
    return hInst != NULL ? hInst : AfxGetResourceHandle();
}

// Strings live in blocks of 16, and a module may hold the block of nID without nID
// itself: the first module that has the string wins.
BOOL CString::LoadString(UINT nID)
{
    LPCSTR lpszBlock = MAKEINTRESOURCEA((nID >> 4) + 1);
    if (FindInChain([&](HINSTANCE h) { return ModuleHasResource(h, lpszBlock, (LPCSTR)RT_STRING) && LoadString(h, nID); })
        != NULL)
        return TRUE;
    Empty();
    return FALSE;
}

BOOL CString::LoadString(HINSTANCE hInstance, UINT nID)
{
    for (int nSize = 256;; nSize *= 2)
    {
        int nLen = ::LoadStringA(hInstance, nID, GetBuffer(nSize - 1), nSize);
        if (nLen < nSize - 1)
        {
            ReleaseBuffer(nLen);
            return nLen > 0;
        }
    }
}
