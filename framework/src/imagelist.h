// A new CImageList object owning an image list a control made (a drag image), for the
// caller to delete; NULL for NULL.
#pragma once

#include "afxcmn.h"

CImageList* AfxNewImageList(HIMAGELIST hImageList);
