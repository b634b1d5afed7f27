// CDrawable: its settings, its extent and the drawing that only scales.
#include "limn/pictures/Drawable.h"

CDrawable::CDrawable() : m_bUseColor(FALSE), m_bTransparent(FALSE), m_color(0) {}

CDrawable::CDrawable(const CDrawable& other)
    : m_bUseColor(other.m_bUseColor), m_bTransparent(other.m_bTransparent), m_color(other.m_color),
      m_extent(other.m_extent)
{
}

CDrawable& CDrawable::operator=(const CDrawable& other)
{
    m_bUseColor = other.m_bUseColor;
    m_bTransparent = other.m_bTransparent;
    m_color = other.m_color;
    m_extent = other.m_extent;
    return *this;
}

void CDrawable::Draw(CCanvas& canvas, const CRect& dst) const
{
    Draw(canvas, CRect(CPoint(0, 0), m_extent), dst);
}

void CDrawable::DrawKeepingAspect(CCanvas& canvas, const CRect& rect) const
{
    if (m_extent.cy == 0)
        return;
    double w = m_extent.cx;
    double h = m_extent.cy;
    double rw = rect.Width();
    double rh = rect.Height();
    if (w > rw)
    {
        h *= rw / w;
        w = rw;
    }
    if (h > rh)
    {
        w *= rh / h;
        h = rh;
    }
    int iw = (int)w;
    int ih = (int)h;
    int left = rect.left + (rect.Width() - iw) / 2;
    int top = rect.top + (rect.Height() - ih) / 2;
    Draw(canvas, CRect(CPoint(0, 0), m_extent), CRect(left, top, left + iw, top + ih));
}

BOOL CDrawable::IsSameAs(CDrawable*) { return FALSE; }

void CDrawable::SetColor(COLORREF color)
{
    BOOL bChanged = !m_bUseColor || color != m_color;
    m_color = color;
    m_bUseColor = TRUE;
    if (bChanged)
        OnColorChange();
}

void CDrawable::SetDefaultColor()
{
    if (!m_bUseColor)
        return;
    m_bUseColor = FALSE;
    OnColorChange();
}

void CDrawable::SetTransparentBackground(BOOL bTransparent) { m_bTransparent = bTransparent; }

void CDrawable::OnColorChange() {}

void CDrawable::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_extent.cx << m_extent.cy;
    else
        ar >> m_extent.cx >> m_extent.cy;
}
