// picgen's samples in formats other than the bitmap file: Macintosh pictures made by our
// own picture writer, and pictures made by the system's encoders.
#pragma once

#include "Image.h"

// landscape-packed.pct (the landscape reduced to 256 colours, PackBitsRect),
// landscape-direct.pct (the landscape in direct colour, DirectBitsRect) and drawing.pct
// (a house, a garden and a sun drawn with QuickDraw's shapes and text), each after the
// 512-byte header of a picture file.
void WriteMacPictures(const CString& strFolder, const CImage& landscape);

// landscape-photo.jpg (the landscape as a JPEG) and sun-alpha.png (a sun whose
// background is transparent and whose edges are partly so).
void WriteCodecPictures(const CString& strFolder, const CImage& landscape);
