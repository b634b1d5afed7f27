// limn.dll as a framework extension library: its registration and its own resources.
#pragma once

#include "limn/limn_api.h"

// The module that holds limn's string table and dialogs.
LIMN_API HINSTANCE LimnResourceHandle();
// limn.dll's own module instance.
LIMN_API HINSTANCE LimnInstanceHandle();
