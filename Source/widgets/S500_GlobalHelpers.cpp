#include "S500_GlobalHelpers.h"

#include <atomic>
#include <cmath>

namespace
{
std::atomic<int> imageMakerCalls { 0 };

// Rounds half to even, within 2 .. maxImageSide; NaN gives 2.
int imageSide (float size)
{
    if (! (size >= 2.0f))
        return 2;
    return (int) std::nearbyint (juce::jmin (size, (float) VQ_GuiHelper::maxImageSide));
}

float finiteOr (float value, float fallback)
{
    return std::isfinite (value) ? value : fallback;
}

// A position shifted by any amount lands inside 0 .. n - 1.
int wrap (float position, int n)
{
    const auto m = std::fmod ((double) std::trunc (finiteOr (position, 0.0f)), (double) n);
    return (int) (m < 0.0 ? m + n : m);
}

// The framework sizes a gradient's table from its length in an int, which a length beyond any image
// (or not a number) overflows; such a gradient gets the table of the longest image instead.
int createLookupTable (const juce::ColourGradient& gradient, juce::HeapBlock<juce::PixelARGB>& table)
{
    if (gradient.point1.getDistanceFrom (gradient.point2) <= (float) VQ_GuiHelper::maxImageSide)
        return gradient.createLookupTable (juce::AffineTransform(), table);

    auto bounded = gradient;
    bounded.point1 = {};
    bounded.point2 = { (float) VQ_GuiHelper::maxImageSide, 0.0f };
    return bounded.createLookupTable (juce::AffineTransform(), table);
}

juce::uint8 noisy (juce::uint8 channel, int n)
{
    return (juce::uint8) (channel > 245 ? channel - n : channel + n);
}

// A 64-bit mix whose outputs for neighbouring inputs look unrelated.
juce::uint64 mix (juce::uint64 v) noexcept
{
    v ^= v >> 30;
    v *= 0xBF58476D1CE4E5B9ULL;
    v ^= v >> 27;
    v *= 0x94D049BB133111EBULL;
    return v ^ (v >> 31);
}

int below (juce::uint64 hash, int range) noexcept
{
    return range > 1 ? (int) (hash % (juce::uint64) range) : 0;
}

juce::uint8 minus (juce::uint8 channel, int amount)
{
    return (juce::uint8) juce::jmax (0, channel - amount);
}
juce::uint8 plus (juce::uint8 channel, int amount)
{
    return (juce::uint8) juce::jmin (255, channel + amount);
}
} // namespace

//==============================================================================
VQ_Random::VQ_Random (juce::int64 initialSeed) noexcept
    : seed (initialSeed & 0xFFFFFFFFFFFFLL)
{
}

int VQ_Random::nextInt() noexcept
{
    seed = (juce::int64) ((((juce::uint64) seed) * 0x5DEECE66DULL + 11) & 0xFFFFFFFFFFFFULL);
    return (int) (juce::uint32) (seed >> 16);
}

juce::int64 VQ_Random::nextInt64() noexcept
{
    const auto high = (juce::uint64) (juce::uint32) nextInt();
    return (juce::int64) ((high << 32) | (juce::uint64) (juce::uint32) nextInt());
}

float VQ_Random::nextFloat() noexcept
{
    return (float) (juce::uint32) nextInt() * 2.3283064e-10f;
}

int VQ_Random::nextSign() noexcept
{
    return (nextInt() & 1) == 0 ? -1 : 1;
}

void VQ_Random::combineSeed (juce::int64 value) noexcept
{
    const auto output = nextInt64();
    seed = (seed ^ output ^ value) & 0xFFFFFFFFFFFFLL;
}

void VQ_Random::setSeedRandomly()
{
    static std::atomic<juce::int64> globalSeed { 0 };

    combineSeed (globalSeed.load() ^ (juce::int64) (juce::pointer_sized_int) this);
    combineSeed ((juce::int64) juce::Time::getMillisecondCounter());
    combineSeed (juce::Time::getHighResolutionTicks());
    combineSeed (juce::Time::getHighResolutionTicksPerSecond());
    combineSeed (juce::Time::currentTimeMillis());
    globalSeed.fetch_xor (seed);
}

float VQ_Random::getNextFloat()
{
    static VQ_Random vq_rnd (1);
    [[maybe_unused]] static const bool seeded = (vq_rnd.setSeedRandomly(), true);
    return vq_rnd.nextFloat();
}

int VQ_Random::getRandomSign()
{
    static VQ_Random vq_rnd (1);
    [[maybe_unused]] static const bool seeded = (vq_rnd.setSeedRandomly(), true);
    return vq_rnd.nextSign();
}

//==============================================================================
VQ_Grain::VQ_Grain (juce::uint32 grainSeed, float pixelScale) noexcept
    : seed (grainSeed),
      scale (std::isfinite (pixelScale) && pixelScale > 0.0f ? pixelScale : 1.0f)
{
}

VQ_Grain VQ_Grain::random()
{
    VQ_Random source (1);
    source.setSeedRandomly();
    return VQ_Grain ((juce::uint32) source.nextInt());
}

VQ_Grain VQ_Grain::atScale (float pixelScale) const noexcept
{
    return VQ_Grain (seed, pixelScale);
}

VQ_Grain VQ_Grain::part (int index) const noexcept
{
    return VQ_Grain ((juce::uint32) mix (((juce::uint64) (juce::uint32) index << 32) | seed), scale);
}

int VQ_Grain::at (int x, int y, int channel, int range) const noexcept
{
    const auto logicalX = (juce::uint32) (int) std::floor ((float) x / scale);
    const auto logicalY = (juce::uint32) (int) std::floor ((float) y / scale);
    const auto pixel = mix (((juce::uint64) logicalX << 32 | logicalY) ^ ((juce::uint64) seed * 0x9E3779B97F4A7C15ULL));
    return below (mix (pixel + (juce::uint64) channel), range);
}

int VQ_Grain::of (int item, int channel, int range) const noexcept
{
    const auto hash = mix (((juce::uint64) seed << 32 | (juce::uint32) item) ^ 0xD6E8FEB86659FD93ULL);
    return below (mix (hash + (juce::uint64) channel), range);
}

//==============================================================================
int VQ_GuiHelper::getImageMakerCallCount() noexcept
{
    return imageMakerCalls.load();
}

void VQ_GuiHelper::fillConicalGradient (juce::Graphics* g, const juce::ColourGradient& gradient, const float& diameter,
                                        const float& areaSize, const float& shiftX, const float& shiftY,
                                        const float& ringWidth, const VQ_Grain& grain)
{
    ++imageMakerCalls;

    if (g == nullptr)
        return;

    juce::Graphics::ScopedSaveState state (*g);
    const auto n = imageSide (diameter);
    const auto centre = finiteOr (juce::jlimit (-(float) maxImageSide, (float) maxImageSide, diameter), 0.0f) / 2.0f;

    juce::Image conical (juce::Image::ARGB, n, n, true);
    {
        juce::Image::BitmapData pixels (conical, juce::Image::BitmapData::writeOnly);
        juce::HeapBlock<juce::PixelARGB> table;
        const auto entries = createLookupTable (gradient, table);

        for (int y = 0; y < n; ++y)
        {
            for (int x = 0; x < n; ++x)
            {
                const auto angle = ::atan2f ((float) y - centre, (float) x - centre);
                const auto index = std::nearbyint ((angle + 3.1415927f) * 0.15915494f * (float) (entries - 1));
                const auto& entry = table[juce::jlimit (0, entries - 1, (int) finiteOr (index, 0.0f))];
                const auto red = noisy (entry.getRed(), grain.at (x, y, 0, 10));
                const auto green = noisy (entry.getGreen(), grain.at (x, y, 1, 10));
                const auto blue = noisy (entry.getBlue(), grain.at (x, y, 2, 10));
                pixels.setPixelColour (wrap ((float) x + shiftX, n), wrap ((float) y + shiftY, n),
                                       juce::Colour (red, green, blue, entry.getAlpha()));
            }
        }
    }

    const auto offset = std::round ((finiteOr (areaSize, diameter) - finiteOr (diameter, 0.0f)) / 2.0f);
    const auto at = (int) finiteOr (juce::jlimit (-(float) maxImageSide, (float) maxImageSide, offset), 0.0f);
    juce::Path outline;
    outline.addEllipse ((float) at, (float) at, (float) n, (float) n);

    if (ringWidth > 0.0f && ringWidth < diameter / 2.0f)
    {
        const auto width = juce::jmin (ringWidth, (float) n / 2.0f);
        juce::Image mask (juce::Image::ARGB, n, n, true);
        {
            juce::Graphics m (mask);
            m.setColour (juce::Colours::red);
            m.drawEllipse (width / 2.0f, width / 2.0f, (float) n - width, (float) n - width, width);
        }

        juce::Image ring (juce::Image::ARGB, n, n, true);
        {
            juce::Graphics r (ring);
            r.reduceClipRegion (mask, juce::AffineTransform());
            if (! r.isClipEmpty())
                r.drawImageAt (conical, 0, 0);
        }
        conical = ring;
    }

    g->reduceClipRegion (outline);
    if (! g->isClipEmpty())
        g->drawImageAt (conical, at, at);
}

VQ_GuiHelper::CapShading VQ_GuiHelper::CapShading::random()
{
    CapShading shading;
    shading.r1 = VQ_Random::getNextFloat();
    shading.r2 = VQ_Random::getNextFloat();
    shading.r3 = VQ_Random::getNextFloat();
    shading.r4 = VQ_Random::getNextFloat();
    return shading;
}

void VQ_GuiHelper::prepareConicalGradWithChamfer (juce::Image& image, const float& diameter, const float& chamferWidth)
{
    prepareConicalGradWithChamfer (image, diameter, chamferWidth, CapShading::random(), VQ_Grain::random());
}

void VQ_GuiHelper::prepareConicalGradWithChamfer (juce::Image& image, const float& diameter, const float& chamferWidth,
                                                  const CapShading& shading, const VQ_Grain& grain)
{
    ++imageMakerCalls;

    const auto r1 = shading.r1, r2 = shading.r2, r3 = shading.r3, r4 = shading.r4;
    const auto a = 0.11f + 0.04f * r2;
    const auto b = 0.045f + 0.005f * r4;

    const auto n = imageSide (diameter);
    image = juce::Image (juce::Image::ARGB, n, n, true);
    juce::Graphics g (image);
    const auto half = finiteOr (diameter, 0.0f) / 2.0f;
    const auto t1 = juce::AffineTransform::rotation (r1 * 0.06f * juce::MathConstants<float>::pi, half, half);
    const auto t2 = juce::AffineTransform::rotation ((0.63f + 0.05f * r3) * juce::MathConstants<float>::pi, half, half);

    const auto layer = [&] (int index, juce::Point<float> from, juce::uint8 edgeAlpha, juce::uint8 middleAlpha,
                            float width, float layerDiameter, float ring, const juce::AffineTransform& transform)
    {
        const auto black = [] (juce::uint8 alpha) { return juce::Colours::black.withAlpha (alpha); };
        juce::ColourGradient gradient (black (edgeAlpha), from, black (edgeAlpha), {}, false);
        gradient.addColour (width, juce::Colours::transparentBlack);
        gradient.addColour (0.5 - width, juce::Colours::transparentBlack);
        gradient.addColour (0.5, black (middleAlpha));
        gradient.addColour (0.5 + width, juce::Colours::transparentBlack);
        gradient.addColour (1.0 - width, juce::Colours::transparentBlack);

        juce::Image layerImage (juce::Image::ARGB, n, n, true);
        {
            juce::Graphics lg (layerImage);
            const float none = 0.0f;
            fillConicalGradient (&lg, gradient, layerDiameter, diameter, none, none, ring, grain.part (index));
        }
        if (layerImage.isValid() && ! g.isClipEmpty())
            g.drawImageTransformed (layerImage, transform);
    };

    const auto face = diameter - 2.0f * chamferWidth;
    layer (0, { diameter, 0.0f }, 0x59, 0x5B, a, diameter, chamferWidth, t1);
    layer (1, { 0.0f, diameter }, 0x3C, 0x3D, b, diameter, chamferWidth, t2);
    layer (2, { diameter, 0.0f }, 0x66, 0x66, a, face, 0.0f, t1);
    layer (3, { diameter, 0.0f }, 0x66, 0x66, b, face, 0.0f, t2);
}

void VQ_GuiHelper::drawMetalCap (juce::Graphics& g, int side, float chamferWidth, float brushingDiameter,
                                 const VQ_Grain& grain)
{
    const auto d = (float) side;
    const auto c = chamferWidth;

    juce::Path rim;
    rim.addEllipse (0.0f, 0.0f, d, d);
    g.reduceClipRegion (rim);
    g.setGradientFill (
        juce::ColourGradient (juce::Colour (0xFFEAE4DF), 0.0f, 0.0f, juce::Colour (0xFFA49D97), 0.0f, d, false));
    g.fillAll();

    juce::Path face;
    face.addEllipse (c, c, d - 2.0f * c, d - 2.0f * c);
    g.reduceClipRegion (face);
    g.setGradientFill (
        juce::ColourGradient (juce::Colour (0xFFCDC6C2), c, 0.0f, juce::Colour (0xFFC6C6C6), d - c, 0.0f, false));
    g.fillAll();

    makeRotaryBrushingEffect (g, brushingDiameter, 0.0f, brushingDiameter, 5, grain.part (4));

    // Faint dark grain, a grey and an alpha per logical pixel.
    const auto dots = grain.part (5);
    juce::Image speckle (juce::Image::ARGB, side, side, true);
    {
        juce::Image::BitmapData pixels (speckle, juce::Image::BitmapData::writeOnly);

        for (int y = 0; y < side; ++y)
        {
            for (int x = 0; x < side; ++x)
            {
                const auto grey = (juce::uint8) (20 + dots.at (x, y, 0, 10));
                const auto alpha = (juce::uint8) dots.at (x, y, 1, 7);
                pixels.setPixelColour (x, y, juce::Colour (grey, grey, grey, alpha));
            }
        }
    }

    g.drawImageAt (speckle, 0, 0);
}

void VQ_GuiHelper::makeRotaryBrushingEffect (juce::Graphics& g, const float& areaSize, const float& innerDiameter,
                                             const float& outerDiameter, const juce::uint8& maxAlpha,
                                             const VQ_Grain& grain)
{
    ++imageMakerCalls;

    if (std::isfinite (areaSize) && std::isfinite (innerDiameter) && std::isfinite (outerDiameter))
    {
        const auto limit = [] (float size) { return juce::jlimit (0.0f, 4.0f * (float) maxImageSide, size); };
        const auto area = limit (areaSize), inner = limit (innerDiameter), outer = limit (outerDiameter);
        auto pos = (area - outer) / 2.0f;
        auto d = outer;
        const auto step = (outer - inner) / 100.0f;

        // Fifty rings in exact arithmetic; the bound stops sizes where float steps no longer add up.
        for (int ring = 0; ring < 60 && (area - inner) / 2.0f > pos; ++ring)
        {
            const auto red = (juce::uint8) grain.of (ring, 0, 3);
            const auto green = (juce::uint8) grain.of (ring, 1, 4);
            const auto blue = (juce::uint8) grain.of (ring, 2, 5);
            const auto alpha = (juce::uint8) (maxAlpha > 1 ? grain.of (ring, 3, maxAlpha) : maxAlpha);
            g.setColour (juce::Colour (red, green, blue, alpha));
            g.drawEllipse (pos, pos, d, d, step);
            pos += step;
            d -= 2.0f * step;
        }
    }

    g.setColour (juce::Colour (0xFF000000));
}

void VQ_GuiHelper::prepareOffDiodeImageEncoder (juce::Image& image, const int& radius, const juce::Colour& colour)
{
    ++imageMakerCalls;

    if (radius <= 0)
    {
        image = {};
        return;
    }

    const auto r = juce::jmin (radius, maxImageSide / 2);
    const auto s = 2 * r;
    image = juce::Image (juce::Image::ARGB, s, s, true);
    juce::Graphics g (image);
    const auto dark = juce::Colour (minus (colour.getRed(), 40), minus (colour.getGreen(), 40),
                                    minus (colour.getBlue(), 10), (juce::uint8) 255);
    g.setGradientFill (juce::ColourGradient (colour, (float) r, (float) r, dark, 0.0f, (float) r, true));
    g.fillEllipse ((float) s / 4.0f, (float) s / 4.0f, (float) r, (float) r);
}

void VQ_GuiHelper::prepareOnDiodeImage (juce::Image& image, const float& radius, const juce::Colour& colour)
{
    ++imageMakerCalls;

    const auto s = (int) std::round (juce::jlimit (0.0f, (float) maxImageSide, finiteOr (2.0f * radius, 0.0f)));
    if (s <= 0)
    {
        image = {};
        return;
    }

    image = juce::Image (juce::Image::ARGB, s, s, true);
    juce::Graphics g (image);
    const auto h = (float) s / 2.0f;
    const auto u = (float) s / 15.0f;

    juce::ColourGradient glow (colour, h, h, colour.withAlpha ((juce::uint8) 0), 0.0f, h, true);
    glow.addColour (0.45f, colour);
    g.setGradientFill (glow);
    g.fillEllipse (0.0f, 0.0f, (float) s, (float) s);

    const auto hot =
        juce::Colour (colour.getRed(), plus (colour.getGreen(), 171), plus (colour.getBlue(), 129), (juce::uint8) 255);
    const auto d = 7.5f * u;
    const auto x0 = h - d / 2.0f;
    g.setGradientFill (juce::ColourGradient (hot, h, h, colour, h - d / 2.0f, h, true));
    g.fillEllipse (x0, x0, d, d);
    g.setColour (hot);
    g.drawEllipse (x0, x0, d, d, 0.75f * u);
}
