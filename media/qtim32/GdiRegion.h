// Regions of a picture on a GDI device context: rectangles as path figures and clips,
// and the frame QuickDraw draws just inside a region.
#pragma once

#include "media/pict/PictTypes.h"

#include <windows.h>

#include <vector>

// A region handle deleted at the end of its scope.
class CRgn
{
public:
    explicit CRgn(HRGN hrgn) : m_hrgn(hrgn) {}
    ~CRgn()
    {
        if (m_hrgn != NULL)
            ::DeleteObject(m_hrgn);
    }
    CRgn(const CRgn&) = delete;
    CRgn& operator=(const CRgn&) = delete;

    HRGN Get() const { return m_hrgn; }

private:
    HRGN m_hrgn;
};

// A region holding the DC's clip, put back at the end of its scope. A DC without a clip
// region (or short of regions) is not saved: IsSaved() is false.
class CSavedClip
{
public:
    explicit CSavedClip(HDC hdc) : m_hdc(hdc), m_hrgn(::CreateRectRgn(0, 0, 0, 0))
    {
        if (m_hrgn != NULL && ::GetClipRgn(hdc, m_hrgn) != 1)
        {
            ::DeleteObject(m_hrgn);
            m_hrgn = NULL;
        }
    }
    ~CSavedClip()
    {
        if (m_hrgn == NULL)
            return;
        ::SelectClipRgn(m_hdc, m_hrgn);
        ::DeleteObject(m_hrgn);
    }
    CSavedClip(const CSavedClip&) = delete;
    CSavedClip& operator=(const CSavedClip&) = delete;

    bool IsSaved() const { return m_hrgn != NULL; }

private:
    HDC m_hdc;
    HRGN m_hrgn;
};

// Adds each rectangle (picture coordinates) to the open path of hdc as a closed figure.
void AddRectsToPath(HDC hdc, const std::vector<pict::Rect>& rects);

// Intersects hdc's clip with the union of the rectangles; with none (or when the clip
// cannot be made), nothing is drawn until the clip is selected again.
void IntersectClipWithRects(HDC hdc, const std::vector<pict::Rect>& rects);

// The rectangles of the band inside the region that a pen of penWidth x penHeight covers
// when it frames the region: the region less the region inset by the pen on every side.
std::vector<pict::Rect> RegionFrameRects(const pict::Region& region, int32_t penWidth, int32_t penHeight);
