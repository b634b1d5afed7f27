// The drawing side of limn's pictures, for the native build: there are no canvas and
// no dialogs here, so drawing, previews, the clipboard and the import command do
// nothing. The picture model itself (the elements, their storage and the checks of
// their bitmaps) is limn's own code.
#include "limn/pictures/DIBElem.h"
#include "limn/pictures/DrawEllipseElem.h"
#include "limn/pictures/DrawPolygonElem.h"
#include "limn/pictures/Picture.h"
#include "limn/pictures/PictureClass.h"

void CDrawableResource::DrawPreview(CCanvas&) {}
void CDrawableResource::DrawPreview(CDC*, CWnd*, const CRect&) {}
void CPicture::Draw(CCanvas&, const CRect&, const CRect&) const {}
void CPicture::OnCopy() {}
void CPicture::OnPaste() {}
void CDIBElem::Draw(CCanvas&, const CRect&, const CRect&) const {}
void CDrawPolygonElem::Draw(CCanvas&, const CRect&, const CRect&) const {}
void CDrawEllipseElem::Draw(CCanvas&, const CRect&, const CRect&) const {}
void CPictureClass::OnCommand(WORD, const CHoard&, CResource*, CEditProxy&) {}
