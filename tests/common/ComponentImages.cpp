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
    const auto before = VQ_GuiHelper::getImageMakerCallCount();
    renderComponent (component, 1.0f);
    renderComponent (component, 2.0f);
    return VQ_GuiHelper::getImageMakerCallCount() - before;
}
} // namespace vqtest
