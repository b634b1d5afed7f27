// CResDoc: the framework document whose content is one resource file (CHoard). It
// reads and writes its file itself, a save going through a temporary file that
// replaces the target only once it is complete; it makes its resource file the
// document file, announces each opened document (MsgDocOpened), and leads into the
// resource dialogs: editing resources by type, and Paste.
#pragma once

#include "hoard/hoard_api.h"
#include "hoard/resources/Hoard.h"
#include "hoard/runtime/Message.h"

#include <afxwin.h>

class CResourceClass;

// After a document read its file, once its resources are in.
class HOARD_API MsgDocOpened : public Message
{
public:
    MsgDocOpened() = default;
    ~MsgDocOpened() override;
};

class HOARD_API CResDoc : public CDocument
{
    DECLARE_DYNCREATE(CResDoc)
protected:
    // The resource file tells this document of every change to its modified flag.
    CResDoc();

public:
    // Destroys the resources without messages.
    ~CResDoc() override;

// Attributes
    CHoard& GetHoard() { return m_hoard; }

// Overridables
    // Makes the resources the document file's and writes or reads their section at the
    // archive's position; a read ends with MsgDocOpened. A derived document writes its
    // own data ahead of the section and then calls this.
    void Serialize(CArchive& ar) override;
    BOOL IsModified() override;
    // Only stores the flag.
    void SetModifiedFlag(BOOL bModified = TRUE) override;
    // Leaves the resources in: a file opened into a document that holds resources adds
    // to them, unless a derived document empties them here.
    void DeleteContents() override;
    // The framework's new document, without resources, as the document file.
    BOOL OnNewDocument() override;
    // Reads the file as the framework does and makes the resources the document file.
    BOOL OnOpenDocument(LPCTSTR lpszPathName) override;
    // Writes "TEMPSAVE.TMP" beside the file and puts it in the file's place in one
    // step once it is complete: whatever fails, the file is as it was. A failure is
    // reported and leaves the document modified, so that saving is offered again.
    BOOL OnSaveDocument(LPCTSTR lpszPathName) override;

// Paste
    // The class whose list editor Paste opens, from pFirst on along the registry: the
    // first that prefers what is on the clipboard, else the first that can convert it;
    // NULL when none can.
    static CResourceClass* ChoosePasteClass(CResourceClass* pFirst);
    // Whether any class from pFirst on can convert what is on the clipboard.
    static BOOL CanAnyClassPaste(CResourceClass* pFirst);

protected:
    // For derived documents' commands: asks for a type and shows the list editor of
    // this document's resources of that type.
    void EditResources();

    afx_msg void OnUpdateEditPaste(CCmdUI* pCmdUI);
    // Shows the list editor of the class that ChoosePasteClass gives, which pastes
    // once it has painted itself.
    afx_msg void OnEditPaste();

    CHoard m_hoard;

private:
    // The resource dialogs: the type the user chooses (FALSE when cancelled), and the
    // list editor of a class's resources, with its preview pane when the class can
    // preview, pasting at once when asked. Until the two dialogs are in the library
    // these are placeholders: no type is chosen and no editor opens.
    BOOL ChooseResourceType(CString& strType);
    void ShowResourceEditor(CResourceClass* pClass, BOOL bPasteOnShow);

    DECLARE_MESSAGE_MAP()
};
