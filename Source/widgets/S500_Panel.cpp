#include "S500_Panel.h"

#include "BinaryData.h"

PLEMVO_Panel::PLEMVO_Panel (const juce::Image& picture)
    : image (picture)
{
    pixelScale.keep ({ &stretched });
}

juce::Image PLEMVO_Panel::loadFrontPanelPicture()
{
    return juce::ImageCache::getFromMemory (BinaryData::temp_binary_data_0, BinaryData::temp_binary_data_0Size);
}

void PLEMVO_Panel::paint (juce::Graphics& g)
{
    // The picture kept for the context's scale, if any; it is made below when it does not fit the pixels.
    pixelScale.adopt (g);
    const auto bounds = getLocalBounds().toFloat();
    const auto pixels = (bounds * pixelScale.get()).getSmallestIntegerContainer();

    // The picture is opaque: kept without an alpha channel, it is copied onto the pixels, not blended.
    if (image.isValid() && ! pixels.isEmpty() && stretched.getBounds() != pixels.withZeroOrigin())
        stretched = image.rescaled (pixels.getWidth(), pixels.getHeight(), juce::Graphics::highResamplingQuality)
                        .convertedToFormat (juce::Image::RGB);

    g.drawImage (stretched, bounds, juce::RectanglePlacement::stretchToFit);
}

void PresetFakeKnob::mouseDoubleClick (const juce::MouseEvent&)
{
    if (onMouseDoubleClickFunc != nullptr)
        onMouseDoubleClickFunc();
}
