// CView: a child window that shows a document. A view is created by its frame from a
// CCreateContext, adds itself to the context's document as it is created and leaves
// it when it goes; it deletes its own object after its window (views live on the
// heap). Commands reach the view first when it is its frame's active view, then its
// document. Printing goes through the print virtuals declared here.
#pragma once

#include "afxwnd_.h"

class CDocument;
class CDocTemplate;
class CFrameWnd;
class CPrintInfo;

// What a frame needs to create the view and its document's frame: the lpCreateParams
// of a frame's creation (for an MDI child, the lParam of its MDICREATESTRUCT) and of
// its view's.
struct CCreateContext
{
    CRuntimeClass* m_pNewViewClass;     // the class of the view to create, or NULL
    CDocument* m_pCurrentDoc;           // the document the new view shows
    CDocTemplate* m_pNewDocTemplate;    // the template that creates the frame
    CView* m_pLastView;                 // the view the new one is made from, or NULL
    CFrameWnd* m_pCurrentFrame;         // the frame the new one is made from, or NULL

    CCreateContext()
        : m_pNewViewClass(NULL), m_pCurrentDoc(NULL), m_pNewDocTemplate(NULL), m_pLastView(NULL),
          m_pCurrentFrame(NULL)
    {
    }
};

class AFX_FRAMEWORK CView : public CWnd
{
    DECLARE_DYNAMIC(CView)
protected:
    CView();

public:
    // A view still in a document leaves it (which may close an auto-delete document
    // whose last view this was).
    ~CView() override;

// Attributes
    CDocument* GetDocument() const { return m_pDocument; }

// Overridables
    // Whether a document item is selected in this view; none by default.
    virtual BOOL IsSelected(const CObject* pDocItem) const;
    // Once, after the view's frame is created and before it is shown: OnUpdate(NULL, 0, NULL).
    virtual void OnInitialUpdate();

    // The view itself, then its document.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    // The framework's frame-or-view class; WS_BORDER becomes the sunken client edge.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    // The view becomes (bActivate) or stops being its frame's active view; activating
    // takes the focus when the view's top-level window is in the foreground.
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    // The frame of an active view was activated or deactivated (nState as WM_ACTIVATE's);
    // does nothing here.
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);
    // The document changed (UpdateAllViews); pSender is the view that changed it, or
    // NULL. The default repaints the whole view.
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);

    // Draws the document: on the screen from OnPaint, on paper from OnPrint.
    virtual void OnDraw(CDC* pDC) = 0;
    // Before each OnDraw (pInfo NULL) and each printed page. Here, a printed document of
    // unknown length (maximum page 0xFFFF) ends after page 1 (m_bContinuePrinting).
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL);

// Printing
    // Before the print dialog; FALSE cancels printing. TRUE here.
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    // Once the printer context exists, and after the last page. Nothing here.
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    // One page: OnDraw on the printer's context.
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);

    // From OnPreparePrinting: the Print dialog, or with pInfo->m_bDirect the
    // application's printer without it, into pInfo->m_pPD (its hDC among them). FALSE
    // when the user cancelled or there is no printer (after the no-printer message).
    BOOL DoPreparePrinting(CPrintInfo* pInfo);
    // ID_FILE_PRINT and ID_FILE_PRINT_DIRECT, for the view's message map: prints the
    // pages through OnPreparePrinting, OnBeginPrinting, OnPrepareDC, OnPrint and
    // OnEndPrinting, with the printing dialog and its Cancel button.
    afx_msg void OnFilePrint();

// Implementation
    CDocument* m_pDocument;

    void PostNcDestroy() override;

    // Joins the document of the creation context.
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    // The frame forgets the view as its active one.
    afx_msg void OnDestroy();
    // OnPrepareDC, then OnDraw, on the paint context.
    afx_msg void OnPaint();
    // A click makes the view its frame's active view.
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);

    friend class CDocument;
    friend class CFrameWnd;
    friend class CMDIChildWnd;

    DECLARE_MESSAGE_MAP()
};
