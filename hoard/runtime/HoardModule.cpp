// hoard.dll's entry point: registers the library with the framework, and its
// clipboard formats with Windows.
#include "hoard/runtime/HoardModule.h"

#include "hoard/resources/Hoard.h"

namespace {

AFX_EXTENSION_MODULE g_hoardDLL = { FALSE, NULL, NULL };

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH)
    {
        if (!AfxInitExtensionModule(g_hoardDLL, hInstance))
            return FALSE;
        new CDynLinkLibrary(g_hoardDLL);
        CHoard::RegisterClipboardFormats();
    }
    else if (dwReason == DLL_PROCESS_DETACH)
    {
        AfxTermExtensionModule(g_hoardDLL);
    }
    return TRUE;
}

HINSTANCE HoardResourceHandle() { return g_hoardDLL.hResource; }

CString HoardLoadString(UINT nID)
{
    CString str;
    str.LoadString(HoardResourceHandle(), nID);
    return str;
}
