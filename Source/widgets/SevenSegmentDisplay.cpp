#include "SevenSegmentDisplay.h"

#include "VQ_Label.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{
/** A segment's outline in units: x within the cell, y from the top. The segments a to d round the
    two inner corners of their first four points; the decimal point is a circle instead. */
struct SegmentOutline
{
    bool roundedStart;
    int numPoints;
    juce::Point<float> points[7];
};

constexpr SegmentOutline outlines[] = {
    { true,
      6,
      { { 9.5f, 13.3f }, { 11.6f, 11.8f }, { 13.8f, 11.4f }, { 28.2f, 11.8f }, { 26.1f, 14.9f }, { 13.0f, 14.9f } } },
    { true,
      7,
      { { 29.8f, 12.2f },
        { 31.0f, 13.3f },
        { 31.8f, 15.2f },
        { 31.0f, 34.4f },
        { 30.4f, 35.3f },
        { 27.0f, 33.0f },
        { 27.6f, 15.4f } } },
    { true,
      7,
      { { 31.0f, 39.6f },
        { 30.2f, 56.0f },
        { 29.6f, 58.6f },
        { 27.8f, 60.5f },
        { 25.8f, 57.2f },
        { 26.6f, 39.9f },
        { 30.6f, 38.4f } } },
    { true,
      6,
      { { 7.3f, 59.7f }, { 9.4f, 60.6f }, { 11.0f, 60.8f }, { 26.4f, 60.9f }, { 24.3f, 57.7f }, { 11.4f, 57.7f } } },
    { false, 5, { { 8.0f, 37.9f }, { 11.1f, 39.5f }, { 10.5f, 56.4f }, { 6.4f, 58.4f }, { 6.8f, 38.7f } } },
    { false, 5, { { 8.4f, 14.7f }, { 12.5f, 16.6f }, { 11.5f, 32.9f }, { 8.1f, 35.1f }, { 7.0f, 34.5f } } },
    { false,
      6,
      { { 8.9f, 36.5f }, { 12.5f, 34.3f }, { 23.6f, 34.4f }, { 27.7f, 37.0f }, { 23.9f, 38.4f }, { 11.8f, 37.9f } } },
};

constexpr int decimalPoint = 7;
constexpr float cellOffsets[] = { 6.0f, 43.0f, 78.0f };
constexpr float unitsPerWidth = 116.0f;

int imagesRendered = 0;

juce::Path makeOutline (int segment, float unit)
{
    juce::Path path;

    if (segment == decimalPoint)
    {
        path.addEllipse (35.0f * unit, 57.0f * unit, 6.0f * unit, 6.0f * unit);
        return path;
    }

    const auto& outline = outlines[segment];
    path.startNewSubPath (outline.points[0] * unit);
    int next = 1;

    if (outline.roundedStart)
    {
        for (; next < 4; ++next)
            path.lineTo (outline.points[next] * unit);

        path = path.createPathWithRoundedCorners (1.6f * unit);
    }

    for (; next < outline.numPoints; ++next)
        path.lineTo (outline.points[next] * unit);

    path.closeSubPath();
    return path;
}

/** The lit segments of a cell's char as bits a (bit 0) to g (bit 6); -1 for a char that draws nothing. */
int litSegmentsOf (char c)
{
    switch (c)
    {
        case '-': return 0x40;
        case '0': return 0x3F;
        case '1': return 0x06;
        case '2': return 0x5B;
        case '3': return 0x4F;
        case '4': return 0x66;
        case '5': return 0x6D;
        case '6': return 0x7D;
        case '7': return 0x07;
        case '8': return 0x7F;
        case '9': return 0x6F;
        case 'n': return 0x46;
        case 'N': return 0x00;
        default: return -1;
    }
}

/** A running sum over the radius + 1 values up to each one, forwards or backwards along a line. */
void boxSum (std::vector<int>& values, int radius, bool forwards)
{
    const auto size = (int) values.size();
    std::vector<int> sums (values.size());
    int sum = 0;

    for (int n = 0; n < size; ++n)
    {
        const auto i = forwards ? n : size - 1 - n;
        const auto leaving = forwards ? i - radius - 1 : i + radius + 1;
        sum += values[(size_t) i];

        if (leaving >= 0 && leaving < size)
            sum -= values[(size_t) leaving];

        sums[(size_t) i] = sum;
    }

    values.swap (sums);
}

/** Blurs a single-channel image with a tent kernel of the given radius, rows first, then columns:
    one box sum each way gives the weights radius + 1 - |offset|, fading to zero beyond the radius. */
void blurMask (juce::Image& mask, int radius)
{
    juce::Image::BitmapData data (mask, juce::Image::BitmapData::readWrite);
    const auto weight = (radius + 1) * (radius + 1);
    std::vector<int> line;

    auto blurLine = [&] (int length, auto pixel)
    {
        line.resize ((size_t) length);

        for (int i = 0; i < length; ++i)
            line[(size_t) i] = *pixel (i);

        boxSum (line, radius, true);
        boxSum (line, radius, false);

        for (int i = 0; i < length; ++i)
            *pixel (i) = (juce::uint8) (line[(size_t) i] / weight);
    };

    for (int y = 0; y < data.height; ++y)
        blurLine (data.width, [&] (int x) { return data.getPixelPointer (x, y); });

    for (int x = 0; x < data.width; ++x)
        blurLine (data.height, [&] (int y) { return data.getPixelPointer (x, y); });
}
} // namespace

SevenSegmentDisplay::SevenSegmentDisplay()
{
    for (auto* images : { &litImages, &unlitImages })
        for (auto& image : *images)
            pixelScale.keep ({ &image });
}

int SevenSegmentDisplay::getImagesRendered() noexcept
{
    return imagesRendered;
}

void SevenSegmentDisplay::paint (juce::Graphics& g)
{
    if (pixelScale.adopt (g) && getWidth() >= 1 && getHeight() >= 1)
        renderImages();

    g.fillAll (juce::Colours::black);
    g.fillAll (juce::Colour (0x13FFFFFF));

    for (int cell = 0; cell < numCells; ++cell)
        drawCell (g, cell);
}

void SevenSegmentDisplay::drawCell (juce::Graphics& g, int cell) const
{
    const auto lit = litSegmentsOf (characters[(size_t) cell]);

    if (lit < 0)
        return;

    auto draw = [&] (int segment, bool on)
    {
        const auto& bounds = segmentBounds[(size_t) segment];
        pixelScale.drawAt (g, on ? litImages[(size_t) segment] : unlitImages[(size_t) segment],
                           (float) (int) ((float) bounds.getX() + digitX[(size_t) cell]), (float) bounds.getY());
    };

    for (int segment = 0; segment < decimalPoint; ++segment)
        draw (segment, (lit >> segment) & 1);

    // The last cell has no decimal point.
    if (cell < numCells - 1)
        draw (decimalPoint, dots[(size_t) cell]);
}

void SevenSegmentDisplay::resized()
{
    if (getWidth() >= 1 && getHeight() >= 1)
    {
        pixelScale.forgetOtherScales();
        renderImages();
    }
}

void SevenSegmentDisplay::renderImages()
{
    const auto unit = (float) getWidth() / unitsPerWidth;

    for (int cell = 0; cell < numCells; ++cell)
        digitX[(size_t) cell] = cellOffsets[cell] * unit;

    const auto glowRadius = juce::jmax (1, VQ_Layout::round (5.0f * unit));
    const auto strokeWidth = 2 * VQ_Layout::round (unit);
    const auto margin = glowRadius + VQ_Layout::round (unit) + 1;

    for (int segment = 0; segment < numSegments; ++segment)
    {
        const auto outline = makeOutline (segment, unit);
        const auto bounds = outline.getBounds().getSmallestIntegerContainer().expanded (margin);
        // In physical pixels, so that the blur works on the pixels the read-out shows.
        const auto toImage = juce::AffineTransform::translation ((float) -bounds.getX(), (float) -bounds.getY())
                                 .scaled (pixelScale.get());
        auto lit = pixelScale.makeImage (bounds.getWidth(), bounds.getHeight());
        auto unlit = pixelScale.makeImage (bounds.getWidth(), bounds.getHeight());

        juce::Image mask (juce::Image::SingleChannel, lit.getWidth(), lit.getHeight(), true);
        {
            juce::Graphics g (mask);
            g.setColour (juce::Colours::white);
            g.fillPath (outline, toImage);

            if (strokeWidth > 0)
                g.strokePath (outline, juce::PathStrokeType (pixelScale.pixels ((float) strokeWidth)), toImage);
        }
        blurMask (mask, juce::roundToInt (pixelScale.pixels ((float) glowRadius)));

        {
            juce::Graphics g (lit);
            g.setColour (juce::Colour (0x80FF0000));
            g.drawImageAt (mask, 0, 0, true);
            g.setColour (juce::Colour (0xFFFF0000));
            g.fillPath (outline, toImage);
        }

        {
            juce::Graphics g (unlit);
            g.setColour (juce::Colour (0xFF000000));
            g.fillPath (outline, toImage);
        }

        litImages[(size_t) segment] = lit;
        unlitImages[(size_t) segment] = unlit;
        segmentBounds[(size_t) segment] = bounds;
        imagesRendered += 2;
    }
}

void SevenSegmentDisplay::timerCallback()
{
    stopTimer();
    characters.fill (blank);
    dots.fill (false);
    repaint();
}

void SevenSegmentDisplay::setTextToDisplay (const juce::String& text)
{
    stopTimer();
    characters.fill (blank);
    dots.fill (false);
    bool negative = false;
    size_t p = 0;

    for (auto* byte = text.toRawUTF8(); *byte != 0 && p < numCells; ++byte)
    {
        const auto c = *byte;

        if (c >= '0' && c <= '9')
        {
            characters[p] = c;
            dots[p++] = false;
        }
        else if (c == '-')
        {
            negative = true;
        }
        else if (c == '.')
        {
            if (p == 0)
                ++p;
            else
                dots[p - 1] = true;
        }
        else
        {
            characters[p] = blank;
            dots[p++] = false;
        }
    }

    // Right-aligned, taking the cells from the left; a negative number of three digits gives up its
    // last one to the minus sign, unless its first digit is a one, which shares a cell with the sign.
    const auto shown = std::count_if (characters.begin(), characters.end(), [] (char c) { return c != blank; });
    const auto sign = negative ? '-' : blank;

    if (shown == 1)
    {
        characters = { sign, blank, characters[0] };
        dots = { false, false, dots[0] };
    }
    else if (shown == 2)
    {
        characters = { sign, characters[0], characters[1] };
        dots = { false, dots[0], dots[1] };
    }
    else if (shown == 3 && negative)
    {
        if (characters[0] == '1')
            characters[0] = 'n';
        else
            characters = { '-', characters[0], characters[1] };
    }

    repaint();
}
