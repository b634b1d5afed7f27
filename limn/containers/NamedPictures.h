// Pictures for a tree read back from storage. A resource container is stored as a plain
// container with its name; ShowNamedPictures gives every plain leaf container named as a
// picture of a resource file that picture again, by putting a resource container in its
// place. A leaf whose name has a choice link (ChoiceLink.h) shows the link's picture. Screens are built with their pictures' names, and shown with them.
#pragma once

#include "limn/containers/ResourceContainer.h"

class CHoard;

// Makes a resource container, without parent, that shows pResource.
typedef CResourceContainer* (*PFN_NEWRESOURCECONTAINER)(CDrawableResource* pResource);

// Replaces every leaf below pRoot that is a plain CContainer (no derived class, no
// children) and that has a picture in hoard, its choice link's or else the one of its
// name (CChoiceLink::ResourceOf), by a container that pfnNew
// makes for the picture (a CResourceContainer when pfnNew is NULL). The new container
// takes the old one's stored record (bounds, frame, fill, name, state and sizes) and its
// place in its parent's list; the old one is destroyed. Returns how many were replaced.
LIMN_API int ShowNamedPictures(CContainer* pRoot, CHoard& hoard, PFN_NEWRESOURCECONTAINER pfnNew = NULL);
// Puts pNew, a container without parent or children, in the place of pOld, a leaf with a
// parent, giving it pOld's stored record (bounds, frame, fill, name, state and sizes), and
// destroys pOld. Programs that show a stored screen with containers of their own use it.
LIMN_API void ReplaceLeaf(CContainer* pOld, CContainer* pNew);
