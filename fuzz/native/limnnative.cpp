// The drawing side of limn's pictures, for the native build: there are no canvas, no
// dialogs and no media library here, so drawing, converting Macintosh pictures,
// previews, the clipboard and the import command do nothing. The picture model itself (the elements, their storage and the checks of
// their bitmaps) is limn's own code. Nor is there a window for a scanning highlight or
// input for the scanning hooks: the scanning state of a tree stays empty.
#include "limn/pictures/DIBElem.h"
#include "limn/pictures/DrawEllipseElem.h"
#include "limn/pictures/DrawPolygonElem.h"
#include "limn/pictures/MacPictElem.h"
#include "limn/pictures/Picture.h"
#include "limn/pictures/PictureClass.h"
#include "limn/containers/WndContainer.h"
#include "limn/scanning/ContainerHooks.h"

void CDrawableResource::DrawPreview(CCanvas&) {}
void CDrawableResource::DrawPreview(CDC*, CWnd*, const CRect&) {}
void CPicture::Draw(CCanvas&, const CRect&, const CRect&) const {}
void CPicture::OnCopy() {}
void CPicture::OnPaste() {}
void CDIBElem::Draw(CCanvas&, const CRect&, const CRect&) const {}
void CDrawPolygonElem::Draw(CCanvas&, const CRect&, const CRect&) const {}
void CDrawEllipseElem::Draw(CCanvas&, const CRect&, const CRect&) const {}
void CMacPictElem::Draw(CCanvas&, const CRect&, const CRect&) const {}
HDIB CMacPictElem::MakeDIB() { return NULL; }
void CPictureClass::OnCommand(WORD, const CHoard&, CResource*, CEditProxy&) {}

CRect CContainer::m_rectScanHilite(0, 0, 0, 0);
BOOL CContainer::m_bInAutoScan = FALSE;
BOOL CContainer::CanScanSelect() { return FALSE; }
void CContainer::PlayScanSound() {}
void CContainer::OnSetScanningFocus() {}
void CContainer::OnKillScanningFocus() {}
int CContainer::OnScanSelect() { return FALSE; }
void CContainer::ComputeScanHilite() {}
void CContainer::PrepareScanHilite() {}
void CContainer::RestoreScanHilite() {}
void CContainer::ForgetScanning() {}
CRect CContainer::BeginRootPaint(CCanvas&) { return CRect(0, 0, 0, 0); }
void CContainer::EndRootPaint(const CRect&) {}
void CWndContainer::OnActivate(int bActive) { CContainer::OnActivate(bActive); }
void CWndContainer::DrawContents(CCanvas&) {}
void CWndContainer::FlushHilite() {}
void SetAutoScan(int) {}
