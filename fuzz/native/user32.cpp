// The USER calls of the native build: rectangle arithmetic as USER does it, window calls
// that find no window, and a clipboard that holds nothing.
#include <windows.h>

#include <algorithm>

BOOL IsRectEmpty(const RECT* lprc) { return lprc->right <= lprc->left || lprc->bottom <= lprc->top; }

BOOL PtInRect(const RECT* lprc, POINT pt)
{
    return pt.x >= lprc->left && pt.x < lprc->right && pt.y >= lprc->top && pt.y < lprc->bottom;
}

BOOL SetRect(LPRECT lprc, int xLeft, int yTop, int xRight, int yBottom)
{
    *lprc = { xLeft, yTop, xRight, yBottom };
    return TRUE;
}

BOOL SetRectEmpty(LPRECT lprc) { return SetRect(lprc, 0, 0, 0, 0); }

BOOL CopyRect(LPRECT lprcDst, const RECT* lprcSrc)
{
    *lprcDst = *lprcSrc;
    return TRUE;
}

BOOL EqualRect(const RECT* lprc1, const RECT* lprc2)
{
    return lprc1->left == lprc2->left && lprc1->top == lprc2->top && lprc1->right == lprc2->right &&
           lprc1->bottom == lprc2->bottom;
}

BOOL InflateRect(LPRECT lprc, int dx, int dy)
{
    return SetRect(lprc, lprc->left - dx, lprc->top - dy, lprc->right + dx, lprc->bottom + dy);
}

BOOL OffsetRect(LPRECT lprc, int dx, int dy)
{
    return SetRect(lprc, lprc->left + dx, lprc->top + dy, lprc->right + dx, lprc->bottom + dy);
}

BOOL IntersectRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2)
{
    RECT rect = { std::max(lprcSrc1->left, lprcSrc2->left), std::max(lprcSrc1->top, lprcSrc2->top),
                  std::min(lprcSrc1->right, lprcSrc2->right), std::min(lprcSrc1->bottom, lprcSrc2->bottom) };
    if (IsRectEmpty(lprcSrc1) || IsRectEmpty(lprcSrc2) || IsRectEmpty(&rect))
        return !SetRectEmpty(lprcDst);
    return CopyRect(lprcDst, &rect);
}

// An empty rectangle adds nothing to the other.
BOOL UnionRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2)
{
    if (IsRectEmpty(lprcSrc1))
        return IsRectEmpty(lprcSrc2) ? !SetRectEmpty(lprcDst) : CopyRect(lprcDst, lprcSrc2);
    if (IsRectEmpty(lprcSrc2))
        return CopyRect(lprcDst, lprcSrc1);
    RECT rect = { std::min(lprcSrc1->left, lprcSrc2->left), std::min(lprcSrc1->top, lprcSrc2->top),
                  std::max(lprcSrc1->right, lprcSrc2->right), std::max(lprcSrc1->bottom, lprcSrc2->bottom) };
    return CopyRect(lprcDst, &rect);
}

// The first rectangle less the second where the rest is a rectangle: the second covers
// a whole side of it.
BOOL SubtractRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2)
{
    if (IsRectEmpty(lprcSrc1))
        return !SetRectEmpty(lprcDst);
    RECT rest = *lprcSrc1;
    RECT common;
    if (IntersectRect(&common, lprcSrc1, lprcSrc2))
    {
        if (EqualRect(&common, &rest))
            return !SetRectEmpty(lprcDst);
        if (common.top == rest.top && common.bottom == rest.bottom)
        {
            if (common.left == rest.left)
                rest.left = common.right;
            else if (common.right == rest.right)
                rest.right = common.left;
        }
        else if (common.left == rest.left && common.right == rest.right)
        {
            if (common.top == rest.top)
                rest.top = common.bottom;
            else if (common.bottom == rest.bottom)
                rest.bottom = common.top;
        }
    }
    return CopyRect(lprcDst, &rest);
}

HWND SetCapture(HWND) { return NULL; }

BOOL ReleaseCapture() { return FALSE; }

BOOL InvalidateRect(HWND, const RECT*, BOOL) { return FALSE; }

BOOL UpdateWindow(HWND) { return FALSE; }

BOOL IsClipboardFormatAvailable(UINT) { return FALSE; }
