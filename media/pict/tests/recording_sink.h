// A sink that records what the picture reader asks it to draw, for the tests to compare.
#pragma once

#include "media/pict/PictReader.h"
#include "media/pict/PictWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pict {

// Comparisons and printing for the checks; they live beside the types so that the test
// framework finds them.
inline bool operator==(const Rect& a, const Rect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline std::ostream& operator<<(std::ostream& os, const Rect& r)
{
    return os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

inline bool operator==(const Point& a, const Point& b)
{
    return a.x == b.x && a.y == b.y;
}

inline std::ostream& operator<<(std::ostream& os, const Point& p)
{
    return os << "(" << p.x << "," << p.y << ")";
}

} // namespace pict

namespace pict_test {

using namespace pict;

// One shape call: its kind ("line", "rect", "rrect", "oval", "arc", "poly", "rgn"), its
// rectangle (a line's end points as left/top and right/bottom), the extra numbers of round
// rectangles and arcs, and the style.
struct ShapeCall
{
    std::string kind;
    Rect rect;
    int32_t a = 0;
    int32_t b = 0;
    Style style;
    std::vector<Point> points;
    Region region;
};

struct TextCall
{
    Point at;
    std::string text;
    Font font;
};

struct ImageCall
{
    Image image;
    Rect src;
    Rect dst;
    bool hasMask = false;
    Region mask;
    Transfer transfer = Transfer::Copy;
};

struct CompressedCall
{
    CompressedImage info;
    std::vector<uint8_t> data;
    bool hasMask = false;
};

class RecordingSink : public PictSink
{
public:
    void SetClip(const Region& clip) override { clips.push_back(clip); }
    void DrawLine(Point a, Point b, const Style& style) override
    {
        shapes.push_back(ShapeCall{ "line", Rect{ a.x, a.y, b.x, b.y }, 0, 0, style, {}, {} });
    }
    void DrawRect(const Rect& rect, const Style& style) override { shapes.push_back(ShapeCall{ "rect", rect, 0, 0, style, {}, {} }); }
    void DrawRoundRect(const Rect& rect, int32_t w, int32_t h, const Style& style) override
    {
        shapes.push_back(ShapeCall{ "rrect", rect, w, h, style, {}, {} });
    }
    void DrawOval(const Rect& rect, const Style& style) override { shapes.push_back(ShapeCall{ "oval", rect, 0, 0, style, {}, {} }); }
    void DrawArc(const Rect& rect, int32_t start, int32_t angle, const Style& style) override
    {
        shapes.push_back(ShapeCall{ "arc", rect, start, angle, style, {}, {} });
    }
    void DrawPolygon(const std::vector<Point>& points, const Style& style) override
    {
        shapes.push_back(ShapeCall{ "poly", {}, 0, 0, style, points, {} });
    }
    void DrawRegion(const Region& region, const Style& style) override
    {
        shapes.push_back(ShapeCall{ "rgn", region.bounds, 0, 0, style, {}, region });
    }
    void DrawString(Point at, const std::string& text, const Font& font) override { texts.push_back(TextCall{ at, text, font }); }
    void DrawImage(const Image& image, const Rect& src, const Rect& dst, const Region* mask, Transfer transfer) override
    {
        images.push_back(ImageCall{ image, src, dst, mask != nullptr, mask ? *mask : Region(), transfer });
    }
    void DrawCompressed(const CompressedImage& image) override
    {
        compressed.push_back(CompressedCall{ image, std::vector<uint8_t>(image.data, image.data + image.size),
                                             image.mask != nullptr });
    }

    size_t Calls() const { return clips.size() + shapes.size() + texts.size() + images.size() + compressed.size(); }

    std::vector<Region> clips;
    std::vector<ShapeCall> shapes;
    std::vector<TextCall> texts;
    std::vector<ImageCall> images;
    std::vector<CompressedCall> compressed;
};

// Plays bytes into a new recording sink.
inline PictResult Play(const std::vector<uint8_t>& bytes, RecordingSink& sink, PictInfo* info = nullptr)
{
    return ReadPicture(bytes.data(), bytes.size(), sink, info);
}

} // namespace pict_test
