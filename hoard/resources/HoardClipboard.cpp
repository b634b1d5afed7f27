// CHoard and the clipboard: the library's two registered formats, the streams of a
// copy written and put on the clipboard, and private copies of the clipboard's data
// for a paste, which HoardPaste.cpp reads.
#include "hoard/resources/Hoard.h"

#include "hoard/resources/ClipboardMemFile.h"

#include <afxwin.h>

#include <memory>

WORD CHoard::m_cfResources = 0;
WORD CHoard::m_cfDescriptor = 0;

namespace {

// A global block owned until it is handed on.
class CGlobalBlock
{
public:
    explicit CGlobalBlock(HGLOBAL h = NULL) : m_h(h) {}
    ~CGlobalBlock()
    {
        if (m_h != NULL)
            GlobalFree(m_h);
    }
    CGlobalBlock(const CGlobalBlock&) = delete;
    CGlobalBlock& operator=(const CGlobalBlock&) = delete;

    HGLOBAL Get() const { return m_h; }
    void Reset(HGLOBAL h)
    {
        if (m_h != NULL)
            GlobalFree(m_h);
        m_h = h;
    }
    HGLOBAL Release()
    {
        HGLOBAL h = m_h;
        m_h = NULL;
        return h;
    }

private:
    HGLOBAL m_h;
};

// The clipboard, open for the life of the object. Another program may hold it for a
// moment: the open is tried again for a while before CResourceException says that
// the clipboard cannot be had.
class COpenClipboard
{
public:
    explicit COpenClipboard(HWND hWndOwner = NULL)
    {
        for (int nTries = 1; !::OpenClipboard(hWndOwner); ++nTries)
        {
            if (nTries == 20)
                AfxThrowResourceException();
            Sleep(25);
        }
    }
    ~COpenClipboard() { ::CloseClipboard(); }
    COpenClipboard(const COpenClipboard&) = delete;
    COpenClipboard& operator=(const COpenClipboard&) = delete;
};

// The hidden window that owns the clipboard after a copy from this thread (Windows
// refuses data on a clipboard emptied without an owner window). It lives as long as
// the thread, because a paste in the program that owns the clipboard gets back the
// block the copy handed over, where another program has Wine fetch all of it anew.
// The data is handed over whole, never rendered on request, so it stays on the
// clipboard when the window or the program goes. Another program that empties the
// clipboard sends this window a message and waits for this thread to take it (under
// Wine five seconds at most, and not at all once the thread has taken no message for
// that long): a thread that copies and stays should keep retrieving its messages, as
// a user-interface thread does.
HWND ClipboardOwner()
{
    thread_local HWND hWndOwner = NULL;
    // Gone with the thread's windows, or a handle that now names another window.
    if (::GetWindowThreadProcessId(hWndOwner, NULL) != ::GetCurrentThreadId())
    {
        hWndOwner = ::CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, NULL, NULL);
        if (hWndOwner == NULL)
            AfxThrowResourceException();
    }
    return hWndOwner;
}

// A private copy of the clipboard's data in one format: a new movable block of the
// same size, locked for reading; the copy fills every byte of it, so it is not zeroed
// first. Empty when the clipboard does not hold the format or its data cannot be read.
// The clipboard must be open.
class CClipboardCopy
{
public:
    explicit CClipboardCopy(UINT nFormat) : m_pBytes(NULL), m_nSize(0)
    {
        HANDLE hData = ::GetClipboardData(nFormat);
        SIZE_T nSize = hData != NULL ? GlobalSize(hData) : 0;
        // A block too long for a memory file is damaged: it is read as empty.
        if (nSize == 0 || nSize > 0xFFFFFFFF)
            return;
        const void* pData = GlobalLock(hData);
        if (pData == NULL)
            return;
        m_block.Reset(GlobalAlloc(GMEM_MOVEABLE, nSize));
        if (m_block.Get() == NULL)
        {
            GlobalUnlock(hData);
            AfxThrowMemoryException();
        }
        m_pBytes = static_cast<BYTE*>(GlobalLock(m_block.Get()));
        memcpy(m_pBytes, pData, nSize);
        GlobalUnlock(hData);
        m_nSize = (UINT)nSize;
    }
    ~CClipboardCopy()
    {
        if (m_pBytes != NULL)
            GlobalUnlock(m_block.Get());
    }
    CClipboardCopy(const CClipboardCopy&) = delete;
    CClipboardCopy& operator=(const CClipboardCopy&) = delete;

    const BYTE* GetBytes() const { return m_pBytes; }
    UINT GetSize() const { return m_nSize; }

private:
    CGlobalBlock m_block;
    BYTE* m_pBytes;
    UINT m_nSize;
};

// A stream written by fn into a new global block, through an archive of its own.
template <class Fn>
HGLOBAL WriteStream(Fn fn)
{
    CClipboardMemFile file;
    CArchive ar(&file, CArchive::store | CArchive::bNoFlushOnDelete);
    fn(ar);
    ar.Close();
    return file.CopyToGlobal();
}

} // namespace

// The streams

HGLOBAL CHoard::WriteResourceStream(const CResourceList& list)
{
    // Each resource's Serialize announces that it is saved, as in a file. The memory
    // file has no path: every data block is written out in full.
    return WriteStream([&list](CArchive& ar) { const_cast<CResourceList&>(list).Serialize(ar); });
}

HGLOBAL CHoard::WriteDescriptorStream(const CResourceList& list)
{
    return WriteStream([&list](CArchive& ar) {
        CString strType = list.IsEmpty() ? "" : list.GetHead()->GetRuntimeClass()->m_lpszClassName;
        CStringArray names;
        for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
            names.Add(list.GetNext(pos)->GetName());
        ar << strType;
        names.Serialize(ar);
    });
}

void CHoard::RegisterClipboardFormats()
{
    m_cfResources = (WORD)::RegisterClipboardFormatA("QX Resource Format");
    m_cfDescriptor = (WORD)::RegisterClipboardFormatA("QX Resource Format Descriptor");
}

void CHoard::OnCopyGeneric(const CResourceList& list)
{
    if (list.IsEmpty())
        return;
    CWaitCursor wait;
    // Both streams are written before the clipboard is opened, so that a failure to
    // write them leaves the clipboard as it was, and it is open only to be filled.
    CGlobalBlock resources(WriteResourceStream(list));
    CGlobalBlock descriptor(WriteDescriptorStream(list));
    COpenClipboard clipboard(ClipboardOwner());
    ::EmptyClipboard();
    // The clipboard owns a block once it took it.
    if (::SetClipboardData(m_cfResources, resources.Get()) == NULL)
        AfxThrowResourceException();
    resources.Release();
    if (::SetClipboardData(m_cfDescriptor, descriptor.Get()) == NULL)
        AfxThrowResourceException();
    descriptor.Release();
}

BOOL CHoard::CanPasteGeneric(const char* pszType)
{
    if (pszType == NULL)
        return ::IsClipboardFormatAvailable(m_cfResources);
    try
    {
        CString strType;
        CStringArray names;
        return ReadClipboardDescriptor(strType, names) && strType == pszType;
    }
    catch (CException* e)
    {
        // A clipboard that cannot be had, or a descriptor that cannot be read, names
        // no type.
        e->Delete();
        return FALSE;
    }
}

BOOL CHoard::ReadClipboardDescriptor(CString& strType, CStringArray& names)
{
    if (!::IsClipboardFormatAvailable(m_cfDescriptor))
        return FALSE;
    std::unique_ptr<CClipboardCopy> pCopy;
    {
        COpenClipboard clipboard;
        pCopy = std::make_unique<CClipboardCopy>(m_cfDescriptor);
    }
    if (pCopy->GetBytes() == NULL)
        return FALSE;
    ReadDescriptorStream(pCopy->GetBytes(), pCopy->GetSize(), strType, names);
    return TRUE;
}

void CHoard::OnPasteGeneric(CResourceList& list)
{
    // Both streams are copied in one opening, so that the question is asked of the
    // names of the very resources that are pasted.
    std::unique_ptr<CClipboardCopy> pDescriptor, pResources;
    {
        COpenClipboard clipboard;
        pDescriptor = std::make_unique<CClipboardCopy>(m_cfDescriptor);
        pResources = std::make_unique<CClipboardCopy>(m_cfResources);
    }
    PasteStreams(pDescriptor->GetBytes(), pDescriptor->GetSize(), pResources->GetBytes(), pResources->GetSize(), list);
}
