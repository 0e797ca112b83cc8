#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <initializer_list>
#include <vector>

/** The pixel scale of a widget's cached images: that of the context the widget was last painted into
    (Graphics::getInternalContext().getPhysicalPixelScaleFactor(), 2 on a 2x display), 1 until then.
    A widget renders its images at this scale when it is laid out, and again when a paint finds the
    context at a scale it has no images of, never per paint; it draws them 1:1 onto the context's pixels.
    At scale 1 every image and every draw is what it is without a scale.

    The images are kept for the two most recent scales: a paint at another scale (a snapshot of a window
    shown at 2 taken at 1, a window moved to another display) renders them once for it, and the images
    of the display are still there when it paints at its own scale again.
*/
class VQ_PixelScale
{
public:
    float get() const noexcept { return scale; }

    /** Names image members of the widget that it renders at this scale, so that they are kept per
        scale; each must be given a new image when rendered (drawing into the old one would change
        the one kept). */
    void keep (std::initializer_list<juce::Image*> images);

    /** Takes the context's scale. At a scale other than the one before, the named images are kept for
        that one and those kept for the new scale are put back; true when there are none, so that the
        images must be rendered. */
    bool adopt (juce::Graphics& g);

    /** Forgets the images kept for other scales: the widget renders its images anew for a new layout
        or look, so those no longer show it. */
    void forgetOtherScales();

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
    std::vector<juce::Image*> images;

    // The images of the scale painted at before this one, when there are any (otherScale > 0).
    float otherScale = 0.0f;
    std::vector<juce::Image> otherImages;
};
