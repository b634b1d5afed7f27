// CDIBElem: the picture element that holds a device-independent bitmap, a packed DIB.
//
// It draws two ways. The plain way blits the DIB through GDI; it serves printing, drawing
// straight to a window, and every case the fast way declines. The fast way serves
// drawing into an off-screen buffer: the element keeps a copy of its image already in
// the buffer's pixel format (8-bit indices of the shared palette, or 16-bit RGB555), top
// row first, and copies that straight into the buffer's memory, stretching through
// integer run tables, skipping the transparent key 10, and anti-aliasing when it shrinks
// the whole image (if allowed). A set colour recolours that copy; a transparent
// background turns the lightest corner colour into the key.
//
// Every read of the DIB checks it first (ValidateDIB against the block that holds it):
// a DIB whose header claims more than its bytes hold draws as nothing, flips as nothing
// and gives no bitmap to copy; it still compares by its bytes. A DIB whose block cannot
// be had draws, flips and copies as nothing too, and is the same as no other element: its
// stored stream is damaged, claims more bytes than its DIB can use (refused before they
// are allocated), or needs more memory than there is. A block that is longer than that
// claim may be is stored uncoded, so that the element reads back what it wrote.
#pragma once

#include "limn/pictures/PictElemFreeable.h"
#include "hoard/data/ReloadableData.h"

#include "diblib/dibapi.h"

#include <vector>

class LIMN_API CDIBElem : public CPictElemFreeable
{
    DECLARE_SERIAL(CDIBElem)
public:
    // An empty element of extent (0, 0), for dynamic creation before Serialize.
    CDIBElem();
    // A copy of the DIB in hDIB, which the caller keeps; more than 16 bits per pixel are
    // stored as 16. The element stays empty when hDIB is NULL or holds no valid DIB.
    explicit CDIBElem(HDIB hDIB);
    ~CDIBElem() override;

// The DIB
    // Locks the stored DIB and gives its memory handle; NULL when it cannot be read.
    // A non-NULL result needs one ReleaseDIB.
    HDIB GetDIB();
    void ReleaseDIB();
    // Bytes of the stored DIB; 0 for an empty element.
    DWORD GetDIBSize() const { return m_dib.GetSize(); }
    // A new copy of the stored DIB, which the caller frees; NULL when it cannot be read
    // or is not a valid DIB.
    HDIB CopyDIB() const;
    // Whether the stored DIB can be read and is a valid DIB; fills *pInfo (which may be
    // NULL) when it is.
    BOOL GetDIBInfo(DIBINFO* pInfo) const;
    // Distinct palette indices in the 8-bit copy of the image for the buffer.
    int GetNumUniqueOptimizedColors() const { return m_nUniqueColors; }

    // Whether the fast way may anti-alias when it shrinks a whole image; FALSE at start.
    static void SetAllowAntiAliasing(BOOL bAllow) { m_bAllowAntiAliasing = bAllow; }

// Overridables
    using CDrawable::Draw;
    // src in the bitmap's pixels, dst in canvas coordinates.
    void Draw(CCanvas& canvas, const CRect& src, const CRect& dst) const override;
    // TRUE for another bitmap element whose stored DIB has equal bytes; FALSE when
    // either cannot be read.
    BOOL IsSameAs(CDrawable* pOther) override;
    // Takes a deep copy of the other element's DIB and its extent.
    void CopyFrom(const CPictElem* pOther) override;
    // Reverse the pixels of every row, or the order of the rows, in place. A run-length
    // coded DIB is not flipped left to right, nor are 1- and 4-bit ones.
    void FlipHorizontally() override;
    void FlipVertically() override;
    // Exchanges rows i and (rows - 1 - i) of the rows of |size.cx| bytes at pBits.
    static void FlipVertically(BYTE* pBits, CSize size);

    // The DIB's block record, then the extent; reading takes the extent from the stream.
    void Serialize(CArchive& ar) override;

protected:
    // The blocks release their own memory; the element itself holds nothing more.
    DWORD FreeUnusedMemory() override { return 0; }

private:
    class CDIBLock;

    void InitDIB(void* pDIB);
    // Empties the optimised and the recoloured image; the next buffered draw makes them.
    void EmptyCaches() const;

    // Makes the image for the current buffer's pixel size, and its recoloured copy when
    // a colour or a transparent background is set; whether an image exists.
    BOOL Optimize(CCanvas& canvas) const;
    // Converts the DIB into the optimised image; FALSE when it cannot.
    BOOL BuildOptimized(int nBytesPerPixel) const;
    // m_colored from m_optimized for the settings of the moment.
    void BuildColored() const;
    // For each row of pImage, one of the two images: whether the key is among its pixels.
    // No rows when there is no memory for them.
    void FindKeyRows(const BYTE* pImage, std::vector<BYTE>& rows) const;
    // Copies the image into the current buffer; FALSE when the caller must draw the
    // plain way, TRUE when it drew or there was nothing to draw.
    BOOL DrawOptimized(CCanvas& canvas, const CRect& src, const CRect& dst) const;
    // The whole image shrunk into dst, each destination pixel a blend of the block of
    // image pixels it covers. Only the pixels of part (within dst, from its top-left) are
    // written, from out down.
    void DrawAntiAliased8(CCanvas& canvas, const CRect& dst, const CRect& part, BYTE* image, BYTE* out) const;
    void DrawAntiAliased16(CCanvas& canvas, const CRect& dst, const CRect& part, WORD* image, WORD* out) const;
    // The plain way: the stored DIB through GDI.
    void DrawPlain(CCanvas& canvas, const CRect& src, const CRect& dst) const;

    CReloadableData m_dib;
    mutable CReloadableData m_optimized;    // cache flag cleared; empty until first needed
    mutable int m_nOptRowPixels;            // pixels per row; rows are whole multiples of 4 bytes
    mutable int m_nOptHeight;
    mutable int m_nUniqueColors;
    mutable BYTE m_colorUsed[256];          // 1 for each index in the 8-bit image
    mutable int m_nOptBytesPerPixel;        // 1 or 2; 0 when there is no image
    mutable CReloadableData m_colored;      // cache flag cleared; empty when not needed
    mutable BOOL m_bColoredTransparent;
    mutable BOOL m_bColoredUseColor;
    mutable COLORREF m_coloredColor;
    mutable int m_nOptWidth;                // the image's own width, in pixels
    // Per row of m_optimized and of m_colored, top row first: 1 where the key is among
    // its pixels. Other rows are copied whole.
    mutable std::vector<BYTE> m_optKeyRows;
    mutable std::vector<BYTE> m_coloredKeyRows;

    static BOOL m_bAllowAntiAliasing;
};

// Non-zero: every bitmap element draws the plain way.
extern LIMN_API int gUseDIBBlit;
