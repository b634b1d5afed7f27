// Decoding compressed image data into 32-bit pixels with the Windows Imaging Component.
#pragma once

#include "media/MediaEntry.h"

#include <wincodec.h>

// The most pixels a compressed image may declare (its own size, before scaling) and
// the most a job may ask for: 8192 x 8192.
constexpr unsigned long long kMaxDecodePixels = 8192ull * 8192ull;

// Decodes job.pData as an image of the container format into job.pBits, scaled to
// job.nWidth x job.nHeight; 0 or a CMGR_ERR_ code. Initialises COM on the calling thread
// for the call's duration, in whatever apartment the thread already has.
LONG_PTR WicDecode(const GUID& container, const CMGRDECOMPRESS& job);
