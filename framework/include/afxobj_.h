// CObject, CRuntimeClass and the macros that give a class run-time type
// information, dynamic creation and serialization with a schema number.
#pragma once

#include "afxver_.h"

class CObject;
class CArchive;
class CDumpContext;

struct AFX_FRAMEWORK CRuntimeClass
{
// Attributes
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    // 0xFFFF for classes that cannot be serialized; with VERSIONABLE_SCHEMA, the archive
    // reads any stored schema and leaves the object to ask for it (GetObjectSchema).
    UINT m_wSchema;
    CObject* (PASCAL* m_pfnCreateObject)();  // null for classes that cannot be created
    CRuntimeClass* (PASCAL* m_pfnGetBaseClass)();
    CRuntimeClass* m_pNextClass;             // registry of classes known by name

// Operations
    CObject* CreateObject();
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
    CRuntimeClass* GetBaseClass() const { return m_pfnGetBaseClass ? m_pfnGetBaseClass() : NULL; }

    // Lookup among the classes registered by IMPLEMENT_DYNCREATE and IMPLEMENT_SERIAL.
    static CRuntimeClass* PASCAL FromName(LPCSTR lpszClassName);
    static CObject* PASCAL CreateObject(LPCSTR lpszClassName);

    // Class records as the archive stores them: schema, name length, name.
    void Store(CArchive& ar) const;
    static CRuntimeClass* PASCAL Load(CArchive& ar, UINT* pwSchemaNum);
};

// Links a class into the registry during static initialisation.
struct AFX_FRAMEWORK AFX_CLASSINIT
{
    explicit AFX_CLASSINIT(CRuntimeClass* pNewClass);
};

class AFX_FRAMEWORK CObject
{
public:
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = default;

protected:
    CObject() = default;

public:
    // Objects are not copied through the base: a copy would share what the object owns.
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;

// Attributes
    BOOL IsSerializable() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;

// Overridables
    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const;
    virtual void Dump(CDumpContext& dc) const;

// Implementation
public:
    static AFX_DATA CRuntimeClass classCObject;
    static CRuntimeClass* PASCAL GetThisClass();
};

#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())

// Or'ed into the schema of IMPLEMENT_SERIAL: objects stored with another schema are read
// all the same. A class record stores the schema's low 16 bits.
#define VERSIONABLE_SCHEMA (0x80000000)

// A checked down-cast: null when the object is not of the class.
AFX_FRAMEWORK CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject);
#define DYNAMIC_DOWNCAST(class_name, object) \
    ((class_name*)AfxDynamicDownCast(RUNTIME_CLASS(class_name), object))
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))

#define DECLARE_DYNAMIC(class_name) \
protected: \
    static CRuntimeClass* PASCAL _GetBaseClass(); \
public: \
    static AFX_DATA CRuntimeClass class##class_name; \
    static CRuntimeClass* PASCAL GetThisClass(); \
    virtual CRuntimeClass* GetRuntimeClass() const;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name) \
    static CObject* PASCAL CreateObject();

#define DECLARE_SERIAL(class_name) \
    DECLARE_DYNCREATE(class_name) \
    friend CArchive& AFXAPI operator>>(CArchive& ar, class_name*& pOb);

#define _IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew) \
    CRuntimeClass* PASCAL class_name::_GetBaseClass() \
        { return RUNTIME_CLASS(base_class_name); } \
    AFX_DATA CRuntimeClass class_name::class##class_name = { \
        #class_name, sizeof(class class_name), wSchema, pfnNew, \
        &class_name::_GetBaseClass, NULL }; \
    CRuntimeClass* PASCAL class_name::GetThisClass() \
        { return &class_name::class##class_name; } \
    CRuntimeClass* class_name::GetRuntimeClass() const \
        { return &class_name::class##class_name; }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    _IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, NULL)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
    CObject* PASCAL class_name::CreateObject() { return new class_name; } \
    _IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject) \
    static const AFX_CLASSINIT _init_##class_name(RUNTIME_CLASS(class_name));

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema) \
    CObject* PASCAL class_name::CreateObject() { return new class_name; } \
    _IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject) \
    static const AFX_CLASSINIT _init_##class_name(RUNTIME_CLASS(class_name)); \
    CArchive& AFXAPI operator>>(CArchive& ar, class_name*& pOb) \
        { pOb = (class_name*)ar.ReadObject(RUNTIME_CLASS(class_name)); return ar; }

// Diagnostic output for Dump; it writes to the debugger.
class AFX_FRAMEWORK CDumpContext
{
public:
    CDumpContext() = default;
    CDumpContext(const CDumpContext&) = delete;
    CDumpContext& operator=(const CDumpContext&) = delete;

    CDumpContext& operator<<(LPCSTR lpsz);
    CDumpContext& operator<<(const void* lp);
    CDumpContext& operator<<(int n);
    CDumpContext& operator<<(UINT n);
#ifdef _WIN32
    CDumpContext& operator<<(LONG l);
    CDumpContext& operator<<(DWORD dw);
#endif
    CDumpContext& operator<<(const CObject* pOb);
    CDumpContext& operator<<(const CObject& ob);
    void Flush() {}
};

extern AFX_FRAMEWORK CDumpContext afxDump;
