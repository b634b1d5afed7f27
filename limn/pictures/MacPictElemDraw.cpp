// CMacPictElem: drawing and converting the picture through the media library.
#include "limn/pictures/MacPictElem.h"
#include "limn/pictures/MediaLibrary.h"
#include "limn/canvas/Canvas.h"

class CMacPictElem::CPictLock
{
public:
    explicit CPictLock(const CReloadableData& pict) : m_pict(pict), m_bLocked(FALSE)
    {
        try
        {
            m_bLocked = pict.Lock() != NULL;
        }
        catch (CArchiveException* e)
        {
            e->Delete();
        }
        catch (CMemoryException* e)
        {
            e->Delete();
        }
    }
    ~CPictLock()
    {
        if (m_bLocked)
            m_pict.Unlock();
    }
    CPictLock(const CPictLock&) = delete;
    CPictLock& operator=(const CPictLock&) = delete;

    HGLOBAL Handle() const { return m_bLocked ? (HGLOBAL)m_pict.GetHandle() : NULL; }

private:
    const CReloadableData& m_pict;
    BOOL m_bLocked;
};

namespace {

// The media library takes the picture as an unlocked handle, which it locks itself:
// the element's own lock is lifted for the length of a call.
class CLiftedLock
{
public:
    explicit CLiftedLock(HGLOBAL hPict) : m_hPict(hPict) { ::GlobalUnlock(hPict); }
    ~CLiftedLock() { ::GlobalLock(m_hPict); }
    CLiftedLock(const CLiftedLock&) = delete;
    CLiftedLock& operator=(const CLiftedLock&) = delete;

private:
    HGLOBAL m_hPict;
};

} // namespace

void CMacPictElem::Draw(CCanvas& canvas, const CRect&, const CRect& dst) const
{
    static CMediaLibraryUse use;
    CPictLock lock(m_pict);
    if (!use.IsAvailable() || lock.Handle() == NULL)
        return;
    CLiftedLock lifted(lock.Handle());
    RECT rectDst = dst;
    CMediaLibrary::Call(QTIM_DRAWPICTURE, (LONG_PTR)canvas.GetDC()->m_hDC, (LONG_PTR)lock.Handle(),
                        (LONG_PTR)&rectDst, 0);
}

HDIB CMacPictElem::MakeDIB()
{
    static CMediaLibraryUse use;
    CPictLock lock(m_pict);
    if (!use.IsAvailable() || lock.Handle() == NULL)
        return NULL;
    CLiftedLock lifted(lock.Handle());
    // The library fills an information record of its own, 86 bytes long, in an 88-byte
    // buffer. Nothing here reads it: asking for it comes before a conversion.
    DWORD record[22] = {86};
    CMediaLibrary::Call(QTIM_GETPICTUREINFO, (LONG_PTR)lock.Handle(), (LONG_PTR)record);
    return (HDIB)CMediaLibrary::Call(QTIM_PICTURETODIB, (LONG_PTR)lock.Handle());
}
