// What a benchmark's process holds, to check that repeated work does not make it grow:
// GDI and USER objects, the bytes in use in its heaps and its committed private memory.
#pragma once

#include <windows.h>
#include <winternl.h>

#include <stdio.h>

#include <algorithm>

struct ProcessResources
{
    DWORD dwGdi;
    DWORD dwUser;           // GetGuiResources; 0 where it is not counted (Wine 8)
    SIZE_T cbHeap;          // busy bytes in every heap of the process
    SIZE_T cbCommitted;     // committed private pages (bitmap bits live there)
};

inline SIZE_T HeapBusyBytes()
{
    HANDLE heaps[64];
    DWORD nHeaps = std::min<DWORD>(::GetProcessHeaps(64, heaps), 64);
    SIZE_T cb = 0;
    for (DWORD i = 0; i < nHeaps; i++)
    {
        if (!::HeapLock(heaps[i]))
            continue;
        PROCESS_HEAP_ENTRY entry = {};
        while (::HeapWalk(heaps[i], &entry))
        {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                cb += entry.cbData;
        }
        ::HeapUnlock(heaps[i]);
    }
    return cb;
}

inline SIZE_T CommittedPrivateBytes()
{
    SIZE_T cb = 0;
    MEMORY_BASIC_INFORMATION info;
    for (BYTE* p = NULL; ::VirtualQuery(p, &info, sizeof info) == sizeof info; p = (BYTE*)info.BaseAddress + info.RegionSize)
    {
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE)
            cb += info.RegionSize;
        if ((BYTE*)info.BaseAddress + info.RegionSize < p)
            break;
    }
    return cb;
}

// The process's GDI objects. Wine 8's GetGuiResources counts nothing; there the process's
// own GDI handle table, which the process environment block points to (64 K entries of
// 24 bytes, the object's type in byte 14, 0 for a free entry), is counted instead.
inline DWORD GdiObjectCount()
{
    DWORD dwCount = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    if (dwCount != 0)
        return dwCount;
    typedef LONG(WINAPI * PFN_QUERY)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    auto pfnQuery = reinterpret_cast<PFN_QUERY>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION info = {};
    if (pfnQuery == NULL || pfnQuery(::GetCurrentProcess(), ProcessBasicInformation, &info, sizeof info, NULL) != 0)
        return 0;
    const BYTE* pTable = *reinterpret_cast<const BYTE* const*>(reinterpret_cast<const BYTE*>(info.PebBaseAddress) + 0xF8);
    if (pTable == NULL)
        return 0;
    const size_t cbEntry = 24, nEntries = 0x10000, nTypeOffset = 14;
    for (size_t i = 0; i < nEntries; i++)
        dwCount += pTable[i * cbEntry + nTypeOffset] != 0;
    return dwCount;
}

inline ProcessResources MeasureProcess()
{
    return { GdiObjectCount(), ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS), HeapBusyBytes(),
             CommittedPrivateBytes() };
}

// Two lines: the objects, and the memory with the growth ratios of every count.
inline void PrintGrowth(const ProcessResources& before, const ProcessResources& after)
{
    printf("        GDI objects %lu -> %lu, USER objects %lu -> %lu (0: not counted by this Wine)\n", before.dwGdi,
           after.dwGdi, before.dwUser, after.dwUser);
    printf("        heap in use %lu -> %lu bytes, committed private memory %lu -> %lu KB: growth ratios %.4f "
           "(GDI), %.4f (heap) and %.4f (committed)\n",
           (unsigned long)before.cbHeap, (unsigned long)after.cbHeap, (unsigned long)(before.cbCommitted / 1024),
           (unsigned long)(after.cbCommitted / 1024), (double)after.dwGdi / (double)std::max<DWORD>(1, before.dwGdi),
           (double)after.cbHeap / (double)before.cbHeap, (double)after.cbCommitted / (double)before.cbCommitted);
}
