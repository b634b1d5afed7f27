// CResourceContainer: a container that shows a drawable resource, a picture, in its
// client area, shrunk to fit with its aspect kept and centred, 3 pixels inside the edge.
// It keeps CContainer's run-time class, so a tree stores it as a plain container with its
// name; ShowNamedPictures (NamedPictures.h) gives a tree read back its pictures again.
#pragma once

#include "limn/containers/Container.h"

class CDrawableResource;

class LIMN_API CResourceContainer : public CContainer
{
public:
    // pResource is not owned and may be NULL (nothing is drawn); it must outlive the
    // container's drawing.
    CResourceContainer(CContainer* pParent, CDrawableResource* pResource);

    CDrawableResource* GetResource() const { return m_pResource; }

    // A resource container is not announced: selecting it broadcasts nothing.
    void OnSelect() override;

protected:
    void DrawContents(CCanvas& canvas) override;

    CDrawableResource* m_pResource;
};
