// The editing dialog as a resource type's command sees it.
#pragma once

#include "hoard/hoard_api.h"

class CResource;

class HOARD_API CEditProxy
{
public:
    // Creates a resource of the dialog's type; a null name makes the dialog ask for one.
    virtual CResource* New(const char* pszName) = 0;
    virtual void UpdatePreview() = 0;
    virtual void UpdateList() = 0;

protected:
    ~CEditProxy() = default;
};
