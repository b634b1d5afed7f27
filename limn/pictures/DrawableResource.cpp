// CDrawableResource: its runtime class and its payload.
#include "limn/pictures/DrawableResource.h"

IMPLEMENT_DYNAMIC(CDrawableResource, CResource)

void CDrawableResource::Serialize(CArchive& ar)
{
    CResource::Serialize(ar);
    CDrawable::Serialize(ar);
}
