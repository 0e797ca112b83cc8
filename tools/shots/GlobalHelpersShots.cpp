#include "Shots.h"

#include "widgets/S500_GlobalHelpers.h"

namespace
{
const juce::Colour panel (0xFF2A2A2A), metal (0xFFB8B8B8);

std::unique_ptr<juce::Component> conicalShot (float ringWidth)
{
    juce::Image image (juce::Image::ARGB, 64, 64, true);
    {
        juce::Graphics g (image);
        juce::ColourGradient gradient (juce::Colours::white, 64.0f, 0.0f, juce::Colours::white, 0.0f, 0.0f, false);
        gradient.addColour (0.25, juce::Colours::black);
        gradient.addColour (0.5, juce::Colours::red);
        gradient.addColour (0.75, juce::Colours::blue);
        const float diameter = 64.0f, none = 0.0f;
        VQ_GuiHelper::fillConicalGradient (&g, gradient, diameter, diameter, none, none, ringWidth);
    }
    return vqshots::painted (64, 64, [image] (juce::Graphics& g) { g.drawImageAt (image, 0, 0); });
}

/** A 64 px metal disc with the image drawn over it. */
std::unique_ptr<juce::Component> overMetal (const juce::Image& image)
{
    return vqshots::painted (64, 64,
                             [image] (juce::Graphics& g)
                             {
                                 g.setColour (metal);
                                 g.fillEllipse (0.0f, 0.0f, 64.0f, 64.0f);
                                 g.drawImageAt (image, 0, 0);
                             });
}

const vqshots::Shot conicalDisc { "conical-gradient-disc", [] { return conicalShot (0.0f); } };
const vqshots::Shot conicalRing { "conical-gradient-ring", [] { return conicalShot (8.0f); } };

const vqshots::Shot capShading { "cap-shading", []
                                 {
                                     juce::Image shading;
                                     VQ_GuiHelper::prepareConicalGradWithChamfer (shading, 64.0f, 4.0f);
                                     return overMetal (shading);
                                 } };

const vqshots::Shot brushedDisc { "brushed-disc", []
                                  {
                                      juce::Image brushing (juce::Image::ARGB, 64, 64, true);
                                      {
                                          juce::Graphics g (brushing);
                                          const float size = 64.0f, inner = 0.0f;
                                          const juce::uint8 alpha = 5;
                                          VQ_GuiHelper::makeRotaryBrushingEffect (g, size, inner, size, alpha);
                                      }
                                      return overMetal (brushing);
                                  } };

// Columns: white, red, dark; rows: unlit, lit.
const vqshots::Shot ledSheet { "led-sheet", []
                               {
                                   const juce::Colour colours[] { juce::Colour (0xFFE8E8E8), juce::Colour (0xFFE01515),
                                                                  juce::Colour (0xFF505050) };
                                   std::vector<juce::Image> images;
                                   for (const auto colour : colours)
                                   {
                                       juce::Image off, on;
                                       VQ_GuiHelper::prepareOffDiodeImageEncoder (off, 8, colour);
                                       VQ_GuiHelper::prepareOnDiodeImage (on, 16.0f, colour);
                                       images.push_back (off);
                                       images.push_back (on);
                                   }
                                   return vqshots::painted (120, 80,
                                                            [images] (juce::Graphics& g)
                                                            {
                                                                g.fillAll (panel);
                                                                for (size_t i = 0; i < images.size(); ++i)
                                                                {
                                                                    const auto& image = images[i];
                                                                    const int cx = 20 + 40 * (int) (i / 2),
                                                                              cy = i % 2 == 0 ? 20 : 60;
                                                                    g.drawImageAt (image, cx - image.getWidth() / 2,
                                                                                   cy - image.getHeight() / 2);
                                                                }
                                                            });
                               } };
} // namespace
