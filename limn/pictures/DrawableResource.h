// CDrawableResource: a resource that is also a drawable, and so can draw its own preview.
#pragma once

#include "limn/pictures/Drawable.h"
#include "hoard/resources/Resource.h"

class LIMN_API CDrawableResource : public CResource, public CDrawable
{
    DECLARE_DYNAMIC(CDrawableResource)
protected:
    CDrawableResource() = default;

public:
    // The resource's name, then the extent.
    void Serialize(CArchive& ar) override;

    // The whole drawable at its natural size, centred, when it fits inside the canvas;
    // otherwise stretched over the whole canvas. Nothing for an extent with a zero side.
    virtual void DrawPreview(CCanvas& canvas);
    // The preview into rect of pDC, through a canvas bounded to rect.
    void DrawPreview(CDC* pDC, CWnd* pWnd, const CRect& rect) override;
};
