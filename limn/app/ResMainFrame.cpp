// CResMainFrame's class-wide state.
#include "limn/app/ResMainFrame.h"

BOOL CResMainFrame::m_bForeground = FALSE;
