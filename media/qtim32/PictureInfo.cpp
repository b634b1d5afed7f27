// Routine 34: the picture's information record, from a reading of the whole picture.
#include "media/qtim32/PictureHandle.h"
#include "media/qtim32/PictureRoutines.h"

#include "media/pict/PictReader.h"

#include <algorithm>

namespace
{

WORD EndOf(pict::PictResult result)
{
    switch (result)
    {
    case pict::PictResult::Complete:
        return QTPICT_END_COMPLETE;
    case pict::PictResult::Truncated:
        return QTPICT_END_TRUNCATED;
    default:
        return QTPICT_END_REFUSED;
    }
}

} // namespace

LONG_PTR GetPictureInfo(HGLOBAL hPict, QTPICTINFO* pInfo)
{
    if (pInfo == NULL || pInfo->cbSize < sizeof(QTPICTINFO))
        return QTIM_ERR_BADARGUMENT;
    CLockedPicture picture(hPict);
    if (!picture.IsValid())
        return QTIM_ERR_BADHANDLE;
    pict::PictInfo info;
    if (!pict::GetPictInfo(picture.Data(), picture.Size(), info))
        return QTIM_ERR_BADPICTURE;

    const DWORD cbSize = pInfo->cbSize;
    *pInfo = QTPICTINFO{};
    pInfo->cbSize = cbSize;
    pInfo->wVersion = static_cast<WORD>(info.version);
    pInfo->fExtended = info.extended ? 1 : 0;
    pInfo->cbHeader = static_cast<DWORD>(info.offset);
    pInfo->cbPicture = static_cast<DWORD>(std::min<size_t>(picture.Size(), MAXDWORD));
    pInfo->rcFrame = RECT{info.frame.left, info.frame.top, info.frame.right, info.frame.bottom};
    pInfo->hRes = info.hRes;
    pInfo->vRes = info.vRes;
    pInfo->nOpcodes = info.opcodes;
    pInfo->nImages = info.images;
    pInfo->wMaxPixelSize = static_cast<WORD>(info.deepestPixelSize);
    pInfo->wEnd = EndOf(info.result);
    return 0;
}
