// The picture reader: finds the picture in the bytes, then plays its opcodes one by one,
// keeping QuickDraw's drawing state (pen, patterns, colours, text, origin, clip and the
// last shape of each kind) and handing what they draw to the sink in picture coordinates.
#include "media/pict/PictReader.h"

#include "media/pict/ByteReader.h"
#include "media/pict/MacRoman.h"
#include "media/pict/PictOpcodes.h"
#include "media/pict/PictPixels.h"
#include "media/pict/PictRegion.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace pict {

namespace {

constexpr size_t kFileHeaderSize = 512;

// QuickDraw's coordinates are 16-bit: a pen or text location moved past the edge wraps as
// it does there (and never overflows here).
int32_t Wrap16(int32_t v)
{
    return (int16_t)(uint16_t)(uint32_t)v;
}

// The eight colours of version 1 pictures (FgColor, BkColor).
Color OldColor(int32_t value, Color unknown)
{
    switch (value)
    {
    case 30: return kWhite;
    case 33: return kBlack;
    case 69: return 0xFFFF00;
    case 137: return 0xFF00FF;
    case 205: return 0xFF0000;
    case 273: return 0x00FFFF;
    case 341: return 0x00FF00;
    case 409: return 0x0000FF;
    default: return unknown;
    }
}

Color ReadRGB(ByteReader& r)
{
    uint32_t red = r.U16() >> 8;
    uint32_t green = r.U16() >> 8;
    uint32_t blue = r.U16() >> 8;
    return red << 16 | green << 8 | blue;
}

// fg and bk mixed as a pattern with `share` of its 64 bits set shows them.
Color Blend(Color fg, Color bk, int share)
{
    Color out = 0;
    for (int shift = 0; shift <= 16; shift += 8)
    {
        uint32_t f = (fg >> shift) & 0xFF, b = (bk >> shift) & 0xFF;
        out |= ((f * (uint32_t)share + b * (uint32_t)(64 - share) + 32) / 64) << shift;
    }
    return out;
}

// A pen, fill or background pattern: 8 x 8 bits (set bits show the foreground colour),
// or the colour a pixel pattern shows.
struct Pattern
{
    int share = 64;  // set bits of 64
    bool hasColor = false;
    Color color = kBlack;
};

Pattern BitPattern(const uint8_t* bits)
{
    Pattern p;
    uint64_t all;
    memcpy(&all, bits, 8);
    p.share = std::popcount(all);
    return p;
}

// The data of the version 2 header opcode: the extended form (version -2) gives the
// resolution.
void ReadHeaderData(ByteReader h, PictInfo& info)
{
    if (h.S16() != -2)
        return;
    // (A header cut short fails its first read.)
    h.Skip(2);
    int32_t hRes = h.S32(), vRes = h.S32();
    info.extended = true;
    if (hRes > 0 && vRes > 0)
    {
        info.hRes = hRes;
        info.vRes = vRes;
    }
}

// A NullSink draws nothing: GetPictInfo reads pictures through it.
class NullSink : public PictSink
{
public:
    void SetClip(const Region&) override {}
    void DrawLine(Point, Point, const Style&) override {}
    void DrawRect(const Rect&, const Style&) override {}
    void DrawRoundRect(const Rect&, int32_t, int32_t, const Style&) override {}
    void DrawOval(const Rect&, const Style&) override {}
    void DrawArc(const Rect&, int32_t, int32_t, const Style&) override {}
    void DrawPolygon(const std::vector<Point>&, const Style&) override {}
    void DrawRegion(const Region&, const Style&) override {}
    void DrawString(Point, const std::string&, const Font&) override {}
    void DrawImage(const Image&, const Rect&, const Rect&, const Region*, Transfer) override {}
    void DrawCompressed(const CompressedImage&) override {}
};

enum class Step
{
    Next,
    End,
    Truncated,
    Refused,
};

Step FromPixels(PixelsResult result)
{
    return result == PixelsResult::Ok ? Step::Next : result == PixelsResult::Refused ? Step::Refused : Step::Truncated;
}

// How an image's transfer mode draws: the sink's transfer, whether its pixels are
// inverted first, or not at all (the Bic modes, which paint the background colour where
// the source is set, have no counterpart).
struct ImageMode
{
    bool draw = true;
    bool invertPixels = false;
    Transfer transfer = Transfer::Copy;
};

ImageMode ModeForImage(int32_t mode)
{
    ImageMode m;
    switch (mode & ~64)  // without the ditherCopy flag
    {
    case 1: m.transfer = Transfer::Transparent; break;
    case 2: m.transfer = Transfer::Invert; break;
    case 3:
    case 7: m.draw = false; break;
    case 4: m.invertPixels = true; break;
    case 5: m.invertPixels = true; m.transfer = Transfer::Transparent; break;
    case 6: m.invertPixels = true; m.transfer = Transfer::Invert; break;
    case 36: m.transfer = Transfer::Transparent; break;
    default: break;
    }
    return m;
}

class Player
{
public:
    Player(ByteReader r, int version, PictSink& sink, PictInfo& info)
        : m_r(r), m_version(version), m_sink(sink), m_info(info)
    {
    }

    PictResult Run();

private:
    Step Do(uint16_t opcode);
    Step DoShape(uint16_t opcode);
    Step DoText(uint16_t opcode);
    Step DoBits(uint16_t opcode);
    Step DoCompressed();
    Step ReadBitPattern(Pattern& pattern);
    Step ReadPixPat(Pattern& pattern);
    void ReadHeader();
    bool ReadPolygon(std::vector<Point>& points);
    Step SkipWordLength();
    Step SkipLongLength();

    bool StyleFor(uint16_t verb, Style& style) const;
    void SendClip();
    Point ToFrame(Point p) const { return Point{ p.x - m_origin.x, p.y - m_origin.y }; }
    Rect ToFrame(const Rect& rc) const
    {
        return Rect{ rc.left - m_origin.x, rc.top - m_origin.y, rc.right - m_origin.x, rc.bottom - m_origin.y };
    }

    ByteReader m_r;
    const int m_version;
    PictSink& m_sink;
    PictInfo& m_info;

    // The drawing state, in the picture's local coordinates (before the origin).
    Point m_origin;
    bool m_hasClip = false;
    Region m_clip;
    Point m_penLoc;
    Point m_textLoc;
    int32_t m_penWidth = 1;
    int32_t m_penHeight = 1;
    int32_t m_penMode = 8;  // patCopy
    Pattern m_penPat;
    Pattern m_fillPat;
    Pattern m_bkPat = Pattern{ 0 };
    Color m_fg = kBlack;
    Color m_bk = kWhite;
    Point m_ovalSize;
    int32_t m_textMode = 1;  // srcOr
    Font m_font;
    int32_t m_namedFontId = -1;  // the font number m_font.name belongs to
    // The last shapes, for the "same" opcodes: rectangles, round rectangles, ovals and
    // arcs share one.
    Rect m_lastRect;
    std::vector<Point> m_lastPoly;
    Region m_lastRegion;
};

PictResult Player::Run()
{
    for (;;)
    {
        if (m_version == 2)
            m_r.AlignToWord();
        uint16_t opcode = m_version == 1 ? m_r.U8() : m_r.U16();
        if (m_r.Failed())
            return PictResult::Truncated;
        m_info.opcodes++;
        Step step = Do(opcode);
        if (step == Step::Next && m_r.Failed())
            step = Step::Truncated;
        switch (step)
        {
        case Step::Next: break;
        case Step::End: return PictResult::Complete;
        case Step::Truncated: return PictResult::Truncated;
        case Step::Refused: return PictResult::Refused;
        }
    }
}

Step Player::Do(uint16_t opcode)
{
    ByteReader& r = m_r;
    if (opcode >= 0x8100)
        return opcode == op::kCompressedQuickTime ? DoCompressed() : SkipLongLength();
    if (opcode >= 0x8000)
        return Step::Next;
    if (opcode >= 0x0100)
    {
        // Reserved opcodes $nnXX carry 2 * nn bytes; the header is one of them.
        if (opcode == op::kHeaderOp)
        {
            ReadHeader();
            return Step::Next;
        }
        r.Skip(2u * (opcode >> 8));
        return Step::Next;
    }
    if (opcode >= op::kFrameRect && opcode < op::kBitsRect)
        return DoShape(opcode);
    if (opcode >= op::kLongText && opcode <= op::kDHDVText)
        return DoText(opcode);
    switch (opcode)
    {
    case op::kNop:
    case 0x17: case 0x18: case 0x19:
    case op::kHiliteMode:
    case op::kDefHilite:
        return Step::Next;
    case op::kClip:
    {
        Region clip;
        if (!ReadRegion(r, clip))
            return Step::Truncated;
        m_clip = std::move(clip);
        m_hasClip = true;
        SendClip();
        return Step::Next;
    }
    case op::kBkPat: return ReadBitPattern(m_bkPat);
    case op::kPnPat: return ReadBitPattern(m_penPat);
    case op::kFillPat: return ReadBitPattern(m_fillPat);
    case op::kTxFont:
        m_font.fontId = r.S16();
        if (m_font.fontId != m_namedFontId)
            m_font.name.clear();
        return Step::Next;
    case op::kTxFace: m_font.face = r.U8(); return Step::Next;
    case op::kTxMode: m_textMode = r.S16(); return Step::Next;
    case op::kSpExtra: r.Skip(4); return Step::Next;
    case op::kPnSize:
    {
        Point size = ReadPoint(r);
        m_penWidth = size.x;
        m_penHeight = size.y;
        return Step::Next;
    }
    case op::kPnMode: m_penMode = r.S16(); return Step::Next;
    case op::kOvSize: m_ovalSize = ReadPoint(r); return Step::Next;
    case op::kOrigin:
    {
        int32_t dh = r.S16(), dv = r.S16();
        if (r.Failed())
            return Step::Truncated;
        // The clip keeps its coordinates, so it moves in the picture's frame.
        m_origin = Point{ Wrap16(m_origin.x + dh), Wrap16(m_origin.y + dv) };
        SendClip();
        return Step::Next;
    }
    case op::kTxSize: m_font.size = r.S16(); return Step::Next;
    case op::kFgColor: m_fg = OldColor(r.S32(), kBlack); return Step::Next;
    case op::kBkColor: m_bk = OldColor(r.S32(), kWhite); return Step::Next;
    case op::kTxRatio: r.Skip(8); return Step::Next;
    case op::kVersion: r.Skip(m_version == 1 ? 1 : 2); return Step::Next;
    case op::kBkPixPat: return ReadPixPat(m_bkPat);
    case op::kPnPixPat: return ReadPixPat(m_penPat);
    case op::kFillPixPat: return ReadPixPat(m_fillPat);
    case op::kPnLocHFrac:
    case op::kChExtra:
        r.Skip(2);
        return Step::Next;
    case op::kRGBFgCol: m_fg = ReadRGB(r); return Step::Next;
    case op::kRGBBkCol: m_bk = ReadRGB(r); return Step::Next;
    case op::kHiliteColor:
    case op::kOpColor:
        r.Skip(6);
        return Step::Next;
    case op::kLine:
    case op::kLineFrom:
    case op::kShortLine:
    case op::kShortLineFrom:
    {
        if (opcode == op::kLine || opcode == op::kShortLine)
            m_penLoc = ReadPoint(r);
        Point to;
        if (opcode == op::kLine || opcode == op::kLineFrom)
            to = ReadPoint(r);
        else
        {
            int32_t dh = r.S8(), dv = r.S8();
            to = Point{ Wrap16(m_penLoc.x + dh), Wrap16(m_penLoc.y + dv) };
        }
        if (r.Failed())
            return Step::Truncated;
        Style style;
        if (StyleFor(op::kFrame, style))
            m_sink.DrawLine(ToFrame(m_penLoc), ToFrame(to), style);
        m_penLoc = to;
        return Step::Next;
    }
    case op::kFontName:
    {
        ByteReader data = r.Sub(r.U16());
        int32_t fontId = data.S16();
        const size_t length = std::min<size_t>(data.U8(), data.Remaining());
        const uint8_t* name = data.Bytes(length);
        if (r.Failed())
            return Step::Truncated;
        if (!data.Failed())
        {
            m_font.fontId = m_namedFontId = fontId;
            m_font.name = MacRomanToWindows1252(name, length);
        }
        return Step::Next;
    }
    case 0x24: case 0x25: case 0x26: case 0x27:
    case 0x2D: case 0x2E: case 0x2F:
    case 0x92: case 0x93: case 0x94: case 0x95: case 0x96: case 0x97:
    case 0x9C: case 0x9D: case 0x9E: case 0x9F:
        return SkipWordLength();
    case op::kBitsRect:
    case op::kBitsRgn:
    case op::kPackBitsRect:
    case op::kPackBitsRgn:
    case op::kDirectBitsRect:
    case op::kDirectBitsRgn:
        return DoBits(opcode);
    case op::kShortComment: r.Skip(2); return Step::Next;
    case op::kLongComment: r.Skip(2); return SkipWordLength();
    case op::kOpEndPic: return Step::End;
    default:
        break;
    }
    if (opcode >= 0xA2 && opcode <= 0xAF)
        return SkipWordLength();
    if (opcode >= 0xB0 && opcode <= 0xCF)
        return Step::Next;
    // 0xD0-0xFE, the last of the opcodes below 0x0100.
    return SkipLongLength();
}

Step Player::SkipWordLength()
{
    m_r.Skip(m_r.U16());
    return m_r.Failed() ? Step::Truncated : Step::Next;
}

Step Player::SkipLongLength()
{
    m_r.Skip(m_r.U32());
    return m_r.Failed() ? Step::Truncated : Step::Next;
}

void Player::ReadHeader()
{
    ReadHeaderData(m_r.Sub(24), m_info);
}

void Player::SendClip()
{
    if (m_hasClip)
        m_sink.SetClip(OffsetRegion(m_clip, -m_origin.x, -m_origin.y));
}

bool Player::StyleFor(uint16_t verb, Style& style) const
{
    style = Style();
    if (verb == op::kInvert)
    {
        style.verb = Verb::Invert;
        return true;
    }
    const Pattern& pattern = verb == op::kErase ? m_bkPat : verb == op::kFill ? m_fillPat : m_penPat;
    // Erasing and filling copy their pattern; framing and painting use the pen's mode.
    const int32_t mode = verb == op::kFrame || verb == op::kPaint ? m_penMode : 8;
    const Color fg = pattern.hasColor ? pattern.color : m_fg;
    const Color bk = pattern.hasColor ? pattern.color : m_bk;
    const int share = pattern.share;
    bool invert = false;
    switch (mode >= 0 && mode < 16 ? mode & 7 : 0)
    {
    case 0: style.color = Blend(fg, bk, share); break;                      // copy
    case 4: style.color = Blend(fg, bk, 64 - share); break;                 // notCopy
    case 1: style.color = fg; if (share == 0) return false; break;          // or
    case 5: style.color = fg; if (share == 64) return false; break;         // notOr
    case 2: invert = true; if (share == 0) return false; break;             // xor
    case 6: invert = true; if (share == 64) return false; break;            // notXor
    case 3: style.color = m_bk; if (share == 0) return false; break;        // bic
    case 7: style.color = m_bk; if (share == 64) return false; break;       // notBic
    }
    if (verb == op::kFrame)
    {
        if (m_penWidth <= 0 || m_penHeight <= 0)
            return false;
        style.penWidth = m_penWidth;
        style.penHeight = m_penHeight;
        style.isFrame = true;
    }
    style.verb = invert ? Verb::Invert : verb == op::kFrame ? Verb::Frame : Verb::Fill;
    return true;
}

bool Player::ReadPolygon(std::vector<Point>& points)
{
    uint16_t size = m_r.U16();
    ByteReader data = m_r.Sub(size >= 2 ? size - 2u : 0u);
    if (m_r.Failed())
        return false;
    points.clear();
    if (size < 10)
        return true;
    data.Skip(8);  // the bounding box
    while (data.Remaining() >= 4)
        points.push_back(ReadPoint(data));
    return true;
}

Step Player::DoShape(uint16_t opcode)
{
    const int kind = (opcode >> 4) - 3;  // rect, round rect, oval, arc, polygon, region
    const bool same = (opcode & 8) != 0;
    const uint16_t verb = opcode & 7;
    ByteReader& r = m_r;
    int32_t startAngle = 0, arcAngle = 0;
    if (kind <= 3)
    {
        if (!same)
            m_lastRect = ReadRect(r);
        if (kind == 3)
        {
            startAngle = r.S16();
            arcAngle = r.S16();
        }
    }
    else if (kind == 4 && !same)
    {
        if (!ReadPolygon(m_lastPoly))
            return Step::Truncated;
    }
    else if (kind == 5 && !same)
    {
        if (!ReadRegion(r, m_lastRegion))
            return Step::Truncated;
    }
    if (r.Failed())
        return Step::Truncated;
    Style style;
    if (verb > op::kFill || !StyleFor(verb, style))
        return Step::Next;
    const Rect rc = ToFrame(m_lastRect);
    switch (kind)
    {
    case 0: m_sink.DrawRect(rc, style); break;
    case 1: m_sink.DrawRoundRect(rc, m_ovalSize.x, m_ovalSize.y, style); break;
    case 2: m_sink.DrawOval(rc, style); break;
    case 3: m_sink.DrawArc(rc, startAngle, arcAngle, style); break;
    case 4:
        if (m_lastPoly.size() >= 2)
        {
            std::vector<Point> points(m_lastPoly.size());
            std::transform(m_lastPoly.begin(), m_lastPoly.end(), points.begin(), [&](Point p) { return ToFrame(p); });
            m_sink.DrawPolygon(points, style);
        }
        break;
    case 5:
        if (!m_lastRegion.rects.empty())
            m_sink.DrawRegion(OffsetRegion(m_lastRegion, -m_origin.x, -m_origin.y), style);
        break;
    }
    return Step::Next;
}

Step Player::DoText(uint16_t opcode)
{
    ByteReader& r = m_r;
    if (opcode == op::kLongText)
        m_textLoc = ReadPoint(r);
    if (opcode == op::kDHText || opcode == op::kDHDVText)
        m_textLoc.x = Wrap16(m_textLoc.x + r.U8());
    if (opcode == op::kDVText || opcode == op::kDHDVText)
        m_textLoc.y = Wrap16(m_textLoc.y + r.U8());
    size_t count = r.U8();
    const uint8_t* text = r.Bytes(count);
    if (!text)
        return Step::Truncated;
    if (count == 0)
        return Step::Next;
    Font font = m_font;
    if (font.size <= 0)
        font.size = 12;
    font.color = m_fg;
    font.opaque = (m_textMode & ~64) == 0;  // srcCopy
    font.backColor = m_bk;
    m_sink.DrawString(ToFrame(m_textLoc), MacRomanToWindows1252(text, count), font);
    return Step::Next;
}

Step Player::ReadBitPattern(Pattern& pattern)
{
    const uint8_t* bits = m_r.Bytes(8);
    if (!bits)
        return Step::Truncated;
    pattern = BitPattern(bits);
    return Step::Next;
}

Step Player::ReadPixPat(Pattern& pattern)
{
    ByteReader& r = m_r;
    uint16_t type = r.U16();
    const uint8_t* bits = r.Bytes(8);
    if (!bits)
        return Step::Truncated;
    Pattern p = BitPattern(bits);
    if (type == 1)
    {
        // A full pixel pattern: it shows the average colour of its pixels.
        PixMapInfo pm;
        std::vector<Color> palette;
        if (!ReadPixMapHeader(r, pm) || !ReadColorTable(r, palette))
            return Step::Truncated;
        Image image;
        Step step = FromPixels(ReadPixels(r, pm, palette, true, image));
        if (step != Step::Next)
            return step;
        if (!image.IsEmpty())
        {
            uint64_t sum[3] = {};
            const uint64_t n = (uint64_t)image.width * (uint64_t)image.height;
            for (size_t i = 0; i < n; i++)
                for (int c = 0; c < 3; c++)
                    sum[c] += (image.At(i) >> (16 - 8 * c)) & 0xFF;
            p.hasColor = true;
            p.color = (Color)(sum[0] / n) << 16 | (Color)(sum[1] / n) << 8 | (Color)(sum[2] / n);
        }
    }
    else if (type == 2)
    {
        // A dither pattern of one colour.
        p.hasColor = true;
        p.color = ReadRGB(r);
    }
    if (r.Failed())
        return Step::Truncated;
    pattern = p;
    return Step::Next;
}

Step Player::DoBits(uint16_t opcode)
{
    ByteReader& r = m_r;
    const bool direct = opcode == op::kDirectBitsRect || opcode == op::kDirectBitsRgn;
    const bool withRegion = (opcode & 1) != 0;
    if (direct)
        r.Skip(4);  // the base address
    PixMapInfo pm;
    if (!ReadPixMapHeader(r, pm))
        return Step::Truncated;
    std::vector<Color> palette;
    if (pm.isPixMap && !direct)
    {
        if (!ReadColorTable(r, palette))
            return Step::Truncated;
    }
    else
        palette = DefaultPalette(pm.pixelSize);
    const Rect srcRect = ReadRect(r);
    const Rect dstRect = ReadRect(r);
    const int32_t mode = r.S16();
    Region mask;
    if (withRegion && !ReadRegion(r, mask))
        return Step::Truncated;
    if (r.Failed())
        return Step::Truncated;
    m_info.images++;
    Image image;
    Step step = FromPixels(ReadPixels(r, pm, palette, opcode != op::kBitsRect && opcode != op::kBitsRgn, image));
    if (step != Step::Next)
        return step;
    m_info.deepestPixelSize = std::max(m_info.deepestPixelSize, (int)pm.pixelSize);
    if (image.IsEmpty())
        return Step::Next;

    const ImageMode m = ModeForImage(mode);
    // srcRect is in the bounds' coordinates; the part outside the image is dropped and
    // dstRect shrinks with it.
    const Rect src = Rect{ srcRect.left - pm.bounds.left, srcRect.top - pm.bounds.top,
                           srcRect.right - pm.bounds.left, srcRect.bottom - pm.bounds.top };
    const Rect part = Intersect(src, Rect{ 0, 0, image.width, image.height });
    if (!m.draw || src.IsEmpty() || part.IsEmpty() || dstRect.IsEmpty())
        return Step::Next;
    auto scale = [](int32_t d0, int32_t dSize, int32_t s, int32_t s0, int32_t sSize) {
        return d0 + (int32_t)((int64_t)(s - s0) * dSize / sSize);
    };
    const Rect dst = ToFrame(Rect{ scale(dstRect.left, dstRect.Width(), part.left, src.left, src.Width()),
                                   scale(dstRect.top, dstRect.Height(), part.top, src.top, src.Height()),
                                   scale(dstRect.left, dstRect.Width(), part.right, src.left, src.Width()),
                                   scale(dstRect.top, dstRect.Height(), part.bottom, src.top, src.Height()) });
    if (dst.IsEmpty())
        return Step::Next;
    if (m.invertPixels)
    {
        for (uint32_t& px : image.pixels)
            px ^= 0xFFFFFF;
        for (uint32_t& colour : image.palette)
            colour ^= 0xFFFFFF;
    }
    if (withRegion)
    {
        const Region moved = OffsetRegion(mask, -m_origin.x, -m_origin.y);
        m_sink.DrawImage(image, part, dst, &moved, m.transfer);
    }
    else
        m_sink.DrawImage(image, part, dst, nullptr, m.transfer);
    return Step::Next;
}

// CompressedQuickTime: a long length, then version, matrix, matte, mode, srcRect,
// accuracy, mask, an image description and the compressed data. Whatever inside does not
// add up is not drawn; the length alone decides where the next opcode is.
Step Player::DoCompressed()
{
    ByteReader d = m_r.Sub(m_r.U32());
    if (m_r.Failed())
        return Step::Truncated;
    m_info.images++;
    d.Skip(2);  // version
    int32_t matrix[9];
    for (int32_t& v : matrix)
        v = d.S32();
    uint32_t matteSize = d.U32();
    d.Skip(8);  // matteRect
    const int32_t mode = d.S16();
    Rect srcRect = ReadRect(d);
    d.Skip(4);  // accuracy
    uint32_t maskSize = d.U32();
    d.Skip(matteSize);
    Region mask;
    bool hasMask = false;
    if (maskSize > 0)
    {
        ByteReader maskData = d.Sub(maskSize);
        hasMask = ReadRegion(maskData, mask) && !mask.rects.empty();
    }
    // The image description.
    const size_t descStart = d.Pos();
    uint32_t descSize = d.U32();
    CompressedImage ci;
    ci.codecType = d.U32();
    d.Skip(4 + 2 + 2 + 2 + 2 + 4 + 4 + 4);
    ci.width = d.S16();
    ci.height = d.S16();
    d.Skip(4 + 4);  // resolution
    uint32_t dataSize = d.U32();
    d.Skip(2 + 32);  // frame count, name
    ci.depth = d.S16();
    d.Skip(2);  // colour table id
    if (d.Failed() || descSize < d.Pos() - descStart)
        return Step::Next;
    d.Skip(descSize - (d.Pos() - descStart));
    if (dataSize == 0)
        dataSize = (uint32_t)std::min<size_t>(d.Remaining(), UINT32_MAX);
    ci.data = d.Bytes(dataSize);
    ci.size = dataSize;
    if (!ci.data)
        return Step::Next;
    // Depths above 32 are greys of depth - 32 bits.
    const int depth = ci.depth > 32 ? ci.depth - 32 : ci.depth;
    if (depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16 || depth == 24 || depth == 32)
        m_info.deepestPixelSize = std::max(m_info.deepestPixelSize, depth);

    const ImageMode m = ModeForImage(mode);
    if (!m.draw)
        return Step::Next;
    ci.transfer = m.transfer;
    if (srcRect.IsEmpty())
        srcRect = Rect{ 0, 0, ci.width, ci.height };
    ci.dst = ToFrame(srcRect);
    // A matrix of scaling and translation alone (16.16 fixed point) places the image.
    const int64_t a = matrix[0], b = matrix[1], c = matrix[3], dd = matrix[4], tx = matrix[6], ty = matrix[7];
    if (b == 0 && c == 0 && a > 0 && dd > 0)
    {
        auto place = [](int64_t v, int64_t scale, int64_t offset) {
            return (int32_t)std::clamp<int64_t>((v * scale + offset) >> 16, -0x20000, 0x20000);
        };
        ci.dst = ToFrame(Rect{ place(srcRect.left, a, tx), place(srcRect.top, dd, ty), place(srcRect.right, a, tx),
                               place(srcRect.bottom, dd, ty) });
        ci.dstKnown = true;
    }
    Region moved;
    if (hasMask)
    {
        moved = OffsetRegion(mask, -m_origin.x, -m_origin.y);
        ci.mask = &moved;
    }
    m_sink.DrawCompressed(ci);
    return Step::Next;
}

// Finds the picture at offset 0 or after a file header: its version opcode follows the
// size word and the frame.
bool Detect(const uint8_t* data, size_t size, PictInfo& info)
{
    for (size_t base : { (size_t)0, kFileHeaderSize })
    {
        if (size < base + 12)
            continue;
        const uint8_t* p = data + base;
        int version = 0;
        if (p[10] == 0x11 && p[11] == 0x01)
            version = 1;
        else if (size >= base + 14 && p[10] == 0x00 && p[11] == 0x11 && p[12] == 0x02 && p[13] == 0xFF)
            version = 2;
        if (version == 0)
            continue;
        info.version = version;
        info.offset = base;
        ByteReader r(p + 2, 8);
        info.frame = ReadRect(r);
        return true;
    }
    return false;
}

} // namespace

bool ReadPictHeader(const uint8_t* data, size_t size, PictInfo& info)
{
    info = PictInfo();
    if (!data || !Detect(data, size, info))
        return false;
    // Version 2 pictures start with the header opcode.
    ByteReader r(data + info.offset, size - info.offset);
    r.Skip(14);
    if (info.version == 2 && r.U16() == op::kHeaderOp)
        ReadHeaderData(r.Sub(24), info);
    return true;
}

PictResult ReadPicture(const uint8_t* data, size_t size, PictSink& sink, PictInfo* info)
{
    PictInfo local;
    PictInfo& out = info ? *info : local;
    out = PictInfo();
    if (!data || !Detect(data, size, out))
        return out.result = PictResult::NotAPicture;
    ByteReader r(data + out.offset, size - out.offset);
    r.Skip(out.version == 1 ? 12 : 14);
    return out.result = Player(r, out.version, sink, out).Run();
}

bool GetPictInfo(const uint8_t* data, size_t size, PictInfo& info)
{
    NullSink sink;
    ReadPicture(data, size, sink, &info);
    return info.version != 0;
}

} // namespace pict
