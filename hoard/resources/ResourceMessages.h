// The messages that announce changes to resources. Each is built on the stack,
// broadcast once and destroyed.
#pragma once

#include "hoard/runtime/Message.h"

class CResource;

// After a resource was appended to its file, before the file is marked modified.
class HOARD_API MsgAddedResource : public Message
{
public:
    explicit MsgAddedResource(CResource* pResource) : m_pResource(pResource) {}
    ~MsgAddedResource() override;
    CResource* m_pResource;
};

// After a resource in a file changed its name (compared case-insensitively). The
// names are valid only during the broadcast.
class HOARD_API MsgRenamedResource : public Message
{
public:
    MsgRenamedResource(CResource* pResource, const char* pszOldName, const char* pszNewName)
        : m_pResource(pResource), m_pszOldName(pszOldName), m_pszNewName(pszNewName) {}
    ~MsgRenamedResource() override;
    CResource* m_pResource;
    const char* m_pszOldName;
    const char* m_pszNewName;
};

// Broadcast by an editor after it changed a resource's content.
class HOARD_API MsgEditedResource : public Message
{
public:
    explicit MsgEditedResource(CResource* pResource) : m_pResource(pResource) {}
    ~MsgEditedResource() override;
    CResource* m_pResource;
};

// Before a file deletes a resource, while nothing has changed yet.
class HOARD_API MsgDeletingResource : public Message
{
public:
    explicit MsgDeletingResource(CResource* pResource) : m_pResource(pResource) {}
    ~MsgDeletingResource() override;
    CResource* m_pResource;
};

// After a file destroyed a resource: the type name and the name it had.
class HOARD_API MsgDeletedResource : public Message
{
public:
    MsgDeletedResource(const char* pszType, const char* pszName)
        : m_strType(pszType), m_strName(pszName) {}
    ~MsgDeletedResource() override;
    CString m_strType;
    CString m_strName;
};

// While a resource is stored, right after its name was written.
class HOARD_API MsgSavedResource : public Message
{
public:
    explicit MsgSavedResource(CResource* pResource) : m_pResource(pResource) {}
    ~MsgSavedResource() override;
    CResource* m_pResource;
};
