#include "VQ_PixelScale.h"

#include <cmath>

namespace
{
// The largest scale a display has, with room; a context beyond it (a snapshot blown up) gets its images
// at this scale, so that no image grows without bound.
constexpr float maxScale = 8.0f;

/** The physical pixels per logical pixel of what the context paints. */
float scaleOf (juce::Graphics& g) noexcept
{
    const auto s = g.getInternalContext().getPhysicalPixelScaleFactor();
    return std::isfinite (s) && s > 0.0f ? juce::jmin (s, maxScale) : 1.0f;
}
} // namespace

void VQ_PixelScale::keep (std::initializer_list<juce::Image*> imagesToKeep)
{
    images.insert (images.end(), imagesToKeep);
    forgetOtherScales();
}

bool VQ_PixelScale::adopt (juce::Graphics& g)
{
    const auto s = scaleOf (g);

    if (s == scale)
        return false;

    std::vector<juce::Image> current;
    current.reserve (images.size());

    for (auto* image : images)
        current.push_back (*image);

    const auto kept = otherScale == s;

    if (kept)
        for (size_t i = 0; i < images.size(); ++i)
            *images[i] = otherImages[i];

    otherImages = std::move (current);
    otherScale = scale;
    scale = s;
    return ! kept;
}

void VQ_PixelScale::forgetOtherScales()
{
    otherImages.clear();
    otherScale = 0.0f;
}

juce::Image VQ_PixelScale::makeImage (int width, int height) const
{
    const auto w = juce::roundToInt ((float) width * scale), h = juce::roundToInt ((float) height * scale);

    if (w < 1 || h < 1)
        return {};

    return juce::Image (juce::Image::ARGB, w, h, true);
}

void VQ_PixelScale::takeLogicalPixels (juce::Graphics& g) const
{
    g.addTransform (juce::AffineTransform::scale (scale));
}

void VQ_PixelScale::drawAt (juce::Graphics& g, const juce::Image& image, float x, float y) const
{
    g.drawImageTransformed (image, juce::AffineTransform::scale (1.0f / scale).translated (x, y));
}

void VQ_PixelScale::drawTransformed (juce::Graphics& g, const juce::Image& image,
                                     const juce::AffineTransform& transform) const
{
    g.drawImageTransformed (image, juce::AffineTransform::scale (1.0f / scale).followedBy (transform));
}
