// Extensions of the standard controls and views: CBitmapButton, an owner-drawn button
// that shows one bitmap per state; the control bars (afxbars_.h); the form view
// (afxformview_.h) and the edit view (afxeditview_.h).
#pragma once

#include "afxwin.h"
#include "afxbars_.h"
#include "afxformview_.h"
#include "afxeditview_.h"

// Up to four bitmaps: up (required), down (selected: pushed in), focused and disabled.
// A state without its own bitmap shows the next one that applies, in that order, and
// the up bitmap at last. Each is drawn at the button's top-left corner, at its size.
class AFX_FRAMEWORK CBitmapButton : public CButton
{
    DECLARE_DYNAMIC(CBitmapButton)
public:
    CBitmapButton() = default;

    // Loads the bitmaps through the resource chain, in place of those loaded before;
    // NULL or 0 for a state without one. FALSE when one that was named is missing: the
    // others are loaded all the same.
    BOOL LoadBitmaps(LPCTSTR lpszBitmapResource, LPCTSTR lpszBitmapResourceSel = NULL,
                     LPCTSTR lpszBitmapResourceFocus = NULL, LPCTSTR lpszBitmapResourceDisabled = NULL);
    BOOL LoadBitmaps(UINT nIDBitmapResource, UINT nIDBitmapResourceSel = 0, UINT nIDBitmapResourceFocus = 0,
                     UINT nIDBitmapResourceDisabled = 0);
    // Binds the button nID of pParent (BS_OWNERDRAW), loads the bitmaps named after its
    // caption with U, D, F and X appended (for "PLAY": PLAYU, PLAYD, PLAYF, PLAYX) and
    // sizes the button to them. FALSE when it cannot be bound or PLAYU is missing.
    BOOL AutoLoad(UINT nID, CWnd* pParent);
    // The size of the up bitmap.
    void SizeToContent();

protected:
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    CBitmap m_bitmap;           // up
    CBitmap m_bitmapSel;        // down
    CBitmap m_bitmapFocus;
    CBitmap m_bitmapDisabled;
};
