// CContainerEdit: a text-entry container backed by a real rich-edit child window of the
// tree's window (m_edit), created on the first layout that finds the tree in a window,
// laid over the place the parent gives the container, moved on every later layout and
// shown and hidden with the container. The container itself keeps empty bounds: hit
// tests and drawing pass it by, and the child window does both.
//
// It is not serializable: storing a tree that holds one raises the framework's
// not-supported exception.
#pragma once

#include "limn/containers/ContainerControl.h"
#include "limn/containers/EditInContainer.h"

class LIMN_API CContainerEdit : public CContainerControl
{
    DECLARE_DYNAMIC(CContainerEdit)
public:
    // The point size of the text until SetFont gives another.
    enum { defaultFontSize = 12 };

    // White, linked at the tail of pParent when given.
    explicit CContainerEdit(CContainer* pParent);

// Layout and showing
    // rect is in the parent's content coordinates; the edit window takes it, 1 pixel
    // inside, and the container's own bounds stay empty.
    void SetBounds(const CRect& rect) override;
    void OnShow() override;
    void OnHide() override;
    // While the screen's document is active, takes the keyboard focus from a view that has it.
    void OnIdle(DWORD dwNow) override;
    // When the tree comes into a window (MsgWindowResized) after its last layout, the
    // window is made at the place that layout gave: a tree attached at the size it
    // already had is not laid out again.
    void OnMessage(Message* pMsg) override;

// Text, once the window exists
    // Sets the text, then applies the font again.
    void SetText(const char* pszText);
    // The text; strText stays as it is without a window.
    void GetText(CString& strText) const;
    long GetTextLength() const;
    void GetSelection(long& nStart, long& nEnd) const;
    void SetSelection(long nStart, long nEnd);
    void SelectAll() { SetSelection(0, GetTextLength()); }
    // Applies the size (up to 1638 points, the control's largest) and face, as the
    // default and the selection's format; an empty face keeps the control's own. Face
    // names are cut to 31 characters. Both are kept for the window to come.
    void SetFont(int nPointSize, const char* pszFace);

// Value: the text
    void SetValue(const char* pszValue) override;
    void SetValue(int nValue) override;
    // "%f": 2.5 shows as 2.500000.
    void SetValue(double dValue);
    // The text read as a decimal number: leading blanks and a sign allowed, up to the
    // first other character; 0 without a number. Integers beyond int's range give its
    // nearest limit.
    operator int() override;
    operator double();
    operator CString();

    CEditInContainer m_edit;

protected:
    CString m_strFace;
    int m_nFontSize;

private:
    // The edit window's place after the last layout, in the tree's window coordinates.
    CRect m_rectWindow;
    BOOL m_bLaidOut;

    // Creates the window as a child of the tree's window, when there is one, or moves
    // it; then shows it when the container is shown.
    void CreateOrMoveWindow(const CRect& rect);
};
