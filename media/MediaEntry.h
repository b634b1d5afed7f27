// The media library's calling convention, shared by QTIM32.DLL and CMGR32.DLL and by
// the programs that call them.
//
// Each library exports one dispatcher, "_EntryPoint", that runs a routine chosen by its
// number. On 64-bit Windows there is one calling convention, in which a value left in a
// register by the caller does not reach the callee, so the routine number travels as the
// first argument instead of in a register of its own:
//
//     LONG_PTR _EntryPoint(WORD nRoutine, LONG_PTR a1, LONG_PTR a2, LONG_PTR a3, LONG_PTR a4)
//
//   - nRoutine: the routine number (RCX);
//   - a1 .. a4: the routine's arguments in their order, each widened to pointer size
//     (RDX, R8, R9 and the first stack slot); a routine with fewer arguments is passed 0
//     for the rest;
//   - the result comes back in RAX; the caller removes what it put on the stack.
//
// A number the library does not know returns MEDIA_UNKNOWN_ROUTINE.
#pragma once

#include <windows.h>

#define MEDIA_ENTRY __cdecl

typedef LONG_PTR(MEDIA_ENTRY* MEDIAENTRYPROC)(WORD nRoutine, LONG_PTR a1, LONG_PTR a2, LONG_PTR a3,
                                              LONG_PTR a4);

// The result of a routine number that the library does not know.
#define MEDIA_UNKNOWN_ROUTINE ((LONG_PTR)-1)

// QTIM32.DLL's routines.
enum
{
    // (hDC, hPict, const RECT* prcDst, 0): draws the picture scaled into *prcDst; 0 when
    // drawn, otherwise a QTIM_ERR_ code. hPict is an unlocked global handle of the PICT.
    QTIM_DRAWPICTURE = 9,
    // (hPict, QTPICTINFO* pInfo): fills *pInfo, whose cbSize the caller sets to
    // sizeof(QTPICTINFO); 0 or a QTIM_ERR_ code.
    QTIM_GETPICTUREINFO = 34,
    // (hPict): a new global handle of a packed DIB of the picture, or 0.
    QTIM_PICTURETODIB = 46,
    // (): sets the library up; called once, by its first user. 0 on success.
    QTIM_INITIALIZE = 57,
    // (): ends the library's use; called by its last user. 0.
    QTIM_TERMINATE = 58,
};

// CMGR32.DLL's exports beside "_EntryPoint": "_CMgrInitialize" (returns 0 on success)
// and "_CMgrTerminate".
typedef int(MEDIA_ENTRY* CMGRINITIALIZEPROC)();
typedef void(MEDIA_ENTRY* CMGRTERMINATEPROC)();
