// A single-document program of one frame and one view, for the tests of the views: the
// application, a template of the document and view classes given, and the frame, shown
// in the foreground with the client area asked for. Pixels are read from the view's
// window after it has painted.
#pragma once

#include <afxext.h>
#include <gtest/gtest.h>

#include "dialog_driver.h"
#include "msg_log.h"
#include "views_resource.h"

class CViewProgram
{
public:
    CViewProgram(CRuntimeClass* pDocClass, CRuntimeClass* pViewClass, CSize sizeClient = CSize(400, 300))
        : m_app("Views")
    {
        m_app.AddDocTemplate(new CSingleDocTemplate(IDR_VIEWS, pDocClass, RUNTIME_CLASS(CFrameWnd), pViewClass));
        m_app.m_nCmdShow = SW_SHOW;
        m_app.OnFileNew();
        m_pFrame = dynamic_cast<CFrameWnd*>(m_app.m_pMainWnd);
        if (m_pFrame == NULL)
        {
            ADD_FAILURE() << "the frame was not created";
            return;
        }
        SetClientSize(sizeClient);
        m_pFrame->SetForegroundWindow();
        PumpWaiting();
    }
    ~CViewProgram()
    {
        m_app.CloseAllDocuments(TRUE);
        if (m_app.m_pMainWnd != NULL)
            m_app.m_pMainWnd->DestroyWindow();
        PumpWaiting();
        MSG msg;
        while (PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE))
        {
        }
    }
    CViewProgram(const CViewProgram&) = delete;
    CViewProgram& operator=(const CViewProgram&) = delete;

    CView* View() const { return m_pFrame->GetActiveView(); }
    CDocument* Doc() const { return m_pFrame->GetActiveDocument(); }

    // Sizes the frame so that its client area, which the view fills, is sizeClient.
    void SetClientSize(CSize sizeClient)
    {
        CRect rectWindow, rectClient;
        m_pFrame->GetWindowRect(&rectWindow);
        m_pFrame->GetClientRect(&rectClient);
        m_pFrame->SetWindowPos(NULL, 0, 0, rectWindow.Width() - rectClient.Width() + sizeClient.cx,
                               rectWindow.Height() - rectClient.Height() + sizeClient.cy,
                               SWP_NOZORDER | SWP_NOACTIVATE);
        PumpWaiting();
    }

    // The view's client area.
    CSize ViewSize() const
    {
        CRect rect;
        View()->GetClientRect(&rect);
        return rect.Size();
    }

    // The colour the view shows at ptClient, once it has painted what was pending.
    COLORREF PixelAt(CPoint ptClient) const
    {
        View()->UpdateWindow();
        CClientDC dc(View());
        return dc.GetPixel(ptClient);
    }

    CWinApp m_app;
    CFrameWnd* m_pFrame = NULL;
};
