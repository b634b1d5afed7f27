// hoard.dll as a framework extension library: its registration and its own resources.
#pragma once

#include "hoard/hoard_api.h"

// The module that holds hoard's string table, dialogs and bitmaps.
HOARD_API HINSTANCE HoardResourceHandle();

// A string of hoard's own string table; hoard's ids may also exist in other modules'
// tables, so they are not looked up through the resource chain.
HOARD_API CString HoardLoadString(UINT nID);
