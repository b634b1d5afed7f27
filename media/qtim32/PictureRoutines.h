// QTIM32.DLL's routines on a picture handle, as the dispatcher calls them once the
// library is initialised. None of them throws for a bad handle or a bad picture; an
// allocation that fails may throw std::bad_alloc, which the dispatcher catches.
#pragma once

#include "media/MediaEntry.h"

#include "media/pict/PictTypes.h"

#include <cstddef>
#include <cstdint>

// Routine 9: draws the picture of hPict scaled into *prcDst on hdc; 0 or a QTIM_ERR_ code.
LONG_PTR DrawPicture(HDC hdc, HGLOBAL hPict, const RECT* prcDst);

// Routine 34: fills *pInfo; 0 or a QTIM_ERR_ code.
LONG_PTR GetPictureInfo(HGLOBAL hPict, QTPICTINFO* pInfo);

// Routine 46: a new GMEM_MOVEABLE packed DIB of the picture, or NULL.
HGLOBAL PictureToDIB(HGLOBAL hPict);

// Draws the picture in data[0..size), whose frame (not empty) the caller has read, with
// the frame mapped onto rcDst, a rectangle in hdc's logical coordinates, and clipped to
// it; hdc's state is as it was afterwards. 0 or a QTIM_ERR_ code.
LONG_PTR DrawPictureBytes(HDC hdc, const uint8_t* data, size_t size, const pict::Rect& frame,
                          const RECT& rcDst);
