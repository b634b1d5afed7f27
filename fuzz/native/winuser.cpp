// The USER calls of the native build: the rectangle operations that the picture model
// uses, as USER computes them (a rectangle is empty when it has no width or no height),
// and a clipboard that holds nothing. windows.h declares a few more that CRect's inline
// members name; nothing here calls them.
#include <windows.h>

#include <algorithm>

BOOL CopyRect(LPRECT lprcDst, const RECT* lprcSrc)
{
    if (lprcDst == NULL || lprcSrc == NULL)
        return FALSE;
    *lprcDst = *lprcSrc;
    return TRUE;
}

BOOL IsRectEmpty(const RECT* lprc) { return lprc == NULL || lprc->left >= lprc->right || lprc->top >= lprc->bottom; }

BOOL SetRect(LPRECT lprc, int xLeft, int yTop, int xRight, int yBottom)
{
    if (lprc == NULL)
        return FALSE;
    *lprc = { xLeft, yTop, xRight, yBottom };
    return TRUE;
}

BOOL SetRectEmpty(LPRECT lprc) { return SetRect(lprc, 0, 0, 0, 0); }

BOOL EqualRect(const RECT* a, const RECT* b)
{
    return a != NULL && b != NULL && a->left == b->left && a->top == b->top && a->right == b->right &&
           a->bottom == b->bottom;
}

BOOL InflateRect(LPRECT lprc, int dx, int dy)
{
    if (lprc == NULL)
        return FALSE;
    lprc->left -= dx;
    lprc->top -= dy;
    lprc->right += dx;
    lprc->bottom += dy;
    return TRUE;
}

BOOL OffsetRect(LPRECT lprc, int dx, int dy)
{
    if (lprc == NULL)
        return FALSE;
    lprc->left += dx;
    lprc->top += dy;
    lprc->right += dx;
    lprc->bottom += dy;
    return TRUE;
}

BOOL IntersectRect(LPRECT lprcDst, const RECT* a, const RECT* b)
{
    if (lprcDst == NULL || a == NULL || b == NULL)
        return FALSE;
    RECT r = { std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
               std::min(a->bottom, b->bottom) };
    if (IsRectEmpty(a) || IsRectEmpty(b) || IsRectEmpty(&r))
    {
        SetRectEmpty(lprcDst);
        return FALSE;
    }
    *lprcDst = r;
    return TRUE;
}

BOOL UnionRect(LPRECT lprcDst, const RECT* a, const RECT* b)
{
    if (lprcDst == NULL || a == NULL || b == NULL)
        return FALSE;
    if (IsRectEmpty(a))
    {
        if (IsRectEmpty(b))
        {
            SetRectEmpty(lprcDst);
            return FALSE;
        }
        *lprcDst = *b;
        return TRUE;
    }
    if (IsRectEmpty(b))
    {
        *lprcDst = *a;
        return TRUE;
    }
    *lprcDst = { std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
                 std::max(a->bottom, b->bottom) };
    return TRUE;
}

BOOL IsClipboardFormatAvailable(UINT) { return FALSE; }
