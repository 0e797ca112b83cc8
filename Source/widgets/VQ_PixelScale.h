#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The pixel scale of a widget's cached images: that of the context the widget was last painted into
    (Graphics::getInternalContext().getPhysicalPixelScaleFactor(), 2 on a 2x display), 1 until then.
    A widget renders its images at this scale when it is laid out, and again when a paint finds the
    context at another scale, never per paint; it draws them 1:1 onto the context's pixels. At scale 1
    every image and every draw is what it is without a scale.
*/
class VQ_PixelScale
{
public:
    float get() const noexcept { return scale; }

    /** Takes the context's scale; true when it differs from the one taken before, so that the images
        must be rendered again. */
    bool adopt (juce::Graphics& g) noexcept;

    /** A length in logical pixels in physical ones. */
    float pixels (float length) const noexcept { return length * scale; }

    /** A cleared ARGB image for a logical size, of as many physical pixels (rounded); a null image when
        that is less than one. */
    juce::Image makeImage (int width, int height) const;

    /** Makes the context, drawing onto an image of this scale, take logical pixels. */
    void takeLogicalPixels (juce::Graphics& g) const;

    /** Draws an image of this scale with its top left at a logical point, 1:1 onto the pixels. */
    void drawAt (juce::Graphics& g, const juce::Image& image, float x, float y) const;

    /** Draws an image of this scale through a transform given in logical pixels. */
    void drawTransformed (juce::Graphics& g, const juce::Image& image, const juce::AffineTransform& transform) const;

private:
    float scale = 1.0f;
};
