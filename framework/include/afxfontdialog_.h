// CFontDialog over ChooseFont: the font, its style name, size and colour as chosen.
#pragma once

// The common dialogs' base, CCommonDialog.
#include "afxdlgs.h"

class AFX_FRAMEWORK CFontDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CFontDialog)
public:
    // lplfInitial, when given, is the font the dialog starts from (copied); pdcPrinter
    // lists the printer's fonts (CF_PRINTERFONTS), the caller keeping the context.
    explicit CFontDialog(LPLOGFONT lplfInitial = NULL, DWORD dwFlags = CF_EFFECTS | CF_SCREENFONTS,
                         CDC* pdcPrinter = NULL, CWnd* pParentWnd = NULL);

    // The settings before DoModal; lpLogFont and lpszStyle point into this object.
    CHOOSEFONT m_cf;

    // IDOK when the user chose a font, IDCANCEL otherwise (also when the system's
    // dialog failed: CommDlgExtendedError says why).
    int DoModal() override;

// The choice, after DoModal
    // While the dialog is open, the font it shows at the moment; else the choice.
    void GetCurrentFont(LPLOGFONT lplf);
    CString GetFaceName() const { return m_lf.lfFaceName; }
    // The style's name ("Bold Italic") as the dialog named it.
    CString GetStyleName() const { return m_szStyleName; }
    // In tenths of a point.
    int GetSize() const { return m_cf.iPointSize; }
    // With CF_EFFECTS.
    COLORREF GetColor() const { return m_cf.rgbColors; }
    int GetWeight() const { return m_lf.lfWeight; }
    BOOL IsStrikeOut() const { return m_lf.lfStrikeOut != 0; }
    BOOL IsUnderline() const { return m_lf.lfUnderline != 0; }
    // Semibold and heavier.
    BOOL IsBold() const { return m_lf.lfWeight >= FW_SEMIBOLD; }
    BOOL IsItalic() const { return m_lf.lfItalic != 0; }

    LOGFONT m_lf;
    TCHAR m_szStyleName[64];

private:
    static UINT_PTR CALLBACK HookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
};
