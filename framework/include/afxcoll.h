// The non-template collections: pointer, object and string lists, arrays and maps.
#pragma once

#include "afxtempl.h"

class AFX_FRAMEWORK CPtrList : public CList<void*, void*>
{
    DECLARE_DYNAMIC(CPtrList)
public:
    explicit CPtrList(INT_PTR nBlockSize = 10) : CList<void*, void*>(nBlockSize) {}
    typedef void* BASE_TYPE;
    typedef void* BASE_ARG_TYPE;
};

class AFX_FRAMEWORK CObList : public CList<CObject*, CObject*>
{
    DECLARE_SERIAL(CObList)
public:
    explicit CObList(INT_PTR nBlockSize = 10) : CList<CObject*, CObject*>(nBlockSize) {}
    typedef CObject* BASE_TYPE;
    typedef CObject* BASE_ARG_TYPE;
};

class AFX_FRAMEWORK CStringList : public CList<CString, LPCSTR>
{
    DECLARE_SERIAL(CStringList)
public:
    explicit CStringList(INT_PTR nBlockSize = 10) : CList<CString, LPCSTR>(nBlockSize) {}
};

class AFX_FRAMEWORK CPtrArray : public CArray<void*, void*>
{
    DECLARE_DYNAMIC(CPtrArray)
public:
    typedef void* BASE_TYPE;
    typedef void* BASE_ARG_TYPE;
};

class AFX_FRAMEWORK CObArray : public CArray<CObject*, CObject*>
{
    DECLARE_SERIAL(CObArray)
public:
    typedef CObject* BASE_TYPE;
    typedef CObject* BASE_ARG_TYPE;
};

class AFX_FRAMEWORK CStringArray : public CArray<CString, LPCSTR>
{
    DECLARE_SERIAL(CStringArray)
};

class AFX_FRAMEWORK CByteArray : public CArray<BYTE, BYTE>
{
    DECLARE_SERIAL(CByteArray)
};

class AFX_FRAMEWORK CWordArray : public CArray<WORD, WORD>
{
    DECLARE_SERIAL(CWordArray)
};

class AFX_FRAMEWORK CDWordArray : public CArray<DWORD, DWORD>
{
    DECLARE_SERIAL(CDWordArray)
};

class AFX_FRAMEWORK CUIntArray : public CArray<UINT, UINT>
{
    DECLARE_DYNAMIC(CUIntArray)
};

class AFX_FRAMEWORK CMapPtrToPtr : public CMap<void*, void*, void*, void*>
{
    DECLARE_DYNAMIC(CMapPtrToPtr)
public:
    explicit CMapPtrToPtr(INT_PTR nBlockSize = 10) : CMap<void*, void*, void*, void*>(nBlockSize) {}
    typedef void* BASE_KEY;
    typedef void* BASE_ARG_KEY;
    typedef void* BASE_VALUE;
    typedef void* BASE_ARG_VALUE;
};

class AFX_FRAMEWORK CMapWordToPtr : public CMap<WORD, WORD, void*, void*>
{
    DECLARE_DYNAMIC(CMapWordToPtr)
public:
    explicit CMapWordToPtr(INT_PTR nBlockSize = 10) : CMap<WORD, WORD, void*, void*>(nBlockSize) {}
    typedef WORD BASE_KEY;
    typedef WORD BASE_ARG_KEY;
    typedef void* BASE_VALUE;
    typedef void* BASE_ARG_VALUE;
};

class AFX_FRAMEWORK CMapPtrToWord : public CMap<void*, void*, WORD, WORD>
{
    DECLARE_DYNAMIC(CMapPtrToWord)
public:
    explicit CMapPtrToWord(INT_PTR nBlockSize = 10) : CMap<void*, void*, WORD, WORD>(nBlockSize) {}
    typedef void* BASE_KEY;
    typedef void* BASE_ARG_KEY;
    typedef WORD BASE_VALUE;
    typedef WORD BASE_ARG_VALUE;
};

class AFX_FRAMEWORK CMapWordToOb : public CMap<WORD, WORD, CObject*, CObject*>
{
    DECLARE_SERIAL(CMapWordToOb)
public:
    explicit CMapWordToOb(INT_PTR nBlockSize = 10) : CMap<WORD, WORD, CObject*, CObject*>(nBlockSize) {}
    typedef WORD BASE_KEY;
    typedef WORD BASE_ARG_KEY;
    typedef CObject* BASE_VALUE;
    typedef CObject* BASE_ARG_VALUE;
};

class AFX_FRAMEWORK CMapStringToPtr : public CMap<CString, LPCSTR, void*, void*>
{
    DECLARE_DYNAMIC(CMapStringToPtr)
public:
    explicit CMapStringToPtr(INT_PTR nBlockSize = 10) : CMap<CString, LPCSTR, void*, void*>(nBlockSize) {}
    UINT HashKey(LPCSTR key) const { return ::HashKey<LPCSTR>(key); }
    typedef CString BASE_KEY;
    typedef LPCSTR BASE_ARG_KEY;
    typedef void* BASE_VALUE;
    typedef void* BASE_ARG_VALUE;
};

class AFX_FRAMEWORK CMapStringToOb : public CMap<CString, LPCSTR, CObject*, CObject*>
{
    DECLARE_SERIAL(CMapStringToOb)
public:
    explicit CMapStringToOb(INT_PTR nBlockSize = 10) : CMap<CString, LPCSTR, CObject*, CObject*>(nBlockSize) {}
    UINT HashKey(LPCSTR key) const { return ::HashKey<LPCSTR>(key); }
    typedef CString BASE_KEY;
    typedef LPCSTR BASE_ARG_KEY;
    typedef CObject* BASE_VALUE;
    typedef CObject* BASE_ARG_VALUE;
};

class AFX_FRAMEWORK CMapStringToString : public CMap<CString, LPCSTR, CString, LPCSTR>
{
    DECLARE_SERIAL(CMapStringToString)
public:
    explicit CMapStringToString(INT_PTR nBlockSize = 10) : CMap<CString, LPCSTR, CString, LPCSTR>(nBlockSize) {}
    UINT HashKey(LPCSTR key) const { return ::HashKey<LPCSTR>(key); }
};
