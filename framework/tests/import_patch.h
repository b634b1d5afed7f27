// While alive, the calls that one module makes to one function it imports by name go to
// a stand-in: the function's entry in the module's import address table points there.
// Tests watch or fail system calls this way where no real device or condition can be
// made to. One patch of a given entry at a time.
#pragma once

#include <windows.h>

#include <string.h>

class CImportPatch
{
public:
    CImportPatch(const char* pszModule, const char* pszDll, const char* pszFunction, void* pStandIn)
        : m_ppEntry(FindImport(::GetModuleHandleA(pszModule), pszDll, pszFunction)), m_pOriginal(NULL)
    {
        if (m_ppEntry != NULL)
        {
            m_pOriginal = *m_ppEntry;
            Point(pStandIn);
        }
    }
    ~CImportPatch()
    {
        if (m_ppEntry != NULL)
            Point(m_pOriginal);
    }
    CImportPatch(const CImportPatch&) = delete;
    CImportPatch& operator=(const CImportPatch&) = delete;

    // FALSE when the module does not import the function by name.
    BOOL IsPatched() const { return m_ppEntry != NULL; }
    // The function the entry pointed at before: the stand-in may call it.
    void* GetOriginal() const { return m_pOriginal; }

private:
    void Point(void* pTarget)
    {
        DWORD dwOld;
        ::VirtualProtect(m_ppEntry, sizeof(void*), PAGE_READWRITE, &dwOld);
        *m_ppEntry = pTarget;
        ::VirtualProtect(m_ppEntry, sizeof(void*), dwOld, &dwOld);
    }

    static void** FindImport(HMODULE hModule, const char* pszDll, const char* pszFunction)
    {
        if (hModule == NULL)
            return NULL;
        BYTE* pBase = reinterpret_cast<BYTE*>(hModule);
        const auto* pNt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
            pBase + reinterpret_cast<const IMAGE_DOS_HEADER*>(pBase)->e_lfanew);
        const IMAGE_DATA_DIRECTORY& dir = pNt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        for (const auto* pImport = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(pBase + dir.VirtualAddress);
             pImport->Name != 0; ++pImport)
        {
            if (_stricmp(reinterpret_cast<const char*>(pBase + pImport->Name), pszDll) != 0)
                continue;
            const auto* pName = reinterpret_cast<const IMAGE_THUNK_DATA*>(pBase + pImport->OriginalFirstThunk);
            auto* pAddress = reinterpret_cast<IMAGE_THUNK_DATA*>(pBase + pImport->FirstThunk);
            for (; pName->u1.AddressOfData != 0; ++pName, ++pAddress)
            {
                if (IMAGE_SNAP_BY_ORDINAL(pName->u1.Ordinal))
                    continue;
                const auto* pByName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(pBase + pName->u1.AddressOfData);
                if (strcmp(reinterpret_cast<const char*>(pByName->Name), pszFunction) == 0)
                    return reinterpret_cast<void**>(&pAddress->u1.Function);
            }
        }
        return NULL;
    }

    void** m_ppEntry;
    void* m_pOriginal;
};
