#include "TypeNames.h"
#include "ToolError.h"

#include "hoard/resources/Resource.h"
#include "hoard/resources/ResourceClass.h"
#include "hoard/runtime/MappedString.h"

void LoadTypeNames()
{
    static const char szNames[] = "CWav=sound\nCPicture=picture\nCChoiceLink=choice link\n"
                                  "CWavPlural=sounds\nCPicturePlural=pictures\nCChoiceLinkPlural=choice links\n";
    CMemFile file((BYTE*)szNames, sizeof szNames - 1);
    CMappedString::Load(file);
}

CResourceClass* TypeNamed(const char* pszType)
{
    for (CResourceClass* pClass = CResourceClass::GetHead(); pClass != NULL; pClass = pClass->GetNext())
    {
        if (_stricmp(pszType, pClass->GetClassName()) == 0 || _stricmp(pszType, pClass->GetName()) == 0)
            return pClass;
    }
    Fail("%s is not a type: the types are %s", pszType, (LPCSTR)TypeList());
}

CString TypeNameOf(CResource* pRes)
{
    CResourceClass* pClass = pRes->GetResourceClass();
    return pClass != NULL ? CString(pClass->GetName()) : CString(pRes->GetRuntimeClass()->m_lpszClassName);
}

CString TypeList()
{
    CString strList;
    for (CResourceClass* pClass = CResourceClass::GetHead(); pClass != NULL; pClass = pClass->GetNext())
    {
        if (!strList.IsEmpty())
            strList += ", ";
        strList += CString(pClass->GetName()) + " (" + pClass->GetClassName() + ")";
    }
    return strList;
}
