// Board text into a Board: every field type-checked, the grid's buttons resolved.
#include "Board.h"

#include "JsonText.h"
#include "ObfError.h"

#include <set>

namespace obf {

using namespace json_text;

namespace {

std::string Indexed(const char* array, size_t index)
{
    return std::string(array) + "[" + std::to_string(index) + "]";
}

// A path member, canonical, or empty when absent.
std::string PathMember(const Json& object, const std::string& where)
{
    std::string path = StringMember(object, "path", where);
    return path.empty() ? path : CheckedPath(path, where + ".path");
}

std::optional<Color> ColorMember(const Json& object, const char* key, const std::string& where)
{
    std::string text = StringMember(object, key, where);
    if (text.empty())
        return std::nullopt;
    try {
        return ParseColor(text);
    } catch (const Error& e) {
        throw Error(where + "." + key + ": " + e.what());
    }
}

// Refuses an id that an earlier element of the same array had.
void CheckUnique(std::set<std::string>& seen, const std::string& id, const std::string& where)
{
    if (!seen.insert(id).second)
        throw Error(where + ".id \"" + id + "\" repeats an earlier id");
}

Button ParseButton(const Json& value, const std::string& where)
{
    ExpectObject(value, where);
    Button button;
    button.id = IdMember(value, "id", where);
    button.label = StringMember(value, "label", where);
    button.vocalization = StringMember(value, "vocalization", where);
    button.background_color = ColorMember(value, "background_color", where);
    button.border_color = ColorMember(value, "border_color", where);
    if (Member(value, "image_id"))
        button.image_id = IdMember(value, "image_id", where);
    if (Member(value, "sound_id"))
        button.sound_id = IdMember(value, "sound_id", where);
    if (const Json* link = Member(value, "load_board")) {
        std::string linkWhere = where + ".load_board";
        ExpectObject(*link, linkWhere);
        LoadBoard load;
        if (Member(*link, "id"))
            load.id = IdMember(*link, "id", linkWhere);
        load.path = PathMember(*link, linkWhere);
        load.url = StringMember(*link, "url", linkWhere);
        load.name = StringMember(*link, "name", linkWhere);
        button.load_board = std::move(load);
    }
    return button;
}

Image ParseImage(const Json& value, const std::string& where)
{
    ExpectObject(value, where);
    Image image;
    image.id = IdMember(value, "id", where);
    image.data = StringMember(value, "data", where);
    image.path = PathMember(value, where);
    image.url = StringMember(value, "url", where);
    if (const Json* symbol = Member(value, "symbol")) {
        std::string symbolWhere = where + ".symbol";
        ExpectObject(*symbol, symbolWhere);
        image.symbol = Symbol{StringMember(*symbol, "set", symbolWhere),
                              StringMember(*symbol, "filename", symbolWhere)};
    }
    image.content_type = StringMember(value, "content_type", where);
    image.width = CountMember(value, "width", 1 << 20, where);
    image.height = CountMember(value, "height", 1 << 20, where);
    return image;
}

Sound ParseSound(const Json& value, const std::string& where)
{
    ExpectObject(value, where);
    Sound sound;
    sound.id = IdMember(value, "id", where);
    sound.data = StringMember(value, "data", where);
    sound.path = PathMember(value, where);
    sound.url = StringMember(value, "url", where);
    sound.content_type = StringMember(value, "content_type", where);
    return sound;
}

Grid ParseGrid(const Json& board, const Board& parsed)
{
    const Json* value = Member(board, "grid");
    if (!value)
        throw Error("the board has no grid");
    ExpectObject(*value, "grid");
    Grid grid;
    grid.rows = CountMember(*value, "rows", kMaxGridSide, "grid");
    grid.columns = CountMember(*value, "columns", kMaxGridSide, "grid");
    if (grid.rows * grid.columns > kMaxGridCells)
        throw Error("the grid has " + std::to_string(grid.rows * grid.columns) +
                    " cells, more than the " + std::to_string(kMaxGridCells) + " allowed");
    const Json& order = ArrayMember(*value, "order", "grid");
    if (order.size() != size_t(grid.rows))
        throw Error("grid.order has " + std::to_string(order.size()) + " rows, grid.rows says " +
                    std::to_string(grid.rows));
    for (size_t r = 0; r < order.size(); ++r) {
        std::string rowWhere = "grid.order[" + std::to_string(r) + "]";
        if (!order[r].is_array())
            throw Error(rowWhere + " must be an array, not " + order[r].type_name());
        if (order[r].size() != size_t(grid.columns))
            throw Error(rowWhere + " has " + std::to_string(order[r].size()) +
                        " cells, grid.columns says " + std::to_string(grid.columns));
        auto& row = grid.order.emplace_back();
        for (size_t c = 0; c < order[r].size(); ++c) {
            const Json& cell = order[r][c];
            std::string cellWhere = rowWhere + "[" + std::to_string(c) + "]";
            if (cell.is_null()) {
                row.emplace_back();
                continue;
            }
            std::string id;
            if (cell.is_string())
                id = cell.get<std::string>();
            else if (cell.is_number_integer())
                id = cell.dump();
            else
                throw Error(cellWhere + " must be a button id or null, not " + cell.type_name());
            if (!parsed.FindButton(id))
                throw Error(cellWhere + " names the button \"" + id + "\", which the board lacks");
            row.emplace_back(std::move(id));
        }
    }
    return grid;
}

template <typename T, typename ParseOne>
std::vector<T> ParseArray(const Json& board, const char* key, ParseOne parseOne)
{
    std::vector<T> elements;
    std::set<std::string> ids;
    const Json& array = ArrayMember(board, key, "the board");
    for (size_t i = 0; i < array.size(); ++i) {
        std::string where = Indexed(key, i);
        elements.push_back(parseOne(array[i], where));
        CheckUnique(ids, elements.back().id, where);
    }
    return elements;
}

} // namespace

Board ParseBoard(std::string_view text)
{
    Json value = Parse(text, kMaxJsonDepth);
    ExpectObject(value, "the board");
    Board board;
    if (Member(value, "format"))
        board.format = StringMember(value, "format", "the board");
    if (board.format.rfind("open-board-", 0) != 0)
        throw Error("the board's format \"" + board.format + "\" is not an open board format");
    board.id = IdMember(value, "id", "the board");
    board.name = StringMember(value, "name", "the board");
    board.locale = StringMember(value, "locale", "the board");
    board.buttons = ParseArray<Button>(value, "buttons", ParseButton);
    board.images = ParseArray<Image>(value, "images", ParseImage);
    board.sounds = ParseArray<Sound>(value, "sounds", ParseSound);
    board.grid = ParseGrid(value, board);
    return board;
}

} // namespace obf
