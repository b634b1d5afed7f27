// What render and shot share: the size and depth of the off-screen buffer they draw
// into, given on the command line, and the buffer's pixels written as a ".bmp" file.
#pragma once

#include <afxwin.h>

class CCanvas;
class CCanvasBuffer;

// The longest side of a buffer.
const int nMaxBufferSide = 16384;

// TRUE when pszOption is "--size" with a value WxH of sides 1 to nMaxBufferSide, or
// "--depth" with 8 or 16; the value then goes to size or nDepth.
BOOL ParseBufferOption(const char* pszOption, const char* pszValue, CSize& size, int& nDepth);

// Makes buffer an nDepth-bit buffer of canvas over rect, as on a display of that depth
// (8 bits: a palette display); fails when it cannot be made.
void StartBuffer(CCanvasBuffer& buffer, CCanvas& canvas, const CRect& rect, int nDepth);

// The buffer's pixels as a new packed DIB, the caller's to GlobalFree: bottom-up BI_RGB
// of the buffer's own depth, 8 bits with the shared palette as colour table, or 16 bits
// of RGB555. Throws CMemoryException.
HGLOBAL BufferDIB(CCanvasBuffer& buffer);
// The same DIB written as a ".bmp" file.
void WriteBufferFile(CCanvasBuffer& buffer, const char* pszOut);
// Writes the packed DIB hDIB as a ".bmp" file; FALSE, with nothing written, when it is
// not a DIB that can be read.
BOOL WriteDIBFile(HGLOBAL hDIB, const char* pszOut);
