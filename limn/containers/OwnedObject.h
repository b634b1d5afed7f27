// Reading objects that their reader owns. An archive may refer back to any object read
// before, but an owned object (a container's frame, a child, the root of a tree) must be
// stored in full where it belongs: a reference would give an object a second owner, or
// make a container its own descendant.
#pragma once

#include "limn/limn_api.h"

// The archive's exception, "has an invalid format", for damage that the archive cannot
// see itself.
[[noreturn]] inline void ThrowDamagedArchive(CArchive& ar)
{
    AfxThrowArchiveException(CArchiveException::badIndex, ar.GetFile()->GetFilePath());
}

// Null, or an object of class T (or derived) that this record creates.
template <class T>
T* ReadOwnedObject(CArchive& ar)
{
    DWORD nNumbered = ar.GetMapCount();
    CObject* pObject = ar.ReadObject(RUNTIME_CLASS(T));
    if (pObject != NULL && ar.GetMapCount() == nNumbered)
        ThrowDamagedArchive(ar);
    return static_cast<T*>(pObject);
}
