// CPicture: the picture resource, an ordered list of elements each placed by a rectangle.
// Pictures are stored in resource files, copied to and pasted from the clipboard as
// device-independent bitmaps, and imported from bitmap, PNG, JPEG, GIF and TIFF files.
//
// The picture owns its elements, except elements that are also resources: it links those
// to themselves through a counting resource pointer, and they live as their usage count
// says. A stub may hold no element (a stored null element record, or the record of an
// object that is not an element): such stubs are kept, written back with a null record,
// compared by rectangle, and otherwise skipped.
#pragma once

#include "limn/pictures/DrawableResource.h"
#include "limn/pictures/PictElemArray.h"
#include "limn/pictures/PictureClass.h"

#include "diblib/dibapi.h"

class CDIBElem;

class LIMN_API CPicture : public CDrawableResource
{
    DECLARE_SERIAL(CPicture)
public:
    CPicture() = default;
    // A copy with the same name, extent and copies of the elements (CPictElem::CreateCopy),
    // added to the other picture's file.
    CPicture(const CPicture& other);
    // Releases every element.
    ~CPicture() override;

    static CPicture* New(CHoard& hoard, const char* pszName);
    CPicture* CopyBeforeWrite() { return static_cast<CPicture*>(UntypedCopyBeforeWrite()); }
    CPicture* Duplicate() { return static_cast<CPicture*>(UntypedDuplicate()); }

    CResourceClass* GetResourceClass() override { return &m_resInfo; }
    static CPictureClass m_resInfo;

// Elements
    const CPictElemArray& GetPictElems() const { return m_elems; }
    // Appends e at its default position with its extent; the picture takes e.
    void AddPictElem(CPictElem* pElem);
    // Appends e with rect, growing the extent to rect's right and bottom; the picture
    // takes e.
    void AddPictElem(CPictElem* pElem, const CRect& rect);
    // Releases every element and empties the picture; the extent becomes (0, 0).
    void RemoveAllPictElems();

// Drawing and settings
    using CDrawable::Draw;
    // Every element in list order, each with the picture's own src and dst.
    void Draw(CCanvas& canvas, const CRect& src, const CRect& dst) const override;
    // On the picture, then on every element.
    void SetColor(COLORREF color) override;
    void SetDefaultColor() override;
    void SetTransparentBackground(BOOL bTransparent) override;
    // Flips every element and marks the picture's file modified.
    void FlipHorizontally();
    void FlipVertically();

// Bitmaps
    // A copy of the DIB of the first bitmap element, which the caller frees; NULL
    // without a bitmap element or when its DIB cannot be read.
    HDIB MakeDIB();
    // Appends the picture of a file as an element, takes the element's extent and the
    // file's name (no folder, nothing from the first dot on, numbered when another
    // picture of the file has it). The file's first bytes choose the reader, whatever
    // its extension: a bitmap (".bmp", ".dib") is read by diblib's ReadDIBFile; PNG,
    // JPEG, GIF and TIFF through the imaging component (ReadImageFile: the first frame),
    // their transparent parts laid over white; each becomes a bitmap element. A file of
    // none of these kinds that holds a Macintosh picture (".pct", ".pict") becomes a
    // Macintosh picture element, which turns into a bitmap element when it is first
    // drawn. FALSE, with the picture unchanged, when the file is none of these or holds
    // no picture that can be read (damaged, cut short); a file that cannot be opened
    // raises the framework's file exception.
    BOOL ImportFromFile(const char* pszPath);
    // The same from a file already open (a CMemFile of bytes held in memory, say), read
    // from its start; pszPath gives the picture's name as a file's path would.
    BOOL ImportFromFile(CFile& file, const char* pszPath);

// Clipboard, as a device-independent bitmap (CF_DIB)
    // Puts the first bitmap element's DIB on the clipboard beside what it holds, in place
    // of any DIB it held.
    void OnCopy() override;
    // Replaces every element by the clipboard's DIB; nothing changes when the clipboard
    // holds no DIB that can be read.
    void OnPaste() override;

// Comparison
    // Equal extents and equal stubs: equal rectangles and elements of one class that
    // are the same (IsSameAs), or no element on both sides.
    BOOL operator==(const CPicture& other) const;
    BOOL IsSameAs(const CResource* pOther) const override;
    BOOL IsSameAs(CDrawable* pOther) override;

    // The resource's name, then the stubs; reading computes the extent from them.
    void Serialize(CArchive& ar) override;

protected:
    CResource* UntypedDuplicate() override;

private:
    // Releases one element: empties its self pointer when it has one, otherwise
    // deletes it unless it is a resource that its file holds.
    static void ReleasePictElem(CPictElem* pElem);
    // Links an element that is also a resource to itself.
    static void LinkSelfPointer(CPictElem* pElem);
    // Appends the stub (pElem, rect); pElem is released when that fails.
    void AppendStub(CPictElem* pElem, const CRect& rect);
    // Calls fn with every element, in list order; stubs without one are skipped.
    template <class Fn>
    void ForEachElem(Fn fn) const
    {
        for (INT_PTR i = 0; i < m_elems.GetSize(); ++i)
        {
            if (CPictElem* pElem = m_elems[i].m_pElem)
                fn(pElem);
        }
    }
    // Appends an element with the rectangle (0, 0, its extent), links it and gives the
    // picture its extent; the picture takes it.
    void AppendWholeElem(CPictElem* pElem);
    // ImportFromFile's end: a bitmap element of hDIB (which this frees; NULL gives
    // FALSE) appended, and the picture named after the file. FALSE, with the picture
    // unchanged, when the element holds no bitmap.
    BOOL AppendImportedDIB(HDIB hDIB, const char* pszPath);
    // Replaces a first element that is a Macintosh picture by a bitmap element made
    // from its DIB, so that the picture draws by the bitmap's fast path from then on.
    // Without the media library, or when it cannot convert the picture, the Macintosh
    // element stays.
    void ConvertMacPictElem();

    CPictElemArray m_elems;
};
