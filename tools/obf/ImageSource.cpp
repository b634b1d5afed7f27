// The order in which a reader tries an image's sources.
#include "ImageSource.h"

namespace obf {

std::vector<ImageSource> PreferredImageSources(const Image& image)
{
    std::vector<ImageSource> sources;
    if (!image.data.empty())
        sources.push_back(ImageSource::Data);
    if (!image.path.empty())
        sources.push_back(ImageSource::Path);
    if (!image.url.empty())
        sources.push_back(ImageSource::Url);
    if (image.symbol)
        sources.push_back(ImageSource::Symbol);
    return sources;
}

} // namespace obf
