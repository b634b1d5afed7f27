// The GDI sink's clip, shapes and text (images: GdiPictImage.cpp).
#include "media/qtim32/GdiPictSink.h"

#include "media/qtim32/GdiRegion.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace
{

// Whether the style draws the shape's outline (framed, or inverted by the pen) rather
// than its inside.
bool IsOutline(const pict::Style& style)
{
    return style.verb == pict::Verb::Frame || (style.verb == pict::Verb::Invert && style.isFrame);
}

COLORREF ColorOf(pict::Color color)
{
    return RGB((color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF);
}

pict::Rect Inset(const pict::Rect& rect, int32_t dx, int32_t dy)
{
    return pict::Rect{rect.left + dx, rect.top + dy, rect.right - dx, rect.bottom - dy};
}

void AddRect(HDC hdc, const pict::Rect& rect)
{
    const POINT points[4] = {{rect.left, rect.top}, {rect.right, rect.top}, {rect.right, rect.bottom},
                             {rect.left, rect.bottom}};
    ::Polygon(hdc, points, 4);
}

// The area that a pen of w x h sweeps from a to b, its top-left corner on the line: the
// convex hull of the pen's rectangle at both ends, clockwise on the screen (so that
// several of them in one path add up under the winding fill mode).
void AddLineSweep(HDC hdc, pict::Point a, pict::Point b, int32_t w, int32_t h)
{
    if (b.x < a.x)
        std::swap(a, b);
    if (b.y >= a.y)
    {
        const POINT points[6] = {{a.x, a.y},         {a.x + w, a.y}, {b.x + w, b.y},
                                 {b.x + w, b.y + h}, {b.x, b.y + h}, {a.x, a.y + h}};
        ::Polygon(hdc, points, 6);
    }
    else
    {
        const POINT points[6] = {{a.x, a.y},         {b.x, b.y},         {b.x + w, b.y},
                                 {b.x + w, b.y + h}, {a.x + w, a.y + h}, {a.x, a.y + h}};
        ::Polygon(hdc, points, 6);
    }
}

// A point in the direction of a QuickDraw angle (degrees, 0 at twelve o'clock, clockwise)
// from the centre of rect, where 45 degrees points at the rectangle's corner. It lies far
// outside the oval so that rounding it to whole units barely moves the direction.
POINT RadialPoint(const pict::Rect& rect, int32_t angle)
{
    constexpr double kPi = 3.14159265358979323846;
    constexpr double kReach = 8.0;
    const double radians = static_cast<double>(angle % 360) * kPi / 180.0;
    const double cx = (static_cast<double>(rect.left) + rect.right) / 2.0;
    const double cy = (static_cast<double>(rect.top) + rect.bottom) / 2.0;
    return POINT{static_cast<LONG>(std::lround(cx + std::sin(radians) * rect.Width() * kReach)),
                 static_cast<LONG>(std::lround(cy - std::cos(radians) * rect.Height() * kReach))};
}

// The wedge of the oval in rect from startAngle, sweeping clockwise for sweep degrees
// (0 < sweep < 360), as a figure of the open path.
void AddWedge(HDC hdc, const pict::Rect& rect, int32_t startAngle, int32_t sweep)
{
    const POINT from = RadialPoint(rect, startAngle);
    const POINT to = RadialPoint(rect, startAngle + sweep);
    const int nOldDirection = ::SetArcDirection(hdc, AD_CLOCKWISE);
    ::Pie(hdc, rect.left, rect.top, rect.right, rect.bottom, from.x, from.y, to.x, to.y);
    ::SetArcDirection(hdc, nOldDirection);
}

// QuickDraw's font families by number, and the Windows faces that stand in for them and
// for the families the picture names.
const char* FaceNameOf(const pict::Font& font)
{
    struct Family
    {
        int32_t id;
        const char* macName;
        const char* face;
    };
    static const Family kFamilies[] = {
        {2, "New York", "Times New Roman"}, {3, "Geneva", "Arial"},
        {4, "Monaco", "Courier New"},       {20, "Times", "Times New Roman"},
        {21, "Helvetica", "Arial"},         {22, "Courier", "Courier New"},
    };
    for (const Family& family : kFamilies)
        if (font.name.empty() ? font.fontId == family.id : _stricmp(font.name.c_str(), family.macName) == 0)
            return family.face;
    return font.name.empty() ? "Arial" : font.name.c_str();
}

} // namespace

template <class AddFigures>
void CGdiPictSink::FillFigures(const pict::Style& style, int nFillMode, AddFigures addFigures)
{
    if (!::BeginPath(m_hdc))
        return;
    addFigures();
    if (!::EndPath(m_hdc))
    {
        ::AbortPath(m_hdc);
        return;
    }
    const bool invert = style.verb == pict::Verb::Invert;
    HBRUSH hbr = invert ? static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)) : ::CreateSolidBrush(ColorOf(style.color));
    if (hbr == NULL)
    {
        ::AbortPath(m_hdc);
        return;
    }
    HGDIOBJ hbrOld = ::SelectObject(m_hdc, hbr);
    const int nOldRop = ::SetROP2(m_hdc, invert ? R2_NOT : R2_COPYPEN);
    const int nOldFillMode = ::SetPolyFillMode(m_hdc, nFillMode);
    ::FillPath(m_hdc);
    ::SetPolyFillMode(m_hdc, nOldFillMode);
    ::SetROP2(m_hdc, nOldRop);
    ::SelectObject(m_hdc, hbrOld);
    if (!invert)
        ::DeleteObject(hbr);
}

void CGdiPictSink::SetClip(const pict::Region& clip)
{
    ::SelectClipRgn(m_hdc, m_hrgnBase);
    IntersectClipWithRects(m_hdc, clip.rects);
}

void CGdiPictSink::DrawLine(pict::Point a, pict::Point b, const pict::Style& style)
{
    FillFigures(style, WINDING, [&] { AddLineSweep(m_hdc, a, b, style.penWidth, style.penHeight); });
}

// A frame is the ring between a shape and the same shape inset by the pen (an even-odd
// fill leaves the inner one out); a pen as wide as the shape leaves no inner shape.
void CGdiPictSink::DrawRect(const pict::Rect& rect, const pict::Style& style)
{
    const pict::Rect inner = Inset(rect, style.penWidth, style.penHeight);
    const bool ring = IsOutline(style) && !inner.IsEmpty();
    FillFigures(style, ALTERNATE, [&] {
        AddRect(m_hdc, rect);
        if (ring)
            AddRect(m_hdc, inner);
    });
}

void CGdiPictSink::DrawRoundRect(const pict::Rect& rect, int32_t ovalWidth, int32_t ovalHeight,
                                 const pict::Style& style)
{
    const pict::Rect inner = Inset(rect, style.penWidth, style.penHeight);
    const bool ring = IsOutline(style) && !inner.IsEmpty();
    FillFigures(style, ALTERNATE, [&] {
        ::RoundRect(m_hdc, rect.left, rect.top, rect.right, rect.bottom, ovalWidth, ovalHeight);
        if (ring)
            ::RoundRect(m_hdc, inner.left, inner.top, inner.right, inner.bottom,
                        std::max(0, ovalWidth - 2 * style.penWidth), std::max(0, ovalHeight - 2 * style.penHeight));
    });
}

void CGdiPictSink::DrawOval(const pict::Rect& rect, const pict::Style& style)
{
    const pict::Rect inner = Inset(rect, style.penWidth, style.penHeight);
    const bool ring = IsOutline(style) && !inner.IsEmpty();
    FillFigures(style, ALTERNATE, [&] {
        ::Ellipse(m_hdc, rect.left, rect.top, rect.right, rect.bottom);
        if (ring)
            ::Ellipse(m_hdc, inner.left, inner.top, inner.right, inner.bottom);
    });
}

// Framed, the arc is the oval's frame clipped to the wedge: two wedges, one of them
// inset, would leave slivers where their straight edges meet.
void CGdiPictSink::DrawArc(const pict::Rect& rect, int32_t startAngle, int32_t arcAngle, const pict::Style& style)
{
    if (arcAngle == 0)
        return;
    if (arcAngle >= 360 || arcAngle <= -360)
    {
        DrawOval(rect, style);
        return;
    }
    const int32_t start = arcAngle > 0 ? startAngle % 360 : (startAngle + arcAngle) % 360;
    const int32_t sweep = std::abs(arcAngle);
    if (!IsOutline(style))
    {
        FillFigures(style, ALTERNATE, [&] { AddWedge(m_hdc, rect, start, sweep); });
        return;
    }
    CSavedClip clip(m_hdc);
    if (!clip.IsSaved() || !::BeginPath(m_hdc))
        return;
    AddWedge(m_hdc, rect, start, sweep);
    if (::EndPath(m_hdc) && ::SelectClipPath(m_hdc, RGN_AND))
        DrawOval(rect, style);
}

// Framed, a polygon is its edges drawn with the pen, each edge's sweep a figure.
void CGdiPictSink::DrawPolygon(const std::vector<pict::Point>& points, const pict::Style& style)
{
    if (points.size() < 2)
        return;
    if (IsOutline(style))
    {
        FillFigures(style, WINDING, [&] {
            for (size_t i = 1; i < points.size(); ++i)
                AddLineSweep(m_hdc, points[i - 1], points[i], style.penWidth, style.penHeight);
        });
        return;
    }
    std::vector<POINT> gdiPoints(points.size());
    for (size_t i = 0; i < points.size(); ++i)
        gdiPoints[i] = POINT{points[i].x, points[i].y};
    FillFigures(style, ALTERNATE,
                [&] { ::Polygon(m_hdc, gdiPoints.data(), static_cast<int>(gdiPoints.size())); });
}

void CGdiPictSink::DrawRegion(const pict::Region& region, const pict::Style& style)
{
    const std::vector<pict::Rect> rects =
        IsOutline(style) ? RegionFrameRects(region, style.penWidth, style.penHeight) : region.rects;
    if (!rects.empty())
        FillFigures(style, ALTERNATE, [&] { AddRectsToPath(m_hdc, rects); });
}

// The text in a stand-in for the picture's font at its size in picture units (the world
// transform scales it with the rest), its base line at `at`. Outline, shadow, condensed
// and extended faces are drawn plain.
void CGdiPictSink::DrawString(pict::Point at, const std::string& text, const pict::Font& font)
{
    if (text.empty())
        return;
    const int32_t size = font.size > 0 ? font.size : 12;
    HFONT hfont = ::CreateFontA(-size, 0, 0, 0, (font.face & pict::kFaceBold) ? FW_BOLD : FW_NORMAL,
                                (font.face & pict::kFaceItalic) ? TRUE : FALSE,
                                (font.face & pict::kFaceUnderline) ? TRUE : FALSE, FALSE, DEFAULT_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH | FF_DONTCARE, FaceNameOf(font));
    if (hfont == NULL)
        return;
    HGDIOBJ hfontOld = ::SelectObject(m_hdc, hfont);
    const UINT nOldAlign = ::SetTextAlign(m_hdc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
    const COLORREF crOldText = ::SetTextColor(m_hdc, ColorOf(font.color));
    const COLORREF crOldBack = ::SetBkColor(m_hdc, ColorOf(font.backColor));
    const int nOldBkMode = ::SetBkMode(m_hdc, font.opaque ? OPAQUE : TRANSPARENT);
    ::TextOutA(m_hdc, at.x, at.y, text.data(), static_cast<int>(text.size()));
    ::SetBkMode(m_hdc, nOldBkMode);
    ::SetBkColor(m_hdc, crOldBack);
    ::SetTextColor(m_hdc, crOldText);
    ::SetTextAlign(m_hdc, nOldAlign);
    ::SelectObject(m_hdc, hfontOld);
    ::DeleteObject(hfont);
}
