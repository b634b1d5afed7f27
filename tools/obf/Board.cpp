// Looking up a board's elements by id.
#include "Board.h"

#include <algorithm>

namespace obf {

namespace {

template <typename T>
const T* FindById(const std::vector<T>& elements, std::string_view id)
{
    auto found = std::find_if(elements.begin(), elements.end(),
                              [id](const T& element) { return element.id == id; });
    return found == elements.end() ? nullptr : &*found;
}

} // namespace

const Button* Board::FindButton(std::string_view id) const
{
    return FindById(buttons, id);
}

const Image* Board::FindImage(std::string_view id) const
{
    return FindById(images, id);
}

const Sound* Board::FindSound(std::string_view id) const
{
    return FindById(sounds, id);
}

} // namespace obf
