// CContainer::IsWindowActive: whether the application's main window is in front, asked
// of the thread's application object.
#include "limn/containers/Container.h"

BOOL CContainer::IsWindowActive() const
{
    CWinThread* pThread = AfxGetThread();
    CWnd* pMainWnd = pThread != NULL ? pThread->GetMainWnd() : NULL;
    return ::GetForegroundWindow() == (pMainWnd != NULL ? pMainWnd->m_hWnd : NULL);
}
