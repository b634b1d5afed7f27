// CImageList: an image list of comctl32.dll with the permanent and temporary handle maps
// of the other wrappers. An object owns the list that Create or Attach gave it and
// destroys it with itself; FromHandle gives a temporary object that owns nothing. The
// controls' GetImageList and SetImageList answer with the list's owner, else such a
// temporary object.
#pragma once

#include "afxwin.h"

#include <commctrl.h>

class AFX_FRAMEWORK CImageList : public CObject
{
    DECLARE_DYNCREATE(CImageList)
public:
    HIMAGELIST m_hImageList;

    CImageList() : m_hImageList(NULL) {}
    ~CImageList() override;
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    operator HIMAGELIST() const { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const { return AfxUnassumed(this) == NULL ? NULL : m_hImageList; }

    // The object that owns hImageList, else a temporary one; NULL for NULL.
    static CImageList* PASCAL FromHandle(HIMAGELIST hImageList);
    // The object that owns hImageList, or NULL.
    static CImageList* PASCAL FromHandlePermanent(HIMAGELIST hImageList);
    // Frees the temporary objects; their lists stay.
    static void PASCAL DeleteTempMap();
    BOOL Attach(HIMAGELIST hImageList);
    HIMAGELIST Detach();

// Creation; each FALSE when the object already holds a list or the list cannot be made
    // Images of cx by cy; nFlags is ILC_MASK (TRUE) for a mask besides the images, with
    // an ILC_COLOR... depth; room for nInitial images, growing by nGrow.
    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    // The images of a bitmap of the resource chain, cx wide each; the pixels of crMask
    // are transparent (CLR_NONE: none).
    BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
    BOOL Create(LPCTSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask);
    // One image: image nImage2 of imagelist2 drawn over nImage1 of imagelist1 at dx, dy.
    BOOL Create(CImageList& imagelist1, int nImage1, CImageList& imagelist2, int nImage2, int dx, int dy);
    BOOL DeleteImageList();

// Attributes
    int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
    // The colour drawn under the transparent pixels (CLR_NONE: none); the previous one.
    COLORREF SetBkColor(COLORREF cr) { return ImageList_SetBkColor(m_hImageList, cr); }
    COLORREF GetBkColor() const { return ImageList_GetBkColor(m_hImageList); }
    // The image's and mask's bitmaps (owned by the list) and its rectangle in them.
    BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const
        { return ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo); }

// Operations; the list copies the bitmaps and icons given, the caller keeps them
    // The index of the first new image (a wide bitmap adds several), or -1.
    int Add(CBitmap* pbmImage, CBitmap* pbmMask);
    int Add(CBitmap* pbmImage, COLORREF crMask);
    int Add(HICON hIcon) { return ImageList_AddIcon(m_hImageList, hIcon); }
    // nImage -1: every image.
    BOOL Remove(int nImage) { return ImageList_Remove(m_hImageList, nImage); }
    BOOL Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask);
    // nImage -1 adds the icon; the index of the image, or -1.
    int Replace(int nImage, HICON hIcon) { return ImageList_ReplaceIcon(m_hImageList, nImage, hIcon); }
    // A new icon of the image, which the caller destroys; NULL when there is none.
    HICON ExtractIcon(int nImage) { return ImageList_ExtractIcon(NULL, m_hImageList, nImage); }
    // nStyle: ILD_NORMAL, ILD_TRANSPARENT, ILD_BLEND25/50, ILD_FOCUS, ILD_SELECTED,
    // ILD_MASK, with INDEXTOOVERLAYMASK(n) to draw overlay n over the image.
    BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
    // Makes image nImage overlay nOverlay (1 to 4).
    BOOL SetOverlayImage(int nImage, int nOverlay) { return ImageList_SetOverlayImage(m_hImageList, nImage, nOverlay); }

// Archives, in the system's stream format of image lists
    // Replaces the object's list by the one that follows in the archive; FALSE, keeping
    // the list, when the archive holds none.
    BOOL Read(CArchive* pArchive);
    BOOL Write(CArchive* pArchive);

// Dragging: one drag at a time in the process, its image drawn over pWndLock's window
    // Starts dragging image nImage, held at ptHotSpot of it.
    BOOL BeginDrag(int nImage, CPoint ptHotSpot) { return ImageList_BeginDrag(m_hImageList, nImage, ptHotSpot.x, ptHotSpot.y); }
    static void PASCAL EndDrag() { ImageList_EndDrag(); }
    // Shows the image at point (from the upper left corner of pWndLock's window, not of
    // its client area; of the screen for NULL) and locks that window's updates until
    // DragLeave.
    static BOOL PASCAL DragEnter(CWnd* pWndLock, CPoint point)
        { return ImageList_DragEnter(pWndLock->GetSafeHwnd(), point.x, point.y); }
    static BOOL PASCAL DragLeave(CWnd* pWndLock) { return ImageList_DragLeave(pWndLock->GetSafeHwnd()); }
    static BOOL PASCAL DragMove(CPoint pt) { return ImageList_DragMove(pt.x, pt.y); }
    static BOOL PASCAL DragShowNolock(BOOL bShow) { return ImageList_DragShowNolock(bShow); }
    // Combines image nDrag of this list with the dragged image, as a cursor would be.
    BOOL SetDragCursorImage(int nDrag, CPoint ptHotSpot)
        { return ImageList_SetDragCursorImage(m_hImageList, nDrag, ptHotSpot.x, ptHotSpot.y); }
    // The list of the image being dragged (a temporary object), its position and hot
    // spot; NULL when nothing is dragged.
    static CImageList* PASCAL GetDragImage(LPPOINT lpPoint, LPPOINT lpPointHotSpot);
};
