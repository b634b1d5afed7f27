// QTIM32's use of the component manager, CMGR32.DLL, for compressed images: found at the
// moment of need among the modules the process has loaded (its user loads it; this
// library never loads it itself).
#pragma once

#include "media/pict/PictSink.h"

// Decompresses image into pixels of its own width x height through the decompressor
// that CMGR32.DLL registers for its codec. False when CMGR32.DLL is not loaded, has no
// decompressor for the codec, or the data does not decode; pixels are then unspecified.
bool DecompressWithComponentManager(const pict::CompressedImage& image, pict::Image& pixels);
