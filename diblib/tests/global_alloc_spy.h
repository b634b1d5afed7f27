// Records the largest block a module (diblib.dll unless told) asks GlobalAlloc for, by
// pointing the entry of its import table at a recorder for the lifetime of the object,
// and refuses blocks above a limit if given one, as a system short of memory would,
// without allocating them. One at a time.
#pragma once

#include <windows.h>

#include <string.h>

class CGlobalAllocSpy
{
public:
    explicit CGlobalAllocSpy(const char* pszModule = "diblib.dll", SIZE_T cbRefuseAbove = (SIZE_T)-1)
    {
        s_cbLargest = 0;
        s_cbRefuseAbove = cbRefuseAbove;
        m_ppEntry = FindImport(::GetModuleHandleA(pszModule), "kernel32.dll", "GlobalAlloc");
        if (m_ppEntry != NULL)
        {
            s_pOriginal = reinterpret_cast<GLOBALALLOC>(*m_ppEntry);
            Patch(reinterpret_cast<void*>(&Record));
        }
    }
    ~CGlobalAllocSpy()
    {
        if (m_ppEntry != NULL)
            Patch(reinterpret_cast<void*>(s_pOriginal));
    }
    CGlobalAllocSpy(const CGlobalAllocSpy&) = delete;
    CGlobalAllocSpy& operator=(const CGlobalAllocSpy&) = delete;

    BOOL IsWatching() const { return m_ppEntry != NULL; }
    void Reset() { s_cbLargest = 0; }
    SIZE_T GetLargest() const { return s_cbLargest; }

private:
    typedef HGLOBAL(WINAPI* GLOBALALLOC)(UINT, SIZE_T);

    static HGLOBAL WINAPI Record(UINT nFlags, SIZE_T cb)
    {
        if (cb > s_cbLargest)
            s_cbLargest = cb;
        if (cb > s_cbRefuseAbove)
        {
            ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return NULL;
        }
        return s_pOriginal(nFlags, cb);
    }

    void Patch(void* pTarget)
    {
        DWORD dwOld;
        ::VirtualProtect(m_ppEntry, sizeof(void*), PAGE_READWRITE, &dwOld);
        *m_ppEntry = pTarget;
        ::VirtualProtect(m_ppEntry, sizeof(void*), dwOld, &dwOld);
    }

    // The import address table entry of pszFunction from pszDll in hModule.
    static void** FindImport(HMODULE hModule, const char* pszDll, const char* pszFunction)
    {
        if (hModule == NULL)
            return NULL;
        BYTE* pBase = reinterpret_cast<BYTE*>(hModule);
        const IMAGE_NT_HEADERS* pNt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
            pBase + reinterpret_cast<const IMAGE_DOS_HEADER*>(pBase)->e_lfanew);
        const IMAGE_DATA_DIRECTORY& dir = pNt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        for (const IMAGE_IMPORT_DESCRIPTOR* pImport = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(pBase + dir.VirtualAddress);
             pImport->Name != 0; ++pImport)
        {
            if (_stricmp(reinterpret_cast<const char*>(pBase + pImport->Name), pszDll) != 0)
                continue;
            const IMAGE_THUNK_DATA* pName = reinterpret_cast<const IMAGE_THUNK_DATA*>(pBase + pImport->OriginalFirstThunk);
            IMAGE_THUNK_DATA* pAddress = reinterpret_cast<IMAGE_THUNK_DATA*>(pBase + pImport->FirstThunk);
            for (; pName->u1.AddressOfData != 0; ++pName, ++pAddress)
            {
                if (IMAGE_SNAP_BY_ORDINAL(pName->u1.Ordinal))
                    continue;
                const IMAGE_IMPORT_BY_NAME* pByName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(pBase + pName->u1.AddressOfData);
                if (strcmp(reinterpret_cast<const char*>(pByName->Name), pszFunction) == 0)
                    return reinterpret_cast<void**>(&pAddress->u1.Function);
            }
        }
        return NULL;
    }

    static inline SIZE_T s_cbLargest = 0;
    static inline SIZE_T s_cbRefuseAbove = (SIZE_T)-1;
    static inline GLOBALALLOC s_pOriginal = NULL;
    void** m_ppEntry;
};
