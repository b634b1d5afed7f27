// What every limn header needs: the framework, hoard and the export macro of limn.dll.
#pragma once

#include <afxwin.h>

#include "hoard/hoard_api.h"

#if !defined(_WIN32)
  #define LIMN_API
#elif defined(_LIMN_BUILDING)
  #define LIMN_API __declspec(dllexport)
#else
  #define LIMN_API __declspec(dllimport)
#endif
