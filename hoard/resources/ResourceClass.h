// CResourceClass: the registry entry of one resource type. Each concrete resource
// class has one static object of a class derived from it, which links itself into
// the registry while static objects are constructed.
#pragma once

#include "hoard/hoard_api.h"
#include "hoard/runtime/MappedString.h"

class CEditProxy;
class CHoard;
class CResource;

// How well a resource type can take what is on the clipboard.
enum ClipboardResult
{
    clipNone = 0,
    clipCanConvert = 1,
    clipPreferred = 2      // takes precedence over types that answer clipCanConvert
};

class HOARD_API CResourceClass
{
public:
    // An application's own grading of types; the library only stores it.
    enum UserLevel { userLevelBasic = 0 };

// Registry
    // Lets every class add its commands and enters it in the name map. Call it once,
    // after the mapped strings are loaded: command labels are translated as added.
    static void InitResourceClasses();
    // Exact lookup by type name; null before InitResourceClasses.
    static CResourceClass* GetResourceClass(const char* pszType);
    static CResourceClass* GetHead() { return m_pHead; }
    CResourceClass* GetNext() const { return m_pNext; }

// Attributes
    CMappedString GetName() const { return GetClassName(); }
    const char* GetClassName() const { return m_pRuntimeClass->m_lpszClassName; }
    CRuntimeClass* GetRuntimeClass() const { return m_pRuntimeClass; }
    const CStringArray& GetCommandArray() const { return m_arrCommands; }
    BOOL CanPreview() const { return m_bCanPreview; }
    BOOL IsVisual() const { return m_bIsVisual; }
    BOOL WantsNotifications() const { return m_bWantsNotifications; }
    UserLevel GetUserLevel() const { return m_nUserLevel; }
    // Whether a file writes the type's block after those of the other types. A type
    // that older programs do not know says so: they skip its block whole, and a block
    // after it would refer back to records by numbers that they never gave.
    BOOL IsWrittenLast() const { return m_bWrittenLast; }

// Overridables
    virtual void OnInitClass();
    virtual ClipboardResult CanConvertClipboard();
    virtual CResource* GetDefaultResource(CHoard& hoard);
    virtual BOOL CanDoCommand(WORD nCommand, const CHoard& hoard, const CResource* pSelected);
    virtual void OnCommand(WORD nCommand, const CHoard& hoard, CResource* pSelected,
                           CEditProxy& proxy);

protected:
    explicit CResourceClass(CRuntimeClass* pRuntimeClass);
    // Class objects live as long as the process and are never unlinked.
    ~CResourceClass() = default;

    CResourceClass(const CResourceClass&) = delete;
    CResourceClass& operator=(const CResourceClass&) = delete;

    // Appends the label's text as looked up now; its index is the command's number.
    void AddCommand(CMappedString label);

    CRuntimeClass* m_pRuntimeClass;
    CResourceClass* m_pNext;
    CStringArray m_arrCommands;
    BOOL m_bCanPreview;
    BOOL m_bIsVisual;
    BOOL m_bWantsNotifications;
    UserLevel m_nUserLevel;
    BOOL m_bWrittenLast;

private:
    static CResourceClass* m_pHead;
    static CMapStringToPtr m_mapResourceInfo;
};
