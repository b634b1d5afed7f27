// Label pictures: text drawn as a picture, for the containers of generated screens.
#pragma once

#include <afxwin.h>

class CHoard;
class CPicture;

// Adds to hoard a picture named pszName (numbered when the name is taken) of pszText
// centred on a background of crBack, as the label of a container of that colour, in
// bold Arial nHeight pixels high; the picture keeps the bitmap as 16 bits. Throws the
// framework's resource or memory exception when GDI cannot make it.
CPicture* AddLabel(CHoard& hoard, const char* pszName, const char* pszText, CSize size, int nHeight, COLORREF crText,
                   COLORREF crBack);
