// CMacPictElem: the picture element that holds a Macintosh picture (PICT) exactly as it
// was given, the bytes of a picture handle. limn never parses them: the media library
// (MediaLibrary.h) draws them onto a device context and converts them into a packed DIB.
// Without that library the element draws nothing and gives no DIB, and its bytes go
// through loading and saving unchanged.
//
// The element's extent is not taken from the picture: the creator or the stream sets it.
#pragma once

#include "limn/pictures/PictElemFreeable.h"
#include "hoard/data/ReloadableData.h"

#include "diblib/dibapi.h"

class LIMN_API CMacPictElem : public CPictElemFreeable
{
    DECLARE_SERIAL(CMacPictElem)
public:
    // A copy of the whole global block hPict (its global size), which the caller keeps;
    // NULL makes an empty element, for dynamic creation before Serialize.
    explicit CMacPictElem(void* hPict = NULL);
    ~CMacPictElem() override;

    // An element of the picture in a ".pct" or ".pict" file, from the file's current
    // position to its end: the picture's bytes without the 512-byte header that files
    // may begin with, and the extent of the picture's frame. NULL when the file holds no
    // picture: no version opcode after a frame at the start or after 512 bytes, an empty
    // frame, or more than nMaxFileSize bytes. Errors of the file pass to the caller.
    static CMacPictElem* ReadFile(CFile& file);
    static constexpr ULONGLONG nMaxFileSize = 256 * 1024 * 1024;

    // The bytes of the picture.
    const CReloadableData& GetPict() const { return m_pict; }
    void SetExtent(CSize extent) { m_extent = extent; }

    using CDrawable::Draw;
    // Draws the whole picture scaled into dst on the canvas's context; src is not used.
    void Draw(CCanvas& canvas, const CRect& src, const CRect& dst) const override;
    // A new packed DIB of the picture, which the caller frees; NULL without the media
    // library or when it cannot convert the picture.
    HDIB MakeDIB();

    // The picture's block record, then the extent.
    void Serialize(CArchive& ar) override;

protected:
    // The block releases its own memory; the element itself holds nothing more.
    DWORD FreeUnusedMemory() override { return 0; }

private:
    // Locks the picture's block for the lifetime of the object; Handle() is NULL when
    // the block is empty or its bytes cannot be had.
    class CPictLock;

    CReloadableData m_pict;
};
