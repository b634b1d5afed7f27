// CPicture: bitmaps imported from files.
#include "limn/pictures/Picture.h"
#include "limn/pictures/DIBElem.h"

#include <memory>

BOOL CPicture::ImportFromFile(const char* pszPath)
{
    CFile file(pszPath, CFile::modeRead | CFile::shareDenyWrite);
    HDIB hDIB = ReadDIBFile(file, 0);
    if (hDIB == NULL)
        return FALSE;
    std::unique_ptr<CDIBElem> pElem;
    try
    {
        pElem.reset(new CDIBElem(hDIB));
    }
    catch (...)
    {
        GlobalFree(hDIB);
        throw;
    }
    GlobalFree(hDIB);
    if (pElem->GetDIBSize() == 0)
        return FALSE;
    AppendDIBElem(pElem.release());
    SetNameFromPath(pszPath);
    return TRUE;
}
