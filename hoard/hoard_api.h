// What every hoard header needs: the framework and the export macro of hoard.dll.
#pragma once

#include <afxwin.h>

#if !defined(_WIN32)
  #define HOARD_API
#elif defined(_HOARD_BUILDING)
  #define HOARD_API __declspec(dllexport)
#else
  #define HOARD_API __declspec(dllimport)
#endif
