// limn.dll's entry point: registers the library with the framework.
#include "limn/app/LimnModule.h"

namespace {

AFX_EXTENSION_MODULE g_limnDLL = { FALSE, NULL, NULL };

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH)
    {
        if (!AfxInitExtensionModule(g_limnDLL, hInstance))
            return FALSE;
        new CDynLinkLibrary(g_limnDLL);
    }
    else if (dwReason == DLL_PROCESS_DETACH)
    {
        AfxTermExtensionModule(g_limnDLL);
    }
    return TRUE;
}

HINSTANCE LimnResourceHandle() { return g_limnDLL.hResource; }

HINSTANCE LimnInstanceHandle() { return g_limnDLL.hModule; }
