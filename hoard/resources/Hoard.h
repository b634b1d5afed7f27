// CHoard: the resource file in memory. Resources are grouped by type name, unique by
// name within a type (compared case-insensitively), and every change is announced.
#pragma once

#include "hoard/hoard_api.h"
#include "hoard/resources/Resource.h"

typedef CTypedPtrList<CObList, CResource*> CResourceList;

class HOARD_API CHoard
{
public:
    CHoard();
    // Destroys every resource without messages.
    ~CHoard();

    CHoard(const CHoard&) = delete;
    CHoard& operator=(const CHoard&) = delete;

// Lookup
    // The first resource of the type whose name matches, ignoring case; never for an
    // empty name. Looks only in this file.
    CResource* GetResource(const char* pszType, const char* pszName);
    const CResource* GetResource(const char* pszType, const char* pszName) const;
    const CResourceList* GetResourceList(const char* pszType) const;
    UINT GetNumTypes() const { return (UINT)m_mapTypes.GetCount(); }
    // The type name at index i of the map's order, or null. The text lives in one
    // string shared by all calls, valid until the next call.
    const char* GetResourceType(UINT i) const;
    // Identical-resource search; returns the resource itself.
    CResource* FindIdentical(CResource* pRes) { return pRes; }
    BOOL CanPaste(const char*) { return FALSE; }
    CResource* DoPaste(const char*) { return NULL; }

// Creation and membership
    // Creates a resource of a registered type, named pszName or "Untitled" when null,
    // made unique. Null for an unknown type.
    CResource* NewResource(const char* pszType, const char* pszName);
    // Enters a resource in this file under a unique name and announces it.
    void AddToMap(CResource* pRes);
    // Makes strName unique within the type by numbering it; TRUE when it changed.
    BOOL MakeUniqueName(const char* pszType, CString& strName);
    // Takes a resource out of this file without messages; it keeps its file pointer.
    void RemoveFromMap(CResource* pRes);

// Deletion
    // Deletes an unused resource with messages; one in use is left alone.
    void DeleteResource(CResource* pRes);
    // Counts (bDelete FALSE) or destroys (TRUE) the unused resources of a type.
    int RemoveUnused(const char* pszType, BOOL bDelete);
    // Destroys every resource, without messages and without touching the modified flag.
    void RemoveContents();

// Identical resources
    // Merges identical resources of each type into the first of them.
    void CollapseIdenticalResources();

// State
    void SetModified(BOOL bModified);
    BOOL IsModified() const { return m_bModified; }
    void SetDocument(CDocument* pDocument) { m_pDocument = pDocument; }
    void SetFileReference(CString& strFileReference) { m_strFileReference = strFileReference; }
    const CString& GetFileReference() const { return m_strFileReference; }
    void Lock() { m_bLocked = TRUE; }
    void Unlock() { m_bLocked = FALSE; }
    BOOL IsLocked() const { return m_bLocked; }

    void SetDocumentHoard() const { m_pDocumentHoard = const_cast<CHoard*>(this); }
    void SetApplicationHoard() const { m_pApplicationHoard = const_cast<CHoard*>(this); }
    static CHoard* GetDocumentHoard() { return m_pDocumentHoard; }
    static CHoard* GetApplicationHoard() { return m_pApplicationHoard; }

// The clipboard
    // Puts the resources, all of one type, on the clipboard in the two formats of the
    // library: the resources as a resource file stores them, with their data blocks in
    // full, and a descriptor of their type and names. An empty list copies nothing.
    // Throws what writing the resources throws, leaving the clipboard as it was, and
    // CResourceException when the clipboard cannot be had or refuses the data.
    void OnCopyGeneric(const CResourceList& list);
    // With a null type, whether the clipboard holds resources of the library; with a
    // type, whether the clipboard's descriptor names exactly that type (letter case
    // counts). A descriptor that cannot be read names no type.
    static BOOL CanPasteGeneric(const char* pszType);
    // Pastes the clipboard's resources into this file, from private copies of its
    // data, and appends those that ended up in this file to list. When the clipboard's
    // resources have names that resources of this file have, the user is asked whether
    // to replace those (Yes), to give the pasted ones numbered names (No) or to paste
    // nothing (Cancel). A damaged or foreign stream raises the framework's exception
    // once the paste has ended; what was read before the damage stays in the file.
    void OnPasteGeneric(CResourceList& list);
    // The same from the two streams' bytes, as the clipboard gives them (null when a
    // format is missing); the paste works on them in place and does not change them.
    void PasteStreams(const BYTE* pDescriptor, UINT nDescriptor, const BYTE* pResources, UINT nResources,
                      CResourceList& list);
    // The streams of a copy, each in a new movable global block that the caller owns.
    static HGLOBAL WriteResourceStream(const CResourceList& list);
    static HGLOBAL WriteDescriptorStream(const CResourceList& list);
    // The type name and the names that a descriptor stream holds; throws the
    // framework's archive exception when it is damaged.
    static void ReadDescriptorStream(const BYTE* pDescriptor, UINT nDescriptor, CString& strType,
                                     CStringArray& names);
    // The same of the descriptor on the clipboard; FALSE when there is none.
    static BOOL ReadClipboardDescriptor(CString& strType, CStringArray& names);
    // Bracket a paste that an application or a resource type performs itself, so
    // that the resources it reads enter this file.
    void PrePaste() const { m_pCurSerializing = const_cast<CHoard*>(this); }
    void PostPaste() const { m_pCurSerializing = NULL; }
    // The clipboard formats "QX Resource Format" and "QX Resource Format Descriptor",
    // registered by name when the library is loaded.
    static void RegisterClipboardFormats();
    static WORD GetResourceFormat() { return m_cfResources; }
    static WORD GetDescriptorFormat() { return m_cfDescriptor; }

// The resource file format
    // Writes or reads the resource section at the archive's position. While it runs,
    // this is the file being serialized and the reloadable data take its path; both
    // are cleared when it ends, also by an exception.
    void Serialize(CArchive& ar);
    // Makes this the file being serialized and points the reloadable data at its path,
    // until Serialize ends or this hoard is destroyed.
    void PreSerialize() const;
    static CHoard* GetCurSerializing() { return m_pCurSerializing; }
    // Whether the archive's file ends in a section trailer, and then the offset of the
    // section it names. Moves the archive's position.
    static BOOL FindTrailer(CArchive& ar, DWORD& dwSection);
    // Whether the archive's file holds a resource section where a reader standing at
    // dwStart finds it (at the offset its trailer names, or else at dwStart): the
    // version 2, then type blocks whose lengths lead exactly to where the section
    // ends, at the trailer or at the end of the file. Gives the section's offset and
    // whether a trailer names it. A block that runs past that end raises the archive's
    // end-of-file exception: the file was cut short. Moves the archive's position.
    static BOOL FindSection(CArchive& ar, DWORD dwStart, DWORD& dwSection, BOOL& bTrailer);
    // Registers every resource with the archive, so that other data can refer to them.
    void MapResources(CArchive& ar);
    // Adds the resources of a file to those already here. pLeading, when given, reads
    // what the file holds ahead of the section (a document's own data) with its
    // Serialize, in the same archive, first.
    void LoadFromFile(const char* pszPath, CObject* pLeading = NULL);
    // Writes the file through "TEMPSAVE.TMP" beside it; the target changes only when
    // the whole file was written. pLeading, when given, writes the data that goes
    // ahead of the section with its Serialize.
    void SaveToFile(const char* pszPath, CObject* pLeading = NULL);

// Saving through a temporary file
    // "TEMPSAVE.TMP" beside pszPath (after its last backslash), which a save writes in
    // full before it replaces pszPath. FALSE when pszPath names that file itself:
    // creating it would destroy the file it is to replace.
    static BOOL GetTempSavePath(const char* pszPath, CString& strTempPath);
    // Puts the complete temporary file in the place of pszPath in one step, makes the
    // places that the save gave the reloadable blocks final and makes pszPath this
    // file's reference. Call it once the section was written: its end closed the old
    // file that unread blocks were copied from. A target that cannot be replaced
    // (read-only, or open in another program) is left as it was: the save is
    // discarded and CFileException raised.
    void ReplaceWithSaved(const char* pszTempPath, const char* pszPath);
    // Ends a save that failed: the blocks go back to their places in the old file and
    // the temporary file is deleted.
    static void DiscardSave(const char* pszTempPath);

private:
    CResourceList* FindList(const char* pszType) const;
    CResourceList* ListOf(CResource* pRes, CString* pstrType = NULL) const;
    void DestroyList(const char* pszType, CResourceList* pList);
    void ReadSection(CArchive& ar);
    void WriteSection(CArchive& ar);
    static BOOL EndsInMagic(CArchive& ar);
    class CPasteRecord;
    // The user's answer to the question whether to replace resources of the type.
    int AskToReplace(const char* pszType) const;
    void ReadPasted(CArchive& ar, CPasteRecord& record);
    void ReplaceClashes(CPasteRecord& record);

    CString m_strFileReference;
    CTypedPtrMap<CMapStringToPtr, CString, CResourceList*> m_mapTypes;
    BOOL m_bModified;
    BOOL m_bLocked;
    CDocument* m_pDocument;

    static CHoard* m_pDocumentHoard;
    static CHoard* m_pApplicationHoard;
    static CHoard* m_pCurSerializing;
    static WORD m_cfResources;
    static WORD m_cfDescriptor;
};
