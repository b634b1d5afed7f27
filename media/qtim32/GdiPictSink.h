// The picture reader's sink over GDI: draws each shape, text run and image the picture
// holds on a device context whose world transform already maps picture coordinates
// onto the destination (DrawPicture.cpp sets it up and restores the DC afterwards).
//
// Every shape is built as a path in picture coordinates and filled (FillPath), so that
// the world transform carries it exactly: a frame is the ring between the shape and the
// shape inset by the pen, a line the area its rectangular pen sweeps, and inverting is a
// fill in R2_NOT. Clips (the picture's own and the masks of its images) are intersected
// with the destination's clip in device pixels (GdiRegion.h).
#pragma once

#include <windows.h>

#include "media/pict/PictSink.h"

class CGdiPictSink : public pict::PictSink
{
public:
    // hrgnBase: the DC's clip when drawing starts, in device pixels; the picture's own
    // clip is intersected with it. The caller keeps hrgnBase.
    CGdiPictSink(HDC hdc, HRGN hrgnBase) : m_hdc(hdc), m_hrgnBase(hrgnBase) {}

    void SetClip(const pict::Region& clip) override;
    void DrawLine(pict::Point a, pict::Point b, const pict::Style& style) override;
    void DrawRect(const pict::Rect& rect, const pict::Style& style) override;
    void DrawRoundRect(const pict::Rect& rect, int32_t ovalWidth, int32_t ovalHeight,
                       const pict::Style& style) override;
    void DrawOval(const pict::Rect& rect, const pict::Style& style) override;
    void DrawArc(const pict::Rect& rect, int32_t startAngle, int32_t arcAngle,
                 const pict::Style& style) override;
    void DrawPolygon(const std::vector<pict::Point>& points, const pict::Style& style) override;
    void DrawRegion(const pict::Region& region, const pict::Style& style) override;
    void DrawString(pict::Point at, const std::string& text, const pict::Font& font) override;
    // GdiPictImage.cpp
    void DrawImage(const pict::Image& image, const pict::Rect& src, const pict::Rect& dst,
                   const pict::Region* mask, pict::Transfer transfer) override;
    void DrawCompressed(const pict::CompressedImage& image) override;

private:
    // Fills the figures that addFigures puts into a path, as style says (its colour, or
    // inverting), with the fill mode given.
    template <class AddFigures>
    void FillFigures(const pict::Style& style, int nFillMode, AddFigures addFigures);

    // Draws the pixels of image (src of it onto dst) with one raster operation.
    void StretchImage(const pict::Image& image, const pict::Rect& src, const pict::Rect& dst, DWORD rop);

    HDC m_hdc;
    HRGN m_hrgnBase;
};
