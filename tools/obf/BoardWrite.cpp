// A Board into board text. Empty optional text is left out.
#include "Board.h"

#include "JsonText.h"

namespace obf {

using namespace json_text;

namespace {

void PutText(Json& object, const char* key, const std::string& text)
{
    if (!text.empty())
        object[key] = text;
}

void PutColor(Json& object, const char* key, const std::optional<Color>& color)
{
    if (color)
        object[key] = FormatColor(*color);
}

Json ButtonJson(const Button& button)
{
    Json value = {{"id", button.id}};
    PutText(value, "label", button.label);
    PutText(value, "vocalization", button.vocalization);
    PutColor(value, "background_color", button.background_color);
    PutColor(value, "border_color", button.border_color);
    PutText(value, "image_id", button.image_id);
    PutText(value, "sound_id", button.sound_id);
    if (button.load_board) {
        Json link = Json::object();
        PutText(link, "id", button.load_board->id);
        PutText(link, "path", button.load_board->path);
        PutText(link, "url", button.load_board->url);
        PutText(link, "name", button.load_board->name);
        value["load_board"] = std::move(link);
    }
    return value;
}

Json ImageJson(const Image& image)
{
    Json value = {{"id", image.id}};
    PutText(value, "data", image.data);
    PutText(value, "path", image.path);
    PutText(value, "url", image.url);
    if (image.symbol)
        value["symbol"] = {{"set", image.symbol->set}, {"filename", image.symbol->filename}};
    PutText(value, "content_type", image.content_type);
    if (image.width)
        value["width"] = image.width;
    if (image.height)
        value["height"] = image.height;
    return value;
}

Json SoundJson(const Sound& sound)
{
    Json value = {{"id", sound.id}};
    PutText(value, "data", sound.data);
    PutText(value, "path", sound.path);
    PutText(value, "url", sound.url);
    PutText(value, "content_type", sound.content_type);
    return value;
}

Json GridJson(const Grid& grid)
{
    Json order = Json::array();
    for (const auto& row : grid.order) {
        Json cells = Json::array();
        for (const auto& cell : row)
            cells.push_back(cell ? Json(*cell) : Json(nullptr));
        order.push_back(std::move(cells));
    }
    return {{"rows", grid.rows}, {"columns", grid.columns}, {"order", std::move(order)}};
}

} // namespace

std::string WriteBoard(const Board& board)
{
    Json value = {{"format", board.format}, {"id", board.id}};
    PutText(value, "locale", board.locale);
    PutText(value, "name", board.name);
    value["grid"] = GridJson(board.grid);
    value["buttons"] = Json::array();
    for (const Button& button : board.buttons)
        value["buttons"].push_back(ButtonJson(button));
    value["images"] = Json::array();
    for (const Image& image : board.images)
        value["images"].push_back(ImageJson(image));
    value["sounds"] = Json::array();
    for (const Sound& sound : board.sounds)
        value["sounds"].push_back(SoundJson(sound));
    return Dump(value);
}

} // namespace obf
