// CLimnDoc: the document of a limn application. Besides its resource file (CResDoc) it
// owns the main container tree of its screen, read from and written to the document file
// ahead of the resources. It keeps track of the active document, the one whose screen
// scanning steps through and whose resources are the document file's, and it hears
// every broadcast message and passes it down its tree.
#pragma once

#include "hoard/resources/ResDoc.h"
#include "limn/limn_api.h"

class CCanvas;
class CWndContainer;

class LIMN_API CLimnDoc : public CResDoc, public CMessageReceiver
{
    DECLARE_DYNCREATE(CLimnDoc)
protected:
    // No main container yet.
    CLimnDoc();

public:
    // No longer the active document; destroys the tree.
    ~CLimnDoc() override;

// Attributes
    CWndContainer* GetMainContainer() const { return m_pMainContainer; }
    // The document made active last; NULL once it is destroyed.
    static CLimnDoc* GetActiveDoc() { return m_pActiveDoc; }
    // Takes ownership of pMain (NULL for none) as the screen and attaches it to this
    // document. The views let go of the tree there was, and it is destroyed.
    void SetMainContainer(CWndContainer* pMain);

// Overridables
    // Makes this document the active one: scanning starts over on its screen and its
    // resources become the document file's. A document being closed stays inactive.
    virtual void OnActivate();
    // Hides the screen at once, then closes as the framework does.
    void OnCloseDocument() override;
    // Draws the tree; pWnd is not used.
    virtual void Draw(CWnd* pWnd, CCanvas& canvas);
    // Passes the message to every container of the tree, parents first.
    void OnMessage(Message* pMsg) override;
    // The main container as one object record (a CWndContainer tree, or null), then the
    // resources. Makes this document the active one first.
    void Serialize(CArchive& ar) override;

protected:
    CWndContainer* m_pMainContainer;    // owned

    static CLimnDoc* m_pActiveDoc;
    static CLimnDoc* m_pClosingDoc;     // the document being closed
};
