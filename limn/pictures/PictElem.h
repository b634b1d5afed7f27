// CPictElem: one element of a picture, placed in it by a rectangle (bitmaps, shapes, and
// any element class an application adds). Through its CObject base an element has a
// runtime class, a virtual destructor and Serialize; pictures store elements as archive
// objects and create them again by class name.
#pragma once

#include "limn/pictures/Drawable.h"
#include "hoard/resources/ResourcePtr.h"

class CPicture;

class LIMN_API CPictElem : public CDrawable, public CObject
{
    DECLARE_DYNAMIC(CPictElem)
public:
    CPictElem() = default;
    ~CPictElem() override;

// Overridables
    // Becomes a copy of pOther, an element of the same class; nothing here.
    virtual void CopyFrom(const CPictElem* pOther);
    virtual void FlipHorizontally();
    virtual void FlipVertically();
    // The element's default top-left corner inside a picture; (0, 0) here.
    virtual CPoint GetPosition();

// Operations
    // A new element of this element's class, by dynamic creation, made a copy of this
    // one with CopyFrom; NULL when the class cannot be created by name.
    CPictElem* CreateCopy() const;

private:
    friend class CPicture;

    // A counting resource pointer through which an element that is also a resource
    // lives as long as its usage count says, instead of as long as its picture.
    class CSelfPtr : public CResourcePtrBase
    {
    public:
        using CResourcePtrBase::operator=;
        CResource* Get() const { return GetResourcePtr(); }
    };

    CSelfPtr m_ptrSelf;         // empty unless a picture linked the element to itself
};
