// CPictElemArray: the stubs of a picture, in drawing order, with their archive form.
#pragma once

#include "limn/pictures/PictElemStub.h"

#include <afxtempl.h>

#include <memory>
#include <vector>

class LIMN_API CPictElemArray : public CArray<CPictElemStub, const CPictElemStub&>
{
public:
    // The count, then per stub its rectangle (left, top, right, bottom, 32 bits each)
    // and its element as an archive object record, null for no element.
    //
    // Reading appends the stubs to the array. An element record that refers back to an
    // element stored earlier, which some other stub holds, gives this stub a copy of it
    // (CPictElem::CreateCopy), so that every element has one owner. A record of an object
    // that is not a picture element gives the stub no element; a record of a class that
    // is not known at all is refused with the archive's badClass exception.
    void Serialize(CArchive& ar) override;

private:
    // The element of one stub's record, or NULL.
    CPictElem* ReadElem(CArchive& ar);
    // Takes into m_unused the objects that the records numbered from nFirst on created
    // and that nothing else owns.
    void KeepUnowned(CArchive& ar, DWORD nFirst);

    // Objects that element records created but that are no stub's element, nor owned by
    // another object they created, nor resources that a resource file took: what a
    // record that is not a picture element created, down to what its collections hold.
    // Later records of the same archive may refer to them or to what they hold, so they
    // live until the array is read again or goes.
    std::vector<std::unique_ptr<CObject>> m_unused;
};
