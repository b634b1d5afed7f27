// Switch scanning for the native build: the stored tree is fuzzed, not scanning, which
// needs a window, the wave devices and input hooks. Nothing here is ever scanned: no
// container can be selected by scanning, none takes the focus, and a destroyed container
// has no scanning state to leave.
#include "limn/containers/WndContainer.h"
#include "limn/scanning/ContainerHooks.h"

CRect CContainer::m_rectScanHilite(0, 0, 0, 0);
BOOL CContainer::m_bInAutoScan = FALSE;

void SetAutoScan(int) {}
void EnableDedicatedScanning(int) {}

BOOL CContainer::CanScanSelect() { return FALSE; }
void CContainer::PlayScanSound() {}
void CContainer::OnSetScanningFocus() {}
void CContainer::OnKillScanningFocus() {}
int CContainer::OnScanSelect() { return 0; }
void CContainer::ComputeScanHilite() {}
void CContainer::PrepareScanHilite() {}
void CContainer::RestoreScanHilite() {}
void CContainer::ForgetScanning() {}
void CContainer::BeginRootPaint(CCanvas&) {}

void CWndContainer::OnActivate(int bActive) { CContainer::OnActivate(bActive); }
void CWndContainer::DrawContents(CCanvas&) {}
