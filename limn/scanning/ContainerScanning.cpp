// CContainer's part of switch scanning: the class-wide state, the level being scanned
// and the steps through it, the focus with its highlight, selection, the scanning
// sounds, and what a destroyed container takes out of the state.
#include "limn/containers/Container.h"

#include "limn/canvas/Canvas.h"
#include "limn/containers/Container3DFrame.h"
#include "limn/containers/ContainerWatch.h"
#include "limn/containers/WndContainer.h"
#include "limn/scanning/ContainerHooks.h"
#include "limn/scanning/ScanClock.h"
#include "limn/scanning/ScanningPrefs.h"
#include "limn/scanning/ScanningSounds.h"

CList<CContainer*, CContainer*> CContainer::m_scanList(10);
CContainer* CContainer::m_pScanningParent = NULL;
CContainer* CContainer::m_pScanningFocus = NULL;
POSITION CContainer::m_posScanChild = NULL;
CRect CContainer::m_rectScanHilite(0, 0, 0, 0);
BYTE CContainer::m_hotKey = 0;
BOOL CContainer::m_bInAutoScan = FALSE;
BOOL CContainer::m_bDrawScanHilite = TRUE;
BOOL CContainer::m_bOfferTopLevel = TRUE;
DWORD CContainer::m_dwLastStepTime = 0;
DWORD CContainer::m_dwLastFlashTime = 0;
int CContainer::m_nScanCycles = 0;
int CContainer::m_nHotKeyDelay = 0;

namespace {

// Levels with fewer entries and choices than this are flattened.
const int nFlattenBelow = 6;
// Between the simulated press and release of a selected leaf.
const DWORD dwClickPauseMS = 100;

// Keeps automatic steps out while a selection runs, whatever it throws.
class CScanningPause
{
public:
    CScanningPause() { CWndContainer::DisallowScanning(); }
    ~CScanningPause() { CWndContainer::AllowScanning(); }
    CScanningPause(const CScanningPause&) = delete;
    CScanningPause& operator=(const CScanningPause&) = delete;
};

} // namespace

// What can be scanned

BOOL CContainer::CanScanSelect() { return FALSE; }

BOOL CContainer::CanScan() { return m_bVisible && (CanScanSelect() || CountScannableChildren() > 0); }

int CContainer::CountScannableChildren()
{
    int n = 0;
    for (POSITION pos = m_childList.GetHeadPosition(); pos != NULL;)
        n += m_childList.GetNext(pos)->CanScan() != FALSE;
    return n;
}

int CContainer::AddScannableChildrenToList(CList<CContainer*, CContainer*>& list)
{
    int nChoices = 0;
    for (POSITION pos = m_childList.GetHeadPosition(); pos != NULL;)
    {
        CContainer* pChild = m_childList.GetNext(pos);
        if (pChild->CanScanSelect())
            nChoices++;
        if (pChild->CanScan())
        {
            list.AddTail(pChild);
            nChoices += pChild->CountScannableChildren();
        }
    }
    return nChoices;
}

// The level

// A level of one entry is passed for that entry's level while the entry is a group; a
// single leaf stays the one entry of its level, so that it can still be selected.
// Flattening gives every entry at least one place, so a flattened level never holds
// fewer entries than it had.
int CContainer::SetScanningParent()
{
    CContainer* pLevel = this;
    int nChoices = 0;
    for (;;)
    {
        StopScan();
        m_scanList.RemoveAll();
        m_posScanChild = NULL;
        m_pScanningFocus = NULL;
        m_nScanCycles = 0;
        m_pScanningParent = pLevel;
        nChoices = pLevel->AddScannableChildrenToList(m_scanList);
        INT_PTR nEntries = m_scanList.GetCount();
        if (nEntries == 0)
            return 1;
        if (nEntries == 1 && m_scanList.GetHead()->CountScannableChildren() > 0)
        {
            // Descending from the root, the root is no way back from the levels below.
            m_bOfferTopLevel = m_bOfferTopLevel && pLevel->m_pParent != NULL;
            pLevel = m_scanList.GetHead();
            continue;
        }
        break;
    }

    BOOL bOfferTop = m_bOfferTopLevel && pLevel->m_pParent != NULL;
    m_bOfferTopLevel = TRUE;
    INT_PTR nEntries = m_scanList.GetCount();
    if (nChoices != 0 && nEntries < nFlattenBelow && nChoices < nFlattenBelow && nChoices != nEntries)
    {
        // Groups give way to their choices; selectable entries stay.
        CList<CContainer*, CContainer*> flat(10);
        for (POSITION pos = m_scanList.GetHeadPosition(); pos != NULL;)
        {
            CContainer* pEntry = m_scanList.GetNext(pos);
            if (pEntry->CanScanSelect())
                flat.AddTail(pEntry);
            else
                pEntry->AddScannableChildrenToList(flat);
        }
        m_scanList.RemoveAll();
        m_scanList.AddTail(&flat);
    }
    m_dwLastStepTime = m_dwLastFlashTime = ScanTickCount();
    if (bOfferTop)
        m_scanList.AddTail(pLevel->GetTopParent());
    return 1;
}

// Steps

BOOL CContainer::StepPosition(Direction direction)
{
    if (m_posScanChild == NULL)
    {
        m_posScanChild = direction == forward ? m_scanList.GetHeadPosition() : m_scanList.GetTailPosition();
        if (m_posScanChild == NULL)
            return FALSE;
        if (m_scanList.GetAt(m_posScanChild)->CanScan())
            return TRUE;
    }
    for (INT_PTR n = m_scanList.GetCount(); n > 0; --n)
    {
        POSITION pos = m_posScanChild;
        if (direction == backward)
        {
            m_scanList.GetPrev(pos);
            if (pos == NULL)
                pos = m_scanList.GetTailPosition();
        }
        else
        {
            m_scanList.GetNext(pos);
            if (pos == NULL)
            {
                pos = m_scanList.GetHeadPosition();
                if (m_bInAutoScan && gScanningPrefs.m_nCancelCycles != CScanningPrefs::neverCancel &&
                    ++m_nScanCycles >= gScanningPrefs.m_nCancelCycles)
                {
                    m_posScanChild = pos;
                    StopScan();
                    SetAutoScan(FALSE);
                    return FALSE;
                }
            }
        }
        m_posScanChild = pos;
        if (m_scanList.GetAt(pos)->CanScan())
            return TRUE;
    }
    return FALSE;
}

void CContainer::ScanNext()
{
    if (m_pScanningParent == NULL)
        return;
    BOOL bInAutoScan = m_bInAutoScan;
    StopScan();
    m_bInAutoScan = bInAutoScan;
    if (StepPosition(forward))
    {
        m_pScanningFocus = m_scanList.GetAt(m_posScanChild);
        m_pScanningFocus->OnSetScanningFocus();
    }
}

// Automatic scanning ends, and the hooks hear of it.
void CContainer::ScanPrevious()
{
    if (m_pScanningParent == NULL)
        return;
    BOOL bInAutoScan = m_bInAutoScan;
    StopScan();
    if (bInAutoScan)
        SetAutoScan(FALSE);
    if (StepPosition(backward))
    {
        m_pScanningFocus = m_scanList.GetAt(m_posScanChild);
        m_pScanningFocus->OnSetScanningFocus();
    }
}

int CContainer::ScanSelect()
{
    int nResult = m_pScanningFocus != NULL ? m_pScanningFocus->OnScanSelect() : 0;
    if (nResult == 0)
    {
        StopScan();
        SetAutoScan(FALSE);
    }
    return nResult;
}

void CContainer::StopScan()
{
    if (m_pScanningFocus != NULL)
        m_pScanningFocus->OnKillScanningFocus();
    m_pScanningFocus = NULL;
    m_bInAutoScan = FALSE;
    m_rectScanHilite.SetRectEmpty();
}

// The focus and its highlight

CWndContainer* CContainer::GetScanningRoot()
{
    CContainer* pTop = GetTopParent();
    return pTop->IsKindOf(RUNTIME_CLASS(CWndContainer)) ? static_cast<CWndContainer*>(pTop) : NULL;
}

void CContainer::OnSetScanningFocus()
{
    m_bDrawScanHilite = TRUE;
    m_nState = stateScanFocus;
    CWndContainer* pRoot = GetScanningRoot();
    if (pRoot != NULL)
    {
        pRoot->DrawHilite(FALSE);
        pRoot->FlushHilite();
    }
    ComputeScanHilite();
    if (pRoot != NULL)
        pRoot->DrawHilite(TRUE);
    m_dwLastStepTime = m_dwLastFlashTime = ScanTickCount();
    // A cue takes the place of the scan sound.
    if (gScanningPrefs.m_bAuditoryScanning && PlayScanCue(GetName()))
        return;
    if (gScanningPrefs.m_bScanningSounds)
        PlayScanSound();
}

// A state that changed under the focus (a press, disabling) stays.
void CContainer::OnKillScanningFocus()
{
    m_pScanningFocus = NULL;
    if (m_nState == stateScanFocus)
        m_nState = stateNormal;
    if (CWndContainer* pRoot = GetScanningRoot())
    {
        pRoot->DrawHilite(FALSE);
        pRoot->FlushHilite();
    }
}

// The rectangle starts as the bounds, in client coordinates, so that the highlight goes
// around a frame, not across it.
void CContainer::ComputeScanHilite()
{
    CRect rect;
    GetClientRect(&rect);
    rect.InflateRect(FrameWidth(), FrameWidth());
    if (m_pParent == NULL)
    {
        rect.DeflateRect(scanHiliteWidth, scanHiliteWidth);
    }
    else if (CountScannableChildren() == 0)
    {
        rect.DeflateRect(m_sizeChildGap);
    }
    else
    {
        rect.SetRectEmpty();
        for (POSITION pos = m_childList.GetHeadPosition(); pos != NULL;)
        {
            CContainer* pChild = m_childList.GetNext(pos);
            if (!pChild->CanScan())
                continue;
            CRect rectChild;
            pChild->GetContainerRect(&rectChild);
            rect.UnionRect(&rect, &rectChild);
        }
    }
    rect.InflateRect(scanHiliteWidth, scanHiliteWidth);
    ClientToWindow(&rect);
    m_rectScanHilite = rect;
}

CRect CContainer::BeginRootPaint(CCanvas& canvas)
{
    CRect rectBefore(0, 0, 0, 0);
    if (m_pScanningFocus == NULL || m_pScanningFocus->GetTopParent() == this)
    {
        rectBefore = m_rectScanHilite;
        m_rectScanHilite.SetRectEmpty();
    }
    CWndContainer* pRoot = GetScanningRoot();
    if (pRoot != NULL && !canvas.IsPrinting() && !canvas.IsInPreview())
    {
        // By the contract of Draw, the root's canvas coordinates are window coordinates.
        CRect rectPainted;
        canvas.GetClipBox(&rectPainted);
        pRoot->DropHiliteUnder(rectPainted);
    }
    return rectBefore;
}

// A paint that left a visible focus out (clipped away) must not take its highlight
// away; a hidden focus loses it.
void CContainer::EndRootPaint(const CRect& rectHiliteBefore)
{
    if (m_rectScanHilite.IsRectEmpty() && m_pScanningFocus != NULL && m_pScanningFocus->GetTopParent() == this &&
        m_pScanningFocus->IsReallyVisible())
        m_rectScanHilite = rectHiliteBefore;
}

// Selection and sounds

void CContainer::PlayScanSound() { PlayScanningSound("Scan Sound", FALSE); }

// Handlers of the simulated click may destroy the leaf, the target or the whole tree
// (a selection often replaces the screen): they are watched, and only the class-wide
// state is touched once they may be gone.
int CContainer::OnScanSelect()
{
    CScanningPause pause;
    CContainerWatch watchTop(GetTopParent());
    if (gScanningPrefs.m_bScanningSounds)
        PlayScanningSound("Select Sound", TRUE);

    // A group of one choice stands for that choice, however deep it lies: a leaf is
    // clicked, anything else has its level scanned.
    CContainer* pTarget = this;
    while (!pTarget->CanScanSelect() && pTarget->CountScannableChildren() == 1)
    {
        CList<CContainer*, CContainer*> only;
        pTarget->AddScannableChildrenToList(only);
        pTarget = only.GetHead();
    }
    int nChildren = pTarget->CountScannableChildren();
    if (nChildren != 0)
    {
        pTarget->SetScanningParent();
        ScanNext();
        return TRUE;
    }

    Invalidate();
    if (m_nState == stateScanFocus)
        m_nState = stateNormal;
    CEventState state(ScanTickCount(), CPoint(0, 0), 0, 0, 0);
    m_lastEventState = state;
    CContainerWatch watchTarget(pTarget);
    pTarget->OnLButtonDown(CPoint(0, 0), state);
    ::Sleep(dwClickPauseMS);
    if (watchTarget.Get() != NULL)
        pTarget->OnLButtonUp(CPoint(0, 0), state);
    if (!m_bInAutoScan && watchTop.Get() != NULL)
        watchTop.Get()->SetScanningParent();
    StopScan();
    return FALSE;
}

// The highlight frame

void CContainer::PrepareScanHilite()
{
    if (m_bScanHilitePrepared)
        return;
    m_pSavedFrame = m_pFrame;
    m_pFrame = new CContainer3DFrame(gScanningPrefs.GetScanColor(), scanHiliteWidth, 1, 100, 100, 100, 110);
    m_bScanHilitePrepared = TRUE;
    ArrangeAndInvalidate();
}

void CContainer::RestoreScanHilite()
{
    if (!m_bScanHilitePrepared)
        return;
    Invalidate();
    SetFrame(m_pSavedFrame);
    m_pSavedFrame = NULL;
    m_bScanHilitePrepared = FALSE;
    ArrangeAndInvalidate();
}

// Destruction

// A dying focus takes its highlight off the window; automatic scanning goes on from the
// entry before it. A dying level (the scanning parent or a container around it) ends
// scanning there: the list, the position and automatic scanning go. The tree is still
// whole when this runs, since the destructor calls it before unlinking anything.
void CContainer::ForgetScanning()
{
    if (m_pScanningFocus != NULL && m_pScanningFocus->IsWithin(this))
    {
        // A root being destroyed is no CWndContainer any more: it finds no root here.
        if (CWndContainer* pRoot = m_pScanningFocus->GetScanningRoot())
        {
            pRoot->DrawHilite(FALSE);
            pRoot->FlushHilite();
        }
        m_pScanningFocus = NULL;
        m_rectScanHilite.SetRectEmpty();
    }
    if (m_pScanningParent != NULL && m_pScanningParent->IsWithin(this))
    {
        m_pScanningParent = NULL;
        m_scanList.RemoveAll();
        m_posScanChild = NULL;
        if (m_bInAutoScan)
        {
            m_bInAutoScan = FALSE;
            SetAutoScan(FALSE);
        }
        return;
    }
    for (POSITION pos = m_scanList.GetHeadPosition(); pos != NULL;)
    {
        POSITION posEntry = pos;
        if (m_scanList.GetNext(pos) != this)
            continue;
        // The next step goes on from the entry before.
        if (posEntry == m_posScanChild)
            m_scanList.GetPrev(m_posScanChild);
        m_scanList.RemoveAt(posEntry);
    }
}
