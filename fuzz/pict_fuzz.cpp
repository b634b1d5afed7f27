// The picture reader on arbitrary bytes, through a sink that reads every pixel, point
// and rectangle it is given, so that the sanitizers see each of them, and checks what
// the reader promises: images hold width x height pixels of 24 bits, source rectangles
// lie inside their image, region rectangles inside their bounds. Reading the same bytes
// for their information alone must come to the same result and counts, and reading the
// header alone to the same version, place and frame.
#include "media/pict/PictReader.h"

#include <stdlib.h>

namespace {

void Check(bool bCondition)
{
    if (!bCondition)
        abort();
}

volatile uint64_t g_sink;

class TouchingSink : public pict::PictSink
{
public:
    void SetClip(const pict::Region& clip) override { Touch(clip); }
    void DrawLine(pict::Point a, pict::Point b, const pict::Style& style) override
    {
        Check(style.penWidth > 0 && style.penHeight > 0);
        Touch(a);
        Touch(b);
    }
    void DrawRect(const pict::Rect& rect, const pict::Style&) override { Touch(rect); }
    void DrawRoundRect(const pict::Rect& rect, int32_t w, int32_t h, const pict::Style&) override
    {
        Touch(rect);
        m_sum += (uint32_t)(w ^ h);
    }
    void DrawOval(const pict::Rect& rect, const pict::Style&) override { Touch(rect); }
    void DrawArc(const pict::Rect& rect, int32_t start, int32_t angle, const pict::Style&) override
    {
        Touch(rect);
        m_sum += (uint32_t)(start ^ angle);
    }
    void DrawPolygon(const std::vector<pict::Point>& points, const pict::Style&) override
    {
        Check(points.size() >= 2);
        for (pict::Point p : points)
            Touch(p);
    }
    void DrawRegion(const pict::Region& region, const pict::Style&) override
    {
        Check(!region.rects.empty());
        Touch(region);
    }
    void DrawString(pict::Point at, const std::string& text, const pict::Font& font) override
    {
        Touch(at);
        Check(!text.empty() && font.size > 0);
        for (char c : text)
            m_sum += (uint8_t)c;
        for (char c : font.name)
            m_sum += (uint8_t)c;
    }
    void DrawImage(const pict::Image& image, const pict::Rect& src, const pict::Rect& dst,
                   const pict::Region* mask, pict::Transfer) override
    {
        Check(image.width > 0 && image.height > 0);
        Check((uint64_t)image.width * (uint64_t)image.height <= pict::kMaxPixels);
        Check(image.IsWhole());
        Check(!src.IsEmpty() && src.left >= 0 && src.top >= 0 && src.right <= image.width &&
              src.bottom <= image.height);
        Check(!dst.IsEmpty());
        for (size_t i = 0; i < (size_t)image.width * (size_t)image.height; i++)
        {
            const uint32_t px = image.At(i);
            Check(px <= 0xFFFFFF);
            m_sum += px;
        }
        if (mask)
            Touch(*mask);
    }
    void DrawCompressed(const pict::CompressedImage& image) override
    {
        Check(image.data != nullptr);
        for (size_t i = 0; i < image.size; i++)
            m_sum += image.data[i];
        Touch(image.dst);
        if (image.mask)
            Touch(*image.mask);
    }

    uint64_t Sum() const { return m_sum; }

private:
    void Touch(pict::Point p) { m_sum += (uint32_t)(p.x * 3 + p.y); }
    void Touch(const pict::Rect& rc) { m_sum += (uint32_t)(rc.left + rc.top * 3 + rc.right * 5 + rc.bottom * 7); }
    void Touch(const pict::Region& region)
    {
        Touch(region.bounds);
        for (const pict::Rect& rc : region.rects)
        {
            Check(!rc.IsEmpty() && rc.left >= region.bounds.left && rc.top >= region.bounds.top &&
                  rc.right <= region.bounds.right && rc.bottom <= region.bounds.bottom);
            Touch(rc);
        }
    }

    uint64_t m_sum = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    // An exact-sized copy, so that the sanitizer sees any step outside the bytes.
    std::vector<uint8_t> bytes(pData, pData + nSize);
    TouchingSink sink;
    pict::PictInfo info;
    pict::PictResult result = pict::ReadPicture(bytes.data(), bytes.size(), sink, &info);
    Check(info.result == result);
    g_sink = sink.Sum();

    // The header alone agrees with the whole reading.
    pict::PictInfo header;
    Check(pict::ReadPictHeader(bytes.data(), bytes.size(), header) == (result != pict::PictResult::NotAPicture));
    Check(header.version == info.version && header.offset == info.offset && header.frame.left == info.frame.left &&
          header.frame.top == info.frame.top && header.frame.right == info.frame.right &&
          header.frame.bottom == info.frame.bottom && (!header.extended || info.extended));

    pict::PictInfo again;
    Check(pict::GetPictInfo(bytes.data(), bytes.size(), again) == (result != pict::PictResult::NotAPicture));
    Check(again.result == result && again.opcodes == info.opcodes && again.images == info.images &&
          again.deepestPixelSize == info.deepestPixelSize);
    return 0;
}
