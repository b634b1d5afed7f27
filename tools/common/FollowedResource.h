// Follows a resource through saving, which merges identical resources of a type into
// the first of them: the pointer then names the one that was kept.
#pragma once

#include "hoard/resources/ResourcePtr.h"

class CFollowedResource : public CResourcePtrBase
{
public:
    explicit CFollowedResource(CResource* pRes) : CResourcePtrBase(pRes, FALSE) {}
    using CResourcePtrBase::operator=;
    CResource* Get() const { return GetResourcePtr(); }
};
