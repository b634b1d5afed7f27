// What programs that include afxdisp.h call at start-up. The framework hosts no OLE
// controls and offers no OLE automation: AfxEnableControlContainer only lets such a
// program start. A dialog template that holds an OLE control still fails to create, as
// it would without the call.
#pragma once

#include "afxwin.h"

// Does nothing: there is no control container to enable.
inline void AFXAPI AfxEnableControlContainer() {}
