// Writing ".bmp" files.
#include "BitmapFile.h"

void WriteBitmapFile(const char* pszPath, const void* pHead, DWORD cbHead, const void* pBits, DWORD cbBits)
{
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;     // "BM"
    header.bfOffBits = sizeof header + cbHead;
    header.bfSize = header.bfOffBits + cbBits;
    CFile file(pszPath, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
    file.Write(&header, sizeof header);
    file.Write(pHead, cbHead);
    file.Write(pBits, cbBits);
    file.Close();
}
