// The Open Board Format's board (.obf): a named grid of buttons with their images and
// sounds, as plain C++ values. ParseBoard reads board text into a Board and checks it
// whole; WriteBoard writes a Board back as board text.
//
// All text is UTF-8, as in the format. Optional text that is absent is empty. Ids are
// text: the format's ids are strings, and numbers given as ids are taken as their
// decimal text. Fields the model does not hold (licences, "ext_" extensions, button
// actions, hidden flags) are skipped when reading and absent when writing.
#pragma once

#include "Color.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace obf {

// The text of the "format" field that WriteBoard and WriteManifest put in.
inline constexpr const char* kFormatVersion = "open-board-0.1";

// Where a button leads: another board, by id, by path inside the package, or by URL.
struct LoadBoard
{
    std::string id;
    std::string path; // canonical (CheckPackagePath) when not empty
    std::string url;
    std::string name;

    bool operator==(const LoadBoard&) const = default;
};

struct Button
{
    std::string id;
    std::string label;
    std::string vocalization; // what speaking the button says, when not its label
    std::optional<Color> background_color;
    std::optional<Color> border_color;
    // An id of Board::images or Board::sounds, or of the package manifest's images or
    // sounds when the board lacks it (Manifest.h); empty for none.
    std::string image_id;
    std::string sound_id;
    std::optional<LoadBoard> load_board;

    bool operator==(const Button&) const = default;
};

// A picture from a symbol set that the reading program may have installed.
struct Symbol
{
    std::string set;
    std::string filename;

    bool operator==(const Symbol&) const = default;
};

// An image has any of four sources; PreferredImageSources (ImageSource.h) orders them.
struct Image
{
    std::string id;
    std::string data; // a data: URI (Base64.h's ParseDataUri reads it)
    std::string path; // canonical (CheckPackagePath) when not empty
    std::string url;
    std::optional<Symbol> symbol;
    std::string content_type; // "image/png" and the like
    int width = 0;            // pixels, 0 when not given
    int height = 0;

    bool operator==(const Image&) const = default;
};

struct Sound
{
    std::string id;
    std::string data; // a data: URI
    std::string path; // canonical (CheckPackagePath) when not empty
    std::string url;
    std::string content_type; // "audio/wav", "audio/mpeg" and the like

    bool operator==(const Sound&) const = default;
};

// The layout: rows x columns cells, order[row][column] a button id or empty for an
// empty cell. ParseBoard guarantees order has exactly `rows` rows of `columns` cells
// and that every id names a button.
struct Grid
{
    int rows = 0;
    int columns = 0;
    std::vector<std::vector<std::optional<std::string>>> order;

    bool operator==(const Grid&) const = default;
};

struct Board
{
    std::string format = kFormatVersion;
    std::string id;
    std::string name;
    std::string locale; // "en", "de-CH" and the like, or empty
    Grid grid;
    std::vector<Button> buttons;
    std::vector<Image> images;
    std::vector<Sound> sounds;

    bool operator==(const Board&) const = default;

// Attributes: the element of an id, or null.
    const Button* FindButton(std::string_view id) const;
    const Image* FindImage(std::string_view id) const;
    const Sound* FindSound(std::string_view id) const;
};

// Caps on what ParseBoard accepts, against boards made to exhaust the reader.
inline constexpr int kMaxGridSide = 1000;   // rows, and columns
inline constexpr int kMaxGridCells = 10000; // rows * columns
inline constexpr int kMaxJsonDepth = 64;    // nesting of arrays and objects

// Reads board text. Throws obf::Error for text that is no JSON or nested deeper than
// kMaxJsonDepth, a field of the wrong type, a "format" that is not an open board
// format, a missing or repeated id among buttons, images or sounds, a grid whose
// order does not match its rows and columns or names a missing button, a path that
// leaves the package, or a colour that does not parse. Messages name the field
// ("buttons[2].label"). A button's image_id or sound_id need not name an image or
// sound of the board, since a package's manifest may supply it: FindImage and
// FindSound may give null for them.
Board ParseBoard(std::string_view text);

// Writes a board as indented board text. Throws obf::Error for text that is not UTF-8.
std::string WriteBoard(const Board& board);

} // namespace obf
