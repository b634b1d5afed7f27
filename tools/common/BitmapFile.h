// Writing ".bmp" files: a BITMAPFILEHEADER, then a DIB.
#pragma once

#include <afx.h>

// Writes the DIB whose header with its colour table or masks is the cbHead bytes at
// pHead and whose pixels are the cbBits bytes at pBits; throws CFileException.
void WriteBitmapFile(const char* pszPath, const void* pHead, DWORD cbHead, const void* pBits, DWORD cbBits);
