// Routine 9, and the drawing that routine 46 shares with it: a picture played through the
// GDI sink onto a device context, its frame mapped onto a destination rectangle.
//
// The mapping composes with the DC's own: the destination is in the DC's logical
// coordinates, and a world transform (GM_ADVANCED) placed in front of whatever transform
// the DC already has carries picture coordinates onto it, so shapes, pens, text and
// images all scale alike. Drawing is clipped to the destination within the DC's own clip;
// SaveDC and RestoreDC put the DC's mode, transform, clip and objects back afterwards.
#include "media/qtim32/GdiPictSink.h"
#include "media/qtim32/GdiRegion.h"
#include "media/qtim32/PictureHandle.h"
#include "media/qtim32/PictureRoutines.h"

#include "media/pict/PictReader.h"

namespace
{

// The DC's state, saved for one drawing and restored however it ends.
class CSavedDC
{
public:
    explicit CSavedDC(HDC hdc) : m_hdc(hdc), m_nSaved(::SaveDC(hdc)) {}
    ~CSavedDC()
    {
        if (m_nSaved != 0)
            ::RestoreDC(m_hdc, m_nSaved);
    }
    CSavedDC(const CSavedDC&) = delete;
    CSavedDC& operator=(const CSavedDC&) = delete;

    bool IsSaved() const { return m_nSaved != 0; }

private:
    HDC m_hdc;
    int m_nSaved;
};

// The transform from picture coordinates (the frame) onto rcDst.
XFORM FrameOnto(const pict::Rect& frame, const RECT& rcDst)
{
    XFORM xf{};
    xf.eM11 = static_cast<FLOAT>(rcDst.right - rcDst.left) / static_cast<FLOAT>(frame.Width());
    xf.eM22 = static_cast<FLOAT>(rcDst.bottom - rcDst.top) / static_cast<FLOAT>(frame.Height());
    xf.eDx = static_cast<FLOAT>(rcDst.left) - xf.eM11 * static_cast<FLOAT>(frame.left);
    xf.eDy = static_cast<FLOAT>(rcDst.top) - xf.eM22 * static_cast<FLOAT>(frame.top);
    return xf;
}

} // namespace

LONG_PTR DrawPictureBytes(HDC hdc, const uint8_t* data, size_t size, const pict::Rect& frame,
                          const RECT& rcDst)
{
    if (rcDst.right <= rcDst.left || rcDst.bottom <= rcDst.top)
        return 0;

    CSavedDC saved(hdc);
    if (!saved.IsSaved())
        return QTIM_ERR_BADARGUMENT;
    CRgn base(::CreateRectRgn(0, 0, 0, 0));
    if (base.Get() == NULL)
        return QTIM_ERR_NOMEMORY;
    // The destination's clip is taken in the DC's own coordinates, before the picture's
    // transform joins them; the region that GetClipRgn gives back is in device pixels,
    // ready for every later SelectClipRgn.
    if (::IntersectClipRect(hdc, rcDst.left, rcDst.top, rcDst.right, rcDst.bottom) == ERROR ||
        ::GetClipRgn(hdc, base.Get()) != 1)
        return QTIM_ERR_NOMEMORY;

    const XFORM xf = FrameOnto(frame, rcDst);
    if (::SetGraphicsMode(hdc, GM_ADVANCED) == 0 || !::ModifyWorldTransform(hdc, &xf, MWT_LEFTMULTIPLY))
        return QTIM_ERR_BADARGUMENT;

    CGdiPictSink sink(hdc, base.Get());
    pict::ReadPicture(data, size, sink);
    return 0;
}

LONG_PTR DrawPicture(HDC hdc, HGLOBAL hPict, const RECT* prcDst)
{
    if (hdc == NULL || prcDst == NULL)
        return QTIM_ERR_BADARGUMENT;
    CLockedPicture picture(hPict);
    if (!picture.IsValid())
        return QTIM_ERR_BADHANDLE;
    pict::PictInfo info;
    if (!pict::ReadPictHeader(picture.Data(), picture.Size(), info) || info.frame.IsEmpty())
        return QTIM_ERR_BADPICTURE;
    return DrawPictureBytes(hdc, picture.Data(), picture.Size(), info.frame, *prcDst);
}
