// Extension libraries: their registration with the framework and the resource
// chain through which their string tables, dialogs and bitmaps are found.
#pragma once

#include "afx.h"

struct AFX_EXTENSION_MODULE
{
    BOOL bInitialized;
    HMODULE hModule;
    HMODULE hResource;
};

// Called from an extension library's DllMain on process attach and detach.
AFX_FRAMEWORK BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);
AFX_FRAMEWORK void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll = FALSE);

// One link of the resource chain. Creating it links the library in (newest first);
// AfxTermExtensionModule destroys it.
class AFX_FRAMEWORK CDynLinkLibrary : public CObject
{
    DECLARE_DYNAMIC(CDynLinkLibrary)
public:
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem = FALSE);
    ~CDynLinkLibrary() override;

// Attributes
    HMODULE m_hModule;
    HMODULE m_hResource;
    BOOL m_bSystem;
    CDynLinkLibrary* m_pNextDLL;
};

// The application's own resources come first in the chain; by default the executable.
AFX_FRAMEWORK HINSTANCE AFXAPI AfxGetInstanceHandle();
AFX_FRAMEWORK HINSTANCE AFXAPI AfxGetResourceHandle();
AFX_FRAMEWORK void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);
// The first module of the chain that holds the resource, else the application's.
AFX_FRAMEWORK HINSTANCE AFXAPI AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType);
