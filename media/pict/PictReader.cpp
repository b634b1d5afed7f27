// The picture reader's entry points.
#include "media/pict/PictReader.h"

namespace pict {

PictResult ReadPicture(const uint8_t* data, size_t size, PictSink& sink, PictInfo* info)
{
    if (info)
        *info = PictInfo();
    return PictResult::NotAPicture;
}

bool GetPictInfo(const uint8_t* data, size_t size, PictInfo& info)
{
    info = PictInfo();
    return false;
}

} // namespace pict
