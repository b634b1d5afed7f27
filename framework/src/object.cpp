// CObject, CRuntimeClass and the registry of classes that can be created by name.
#include "afx.h"

#include <stdio.h>

namespace {

// Classes registered by IMPLEMENT_DYNCREATE and IMPLEMENT_SERIAL, newest first, so
// that a class of a later module hides an earlier one of the same name.
CRuntimeClass* g_pFirstClass = NULL;

} // namespace

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* pNewClass)
{
    pNewClass->m_pNextClass = g_pFirstClass;
    g_pFirstClass = pNewClass;
}

// CRuntimeClass

CObject* CRuntimeClass::CreateObject()
{
    if (m_pfnCreateObject == NULL)
        return NULL;
    return m_pfnCreateObject();
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    for (const CRuntimeClass* pClass = this; pClass != NULL; pClass = pClass->GetBaseClass())
    {
        if (pClass == pBaseClass)
            return TRUE;
    }
    return FALSE;
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCSTR lpszClassName)
{
    for (CRuntimeClass* pClass = g_pFirstClass; pClass != NULL; pClass = pClass->m_pNextClass)
    {
        if (strcmp(pClass->m_lpszClassName, lpszClassName) == 0)
            return pClass;
    }
    return NULL;
}

CObject* PASCAL CRuntimeClass::CreateObject(LPCSTR lpszClassName)
{
    CRuntimeClass* pClass = FromName(lpszClassName);
    return pClass == NULL ? NULL : pClass->CreateObject();
}

// CObject

AFX_DATA CRuntimeClass CObject::classCObject = {
    "CObject", sizeof(CObject), 0xFFFF, NULL, NULL, NULL };

CRuntimeClass* PASCAL CObject::GetThisClass() { return &CObject::classCObject; }

CRuntimeClass* CObject::GetRuntimeClass() const { return &CObject::classCObject; }

BOOL CObject::IsSerializable() const { return GetRuntimeClass()->m_wSchema != 0xFFFF; }

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

void CObject::Serialize(CArchive&) {}

void CObject::AssertValid() const {}

void CObject::Dump(CDumpContext& dc) const
{
    dc << "a " << GetRuntimeClass()->m_lpszClassName << " at " << (const void*)this << "\n";
}

CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject)
{
    if (pObject != NULL && pObject->IsKindOf(pClass))
        return pObject;
    return NULL;
}

// CDumpContext writes to the debugger.

CDumpContext afxDump;

CDumpContext& CDumpContext::operator<<(LPCSTR lpsz)
{
    OutputDebugStringA(lpsz == NULL ? "(NULL)" : lpsz);
    return *this;
}

CDumpContext& CDumpContext::operator<<(const void* lp)
{
    char sz[32];
    snprintf(sz, sizeof sz, "%p", lp);
    return *this << sz;
}

CDumpContext& CDumpContext::operator<<(int n)
{
    char sz[16];
    snprintf(sz, sizeof sz, "%d", n);
    return *this << sz;
}

CDumpContext& CDumpContext::operator<<(UINT n)
{
    char sz[16];
    snprintf(sz, sizeof sz, "%u", n);
    return *this << sz;
}

#ifdef _WIN32
CDumpContext& CDumpContext::operator<<(LONG l) { return *this << (int)l; }
CDumpContext& CDumpContext::operator<<(DWORD dw) { return *this << (UINT)dw; }
#endif

CDumpContext& CDumpContext::operator<<(const CObject* pOb)
{
    if (pOb == NULL)
        return *this << "NULL";
    pOb->Dump(*this);
    return *this;
}

CDumpContext& CDumpContext::operator<<(const CObject& ob) { return *this << &ob; }

#ifdef _DEBUG
BOOL AFXAPI AfxAssertFailedLine(LPCSTR lpszFileName, int nLine)
{
    char sz[300];
    snprintf(sz, sizeof sz, "Assertion failed: %s, line %d\n", lpszFileName, nLine);
    OutputDebugStringA(sz);
    DebugBreak();
    return FALSE;
}
#endif
