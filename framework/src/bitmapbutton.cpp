// CBitmapButton: the bitmaps of its states from the resource chain, and their drawing.
#include "afxext.h"

IMPLEMENT_DYNAMIC(CBitmapButton, CButton)

namespace {

// Replaces what bitmap held with the named resource; TRUE when there is no name.
BOOL Reload(CBitmap& bitmap, LPCTSTR lpszResource)
{
    bitmap.DeleteObject();
    return lpszResource == NULL || bitmap.LoadBitmap(lpszResource);
}

LPCTSTR ResourceOrNull(UINT nID) { return nID != 0 ? MAKEINTRESOURCE(nID) : NULL; }

} // namespace

BOOL CBitmapButton::LoadBitmaps(LPCTSTR lpszBitmapResource, LPCTSTR lpszBitmapResourceSel,
                                LPCTSTR lpszBitmapResourceFocus, LPCTSTR lpszBitmapResourceDisabled)
{
    ASSERT(lpszBitmapResource != NULL);
    BOOL bAllLoaded = Reload(m_bitmap, lpszBitmapResource);
    bAllLoaded &= Reload(m_bitmapSel, lpszBitmapResourceSel);
    bAllLoaded &= Reload(m_bitmapFocus, lpszBitmapResourceFocus);
    bAllLoaded &= Reload(m_bitmapDisabled, lpszBitmapResourceDisabled);
    return bAllLoaded;
}

BOOL CBitmapButton::LoadBitmaps(UINT nIDBitmapResource, UINT nIDBitmapResourceSel, UINT nIDBitmapResourceFocus,
                                UINT nIDBitmapResourceDisabled)
{
    return LoadBitmaps(MAKEINTRESOURCE(nIDBitmapResource), ResourceOrNull(nIDBitmapResourceSel),
                       ResourceOrNull(nIDBitmapResourceFocus), ResourceOrNull(nIDBitmapResourceDisabled));
}

BOOL CBitmapButton::AutoLoad(UINT nID, CWnd* pParent)
{
    if (!SubclassDlgItem(nID, pParent))
        return FALSE;
    CString strName;
    GetWindowText(strName);
    ASSERT(!strName.IsEmpty());
    // Only the up bitmap is needed; the others are optional.
    LoadBitmaps(strName + "U", strName + "D", strName + "F", strName + "X");
    if (m_bitmap.m_hObject == NULL)
        return FALSE;
    SizeToContent();
    return TRUE;
}

void CBitmapButton::SizeToContent()
{
    ASSERT(m_bitmap.m_hObject != NULL);
    BITMAP bm;
    if (m_bitmap.GetBitmap(&bm) == 0)
        return;
    SetWindowPos(NULL, 0, 0, bm.bmWidth, bm.bmHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CBitmapButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    UINT nState = lpDrawItemStruct->itemState;
    CBitmap* pBitmap = &m_bitmap;
    if ((nState & ODS_SELECTED) && m_bitmapSel.m_hObject != NULL)
        pBitmap = &m_bitmapSel;
    else if ((nState & ODS_FOCUS) && m_bitmapFocus.m_hObject != NULL)
        pBitmap = &m_bitmapFocus;
    else if ((nState & ODS_DISABLED) && m_bitmapDisabled.m_hObject != NULL)
        pBitmap = &m_bitmapDisabled;
    if (pBitmap->m_hObject == NULL)
        return;

    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    CDC dcMem;
    if (!dcMem.CreateCompatibleDC(pDC))
        return;
    CBitmap* pOldBitmap = dcMem.SelectObject(pBitmap);
    const RECT& rc = lpDrawItemStruct->rcItem;
    pDC->BitBlt(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, &dcMem, 0, 0, SRCCOPY);
    dcMem.SelectObject(pOldBitmap);
}
