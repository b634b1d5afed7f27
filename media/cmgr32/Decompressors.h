// The component registry of CMGR32.DLL: the image decompressors it offers, each keyed by
// the four-character codec type that names it in a compressed image's description.
#pragma once

#include "media/MediaEntry.h"

// A component number as routine CMGR_FINDDECOMPRESSOR returns it: 1-based, 0 for none.
LONG_PTR FindDecompressor(DWORD fccType);

// Decodes the job with the component; 0 or a CMGR_ERR_ code.
LONG_PTR DecompressImage(LONG_PTR component, const CMGRDECOMPRESS& job);
