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

// QTIM32.DLL's routines. hPict is always an unlocked global handle of the PICT bytes
// (which may start with a picture file's 512-byte header); the routines lock it for the
// call only.
enum
{
    // (hDC, hPict, const RECT* prcDst, 0): draws the picture with its frame scaled onto
    // *prcDst, a rectangle in the DC's logical coordinates, clipped to it within the DC's
    // own clip; the DC's state is as it was afterwards. An empty rectangle draws nothing.
    // 0 when drawn (a damaged picture draws what comes before the damage), otherwise a
    // QTIM_ERR_ code.
    QTIM_DRAWPICTURE = 9,
    // (hPict, QTPICTINFO* pInfo): fills *pInfo, whose cbSize the caller sets to at least
    // sizeof(QTPICTINFO); 0 or a QTIM_ERR_ code.
    QTIM_GETPICTUREINFO = 34,
    // (hPict): the picture drawn over white at its frame's size into a new GMEM_MOVEABLE
    // packed DIB (BITMAPINFOHEADER, bottom-up, BI_RGB, 24 bits, no colour table), owned
    // by the caller; 0 when the picture cannot be read or its frame is empty or holds
    // more than 4096 x 4096 pixels in all (width times height).
    QTIM_PICTURETODIB = 46,
    // (): counts a user of the library; routines 9, 34 and 46 work while it has one. 0.
    QTIM_INITIALIZE = 57,
    // (): ends one user's use; 0, or QTIM_ERR_NOTINITIALIZED when it had none.
    QTIM_TERMINATE = 58,
};

// CMGR32.DLL's exports beside "_EntryPoint": "_CMgrInitialize" (returns 0 on success)
// and "_CMgrTerminate".
typedef int(MEDIA_ENTRY* CMGRINITIALIZEPROC)();
typedef void(MEDIA_ENTRY* CMGRTERMINATEPROC)();

// QTIM32.DLL's results other than 0 from routines 9 and 34.
enum
{
    // The library has not been initialised (routine 57), or has been terminated since.
    QTIM_ERR_NOTINITIALIZED = 1,
    // An argument is NULL or out of range (no DC, no rectangle, no record, a record whose
    // cbSize is below sizeof(QTPICTINFO)).
    QTIM_ERR_BADARGUMENT = 2,
    // The picture handle is NULL, not a global handle, or of size 0.
    QTIM_ERR_BADHANDLE = 3,
    // The bytes are not a picture this library reads.
    QTIM_ERR_BADPICTURE = 4,
    // Memory or a GDI object could not be had.
    QTIM_ERR_NOMEMORY = 5,
};

// Routine 34's record: what the library learnt about a picture by reading it whole.
// 86 bytes, packed on 2-byte boundaries; the caller may pass a larger buffer (the
// system passes 88 bytes) and sets cbSize to at least sizeof(QTPICTINFO).
#pragma pack(push, 2)
typedef struct tagQTPICTINFO
{
    DWORD cbSize;        // set by the caller; left as it was
    WORD wVersion;       // picture format version: 1 or 2
    WORD fExtended;      // 1 for a version 2 picture with the extended header
    DWORD cbHeader;      // bytes before the picture: 0, or 512 for a picture file's header
    DWORD cbPicture;     // bytes of the picture handle
    RECT rcFrame;        // the picture's frame, in its own coordinates
    LONG hRes;           // horizontal resolution, 16.16 fixed-point dots per inch (72 when
    LONG vRes;           // the picture gives none), and the vertical one
    DWORD nOpcodes;      // opcodes read
    DWORD nImages;       // pixel images among them (bitmap and compressed image opcodes)
    WORD wMaxPixelSize;  // deepest pixel size of those images: 1 .. 32, or 0 without any
    WORD wEnd;           // how the picture ended: a QTPICT_END_ value
    WORD wReserved[17];  // 0
} QTPICTINFO;
#pragma pack(pop)
static_assert(sizeof(QTPICTINFO) == 86, "QTPICTINFO is an 86-byte record");

// QTPICTINFO's wEnd: the picture reached its end opcode, its bytes ran out or were
// damaged first, or an opcode the library cannot read (or an image above its size limit)
// ended it. What was before the end is drawn in each case.
enum
{
    QTPICT_END_COMPLETE = 0,
    QTPICT_END_TRUNCATED = 1,
    QTPICT_END_REFUSED = 2,
};

// CMGR32.DLL's routines, through its "_EntryPoint"; each fails (returns 0 or
// CMGR_ERR_NOTINITIALIZED) before "_CMgrInitialize" and after the last "_CMgrTerminate".
enum
{
    // (DWORD fccType, 0, 0, 0): the component that decompresses images of the codec type,
    // a four-character code with its first character in the high byte ('jpeg', 'png ');
    // 0 when none is registered.
    CMGR_FINDDECOMPRESSOR = 1,
    // (LONG_PTR component, const CMGRDECOMPRESS* pJob, 0, 0): decodes the job's data into
    // its pixels; 0 or a CMGR_ERR_ code.
    CMGR_DECOMPRESSIMAGE = 2,
};

// CMGR32.DLL's results other than 0 from routine 2.
enum
{
    CMGR_ERR_NOTINITIALIZED = 1,
    CMGR_ERR_BADARGUMENT = 2, // unknown component, NULL job, empty data or size
    CMGR_ERR_DECODE = 3,      // the data does not decode as the component's codec
    CMGR_ERR_NOMEMORY = 4,
};

// A decompression job: the compressed bytes and the pixels they are decoded into, 32-bit
// BGRA (alpha 255 where the image has none), top-down rows of nWidth * 4 bytes. An image
// of another size than nWidth x nHeight is scaled to it.
typedef struct tagCMGRDECOMPRESS
{
    DWORD cbSize; // sizeof(CMGRDECOMPRESS)
    const void* pData;
    DWORD cbData;
    LONG nWidth;
    LONG nHeight;
    void* pBits; // nWidth * nHeight * 4 bytes, written by the routine
} CMGRDECOMPRESS;

// Four-character codes as CMGR32 takes them.
#define CMGR_FOURCC(a, b, c, d) \
    (((DWORD)(BYTE)(a) << 24) | ((DWORD)(BYTE)(b) << 16) | ((DWORD)(BYTE)(c) << 8) | (DWORD)(BYTE)(d))
