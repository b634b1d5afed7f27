// CPicture: copy to and paste from the clipboard as a device-independent bitmap.
#include "limn/pictures/Picture.h"
#include "limn/pictures/DIBElem.h"

#include <memory>

void CPicture::OnCopy()
{
    HDIB hDIB = MakeDIB();
    if (hDIB == NULL)
        return;
    // The clipboard owns the block once it took it.
    if (!::OpenClipboard(NULL))
    {
        GlobalFree(hDIB);
        return;
    }
    // What the clipboard holds stays. Emptying it after an open without a window would
    // leave it without an owner, and Windows then refuses the data.
    if (::SetClipboardData(CF_DIB, hDIB) == NULL)
        GlobalFree(hDIB);
    ::CloseClipboard();
}

void CPicture::OnPaste()
{
    if (!::OpenClipboard(NULL))
        return;
    std::unique_ptr<CDIBElem> pElem;
    try
    {
        if (HANDLE hData = ::GetClipboardData(CF_DIB))
            pElem.reset(new CDIBElem(static_cast<HDIB>(hData)));
    }
    catch (...)
    {
        ::CloseClipboard();
        throw;
    }
    ::CloseClipboard();
    if (pElem == NULL || pElem->GetDIBSize() == 0)
        return;
    RemoveAllPictElems();
    AppendWholeElem(pElem.release());
}
