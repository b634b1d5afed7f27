// CResource: a named, typed object in a resource file, with a usage count kept by
// the counting resource pointers.
#pragma once

#include "hoard/hoard_api.h"

class CDC;
class CWnd;
class CRect;
class CHoard;
class CResourceClass;
class CResourcePtrBase;
class CResourcePtrData;

class HOARD_API CResource : public CObject
{
    DECLARE_DYNAMIC(CResource)
protected:
    CResource();

public:
    // Takes the resource out of its file and nulls every resource pointer to it.
    ~CResource() override;

    // Writes or reads the name; a resource read while a file is being read enters it.
    void Serialize(CArchive& ar) override;

// Overridables
protected:
    virtual void SetHoard(CHoard* pHoard) { m_pHoard = pHoard; }
    // A new resource equal in content; null when the type cannot be duplicated.
    virtual CResource* UntypedDuplicate();

public:
    virtual CResourceClass* GetResourceClass();
    // Whether the other resource, of the same type, has the same content.
    virtual BOOL IsSameAs(const CResource* pOther) const;
    // After the user's New command created the resource; FALSE cancels the creation.
    virtual BOOL OnNew();
    virtual void OnDeleteResource();
    // Fills a new resource from a platform format on the clipboard.
    virtual void OnPaste();
    virtual void OnDoubleClick();
    // Copies this resource to the clipboard; nothing for a resource in no file.
    virtual void OnCopy();
    virtual void DrawPreview(CDC* pDC, CWnd* pWnd, const CRect& rect);
    virtual void OnClickPreview(CWnd* pWnd, const CRect& rect);

// Attributes
    const CString& GetName() const { return m_strName; }
    CHoard* GetHoard() const { return m_pHoard; }
    CHoard* GetResourceFile() const { return m_pHoard; }
    WORD GetUsageCount() const { return m_nUsageCount; }

// Operations
    // Changes the name without a uniqueness check; announces it when the resource is
    // in a file and the name changed other than in letter case.
    void SetName(const char* pszNew);
    // Names the resource after a file: no folder (nothing up to the last backslash),
    // nothing from the first full stop on, and numbered when another resource of its
    // type in its file has that name already.
    void SetNameFromPath(const char* pszPath);
    // Marks the resource's file modified; the resource must be in a file.
    void SetModified();
    // Adds a duplicate, under this resource's name, to another file.
    BOOL CopyTo(CHoard& dest);
    // Destroys the resource unless a counting pointer uses it; no messages.
    void Delete();
    // Asks the user for a new name in the name dialog; TRUE when the resource was
    // renamed. A name that another resource of the type in its file has (ignoring
    // case) is refused with a message, and so is a change of letter case only.
    BOOL OnRename();

protected:
    // This resource when unused, otherwise a duplicate that a writer may change.
    CResource* UntypedCopyBeforeWrite();
    void RemoveFromMap();

    CHoard* m_pHoard;
    CString m_strName;
    WORD m_nUsageCount;

private:
    friend class CHoard;
    friend class CResourcePtrBase;
    friend class CResourcePtrData;

    CResource* IncrementUsage();
    CResource* DecrementUsage();
};
