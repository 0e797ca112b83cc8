#include "ComponentImages.h"

#include "widgets/S500_GlobalHelpers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vqtest
{
juce::Image renderComponent (juce::Component& component, float scale)
{
    return component.createComponentSnapshot (component.getLocalBounds(), true, scale);
}

juce::Colour sample (const juce::Image& image, juce::Point<float> point, float scale)
{
    return image.getPixelAt ((int) std::floor (point.x * scale), (int) std::floor (point.y * scale));
}

int countPixels (const juce::Image& image, const std::function<bool (juce::Colour)>& predicate,
                 juce::Rectangle<int> area)
{
    const auto region = area.isEmpty() ? image.getBounds() : area.getIntersection (image.getBounds());
    int count = 0;

    for (int y = region.getY(); y < region.getBottom(); ++y)
        for (int x = region.getX(); x < region.getRight(); ++x)
            if (predicate (image.getPixelAt (x, y)))
                ++count;

    return count;
}

bool coloursNear (juce::Colour a, juce::Colour b, int tolerance)
{
    const auto near = [tolerance] (juce::uint8 p, juce::uint8 q) { return std::abs ((int) p - (int) q) <= tolerance; };
    return near (a.getAlpha(), b.getAlpha()) && near (a.getRed(), b.getRed()) && near (a.getGreen(), b.getGreen()) &&
           near (a.getBlue(), b.getBlue());
}

int countDifferentPixels (const juce::Image& a, const juce::Image& b, int tolerance)
{
    if (a.getBounds() != b.getBounds())
        return juce::jmax (a.getWidth() * a.getHeight(), b.getWidth() * b.getHeight());

    const juce::Image::BitmapData pixelsA (a, juce::Image::BitmapData::readOnly);
    const juce::Image::BitmapData pixelsB (b, juce::Image::BitmapData::readOnly);
    int count = 0;

    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
            if (! coloursNear (pixelsA.getPixelColour (x, y), pixelsB.getPixelColour (x, y), tolerance))
                ++count;

    return count;
}

bool writePng (const juce::Image& image, const juce::File& file)
{
    if (! image.isValid() || ! file.getParentDirectory().createDirectory() || (file.exists() && ! file.deleteFile()))
        return false;

    juce::FileOutputStream stream (file);
    juce::PNGImageFormat png;
    return stream.openedOk() && png.writeImageToStream (image, stream);
}

juce::File testImageFile (const juce::String& name)
{
    const auto* test = testing::UnitTest::GetInstance()->current_test_info();
    const juce::String suite = test != nullptr ? test->test_suite_name() : "no-test";
    const juce::String file = name.isNotEmpty() ? name : (test != nullptr ? test->name() : "image");
    return juce::File (VQ_TEST_IMAGE_DIR).getChildFile (suite).getChildFile (file + ".png");
}

int imageMakerCallsWhilePainting (juce::Component& component)
{
    int calls = 0;

    for (const auto scale : { 1.0f, 2.0f })
    {
        renderComponent (component, scale);
        const auto before = VQ_GuiHelper::getImageMakerCallCount();
        renderComponent (component, scale);
        renderComponent (component, scale);
        calls += VQ_GuiHelper::getImageMakerCallCount() - before;
    }

    return calls;
}
} // namespace vqtest
