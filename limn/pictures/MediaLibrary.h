// The media library: QTIM32.DLL, which draws Macintosh pictures and converts them into
// bitmaps, and CMGR32.DLL, its component manager. Both are loaded at run time, by the
// first operation of a Macintosh picture element, and stay loaded until the process
// ends; everything else works without them.
//
// The process keeps, for each library, its module, its dispatcher "_EntryPoint" and a
// user count, and counts the element operations that use them (CMediaLibraryUse).
#pragma once

#include "limn/limn_api.h"
#include "media/MediaEntry.h"

class CMediaLibrary
{
public:
    // Loads both libraries unless they are loaded, and calls QTIM32's initialisation
    // for its first user: 0 on success, 1 when a library cannot be loaded, 2 when an
    // entry is missing or CMGR32's initialisation fails. A failure leaves neither
    // library in use by this call. No message box shows for a missing file.
    static int Start();
    // Gives up the use that a successful Start took: the last user of CMGR32 calls
    // "_CMgrTerminate" and unloads it; the last user of QTIM32 calls its termination
    // and unloads it.
    static void Stop();
    // Calls a routine of QTIM32; while the library is not loaded, a stand-in answers
    // MEDIA_UNKNOWN_ROUTINE.
    static LONG_PTR Call(WORD nRoutine, LONG_PTR a1 = 0, LONG_PTR a2 = 0, LONG_PTR a3 = 0, LONG_PTR a4 = 0);

private:
    struct CModule
    {
        HMODULE hModule;
        MEDIAENTRYPROC pfnEntry;
        int nUsers;
    };
    // Unloads the module and puts the stand-in in place of its dispatcher.
    static void Forget(CModule& module);
    static int StartQTIM();
    static int StartCMgr();
    static void ReleaseQTIM();
    static void ReleaseCMgr();

    static CModule m_qtim;
    static CModule m_cmgr;
};

// One element operation's use of the media library, a static object of the operation.
// The first use in the process starts the library and records whether it is available;
// later ones share that answer, and a failed start is not tried again. At process exit
// the last use to go stops the library, when it was available.
class CMediaLibraryUse
{
public:
    CMediaLibraryUse();
    ~CMediaLibraryUse();
    CMediaLibraryUse(const CMediaLibraryUse&) = delete;
    CMediaLibraryUse& operator=(const CMediaLibraryUse&) = delete;

    static BOOL IsAvailable() { return m_bAvailable; }

private:
    static int m_nUses;
    static BOOL m_bAvailable;
};
