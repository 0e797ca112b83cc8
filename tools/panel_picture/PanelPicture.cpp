// Draws the front-panel picture of one channel, twice the panel's 325 x 570 in each direction, and
// writes it as a PNG: plemvo_panel_picture <file.png>. The build runs it and embeds the file.
//
// Everything is placed in panel units (the 325 x 570 panel); the printed parts sit where the main
// view lays its widgets out, so the coordinates below are those of its layout.

#include "FontBinaryData.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <iostream>

namespace
{
constexpr int panelWidth = 325, panelHeight = 570, pictureScale = 2;

// The lower plate begins just under the filter switches, above the row of ENGAGE, USB, CH. and CLIP.
constexpr float plateTop = 399.0f;

const juce::Colour faceTop (0xFF2B2C30), faceBottom (0xFF1C1D20), plateLight (0xFFD9D6CF), plateShade (0xFFC4C0B8),
    printLight (0xFFE8E8E8), printDim (0xFF9A9CA2), printDark (0xFF111111), recessDark (0xFF0A0A0B);

struct Knob
{
    float x, y, size;
    const char* caption;
    bool captionLeft;
};

// The four band knobs (x, y, side) and their printed captions at the spot a knob caption takes.
const Knob knobs[] { { 6, 66, 136, "FREQ", false },
                     { 179, 66, 136, "GAIN", true },
                     { 6, 217, 136, "FREQ", false },
                     { 179, 217, 136, "GAIN", true } };

// The cap fills the knob's square but for a margin of 10 of its 75 units.
float capRadius (float side)
{
    return side / 2.0f - 10.0f * side / 75.0f;
}

void drawText (juce::Graphics& g, const juce::Font& font, juce::Colour colour, const juce::String& text,
               juce::Rectangle<float> area, juce::Justification justification)
{
    g.setColour (colour);
    g.setFont (font);
    g.drawText (text, area, justification, false);
}

void drawGrain (juce::Graphics& g, juce::Rectangle<float> area, juce::Random& random, float strength)
{
    // Fine specks of a painted metal face; the generator is seeded so that every build draws the same.
    for (int i = 0; i < (int) (area.getWidth() * area.getHeight() * 0.6f); ++i)
    {
        const auto light = random.nextBool();
        g.setColour ((light ? juce::Colours::white : juce::Colours::black).withAlpha (strength * random.nextFloat()));
        g.fillRect (area.getX() + random.nextFloat() * area.getWidth(),
                    area.getY() + random.nextFloat() * area.getHeight(), 0.5f, 0.5f);
    }
}

void drawScrew (juce::Graphics& g, juce::Point<float> centre, juce::Colour around)
{
    const float r = 5.0f;
    g.setColour (around.darker (0.6f));
    g.fillEllipse (juce::Rectangle<float> (2.0f * r + 2.0f, 2.0f * r + 2.0f).withCentre (centre));
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xFFDADADA), centre.x - r, centre.y - r,
                                             juce::Colour (0xFF6E6E6E), centre.x + r, centre.y + r, false));
    g.fillEllipse (juce::Rectangle<float> (2.0f * r, 2.0f * r).withCentre (centre));
    g.setColour (juce::Colour (0xFF3A3A3A));
    g.drawLine (centre.x - r * 0.7f, centre.y + r * 0.2f, centre.x + r * 0.7f, centre.y - r * 0.2f, 1.2f);
}

void drawRecess (juce::Graphics& g, juce::Point<float> centre, float radius, juce::Colour around)
{
    // A shallow well: darker towards its upper edge, where the face overhangs it.
    const auto well = juce::Rectangle<float> (2.0f * radius, 2.0f * radius).withCentre (centre);
    g.setGradientFill (juce::ColourGradient (recessDark, centre.x, well.getY(), around.darker (0.3f), centre.x,
                                             well.getBottom(), false));
    g.fillEllipse (well);
    g.setColour (around.brighter (0.25f).withAlpha (0.5f));
    g.drawEllipse (well.expanded (0.5f), 0.8f);
}

void drawFace (juce::Graphics& g, const juce::Font& bold, juce::Random& random)
{
    const juce::Rectangle<float> face (0.0f, 0.0f, (float) panelWidth, plateTop);
    g.setGradientFill (juce::ColourGradient (faceTop, 0.0f, 0.0f, faceBottom, 0.0f, plateTop, false));
    g.fillRect (face);
    drawGrain (g, face, random, 0.06f);

    // The maker's line across the top, left of the corner button.
    drawText (g, bold.withHeight (17.0f), printLight, "PLEMVO", { 14.0f, 10.0f, 120.0f, 20.0f },
              juce::Justification::centredLeft);
    drawText (g, bold.withHeight (7.5f), printDim, "KESTOVA  TWO-BAND EQUALISER", { 14.0f, 29.0f, 200.0f, 10.0f },
              juce::Justification::centredLeft);
    drawScrew (g, { 270.0f, 18.0f }, faceTop);

    for (const auto& knob : knobs)
    {
        const juce::Point<float> centre (knob.x + knob.size / 2.0f, knob.y + knob.size / 2.0f);
        drawRecess (g, centre, capRadius (knob.size) + 4.0f, faceBottom);

        // Under the cap where a knob's own caption would go, 56 of 75 units down, 12 in from its side.
        const auto unit = knob.size / 75.0f;
        const juce::Rectangle<float> area (knob.x + 12.0f * unit, knob.y + 56.0f * unit + 14.0f,
                                           knob.size - 24.0f * unit, 10.0f);
        drawText (g, bold.withHeight (8.0f), printDim, knob.caption, area,
                  knob.captionLeft ? juce::Justification::centredLeft : juce::Justification::centredRight);
    }

    // Band titles between each band's knobs, above its Q switch.
    for (const auto& [title, top] : { std::pair<const char*, float> { "EQ 1", 104.0f }, { "EQ 2", 255.0f } })
    {
        drawText (g, bold.withHeight (12.0f), printLight, title, { 137.0f, top, 50.0f, 16.0f },
                  juce::Justification::centred);
        g.setColour (printDim);
        g.fillRect (147.0f, top + 18.0f, 30.0f, 1.0f);
    }
}

void drawPlate (juce::Graphics& g, const juce::Font& bold, juce::Random& random)
{
    const juce::Rectangle<float> plate (0.0f, plateTop, (float) panelWidth, (float) panelHeight - plateTop);
    g.setGradientFill (juce::ColourGradient (plateLight, 0.0f, plateTop, plateShade, 0.0f, (float) panelHeight, false));
    g.fillRect (plate);
    drawGrain (g, plate, random, 0.05f);

    // The seam where the plate meets the face.
    g.setColour (juce::Colours::black.withAlpha (0.6f));
    g.fillRect (0.0f, plateTop - 1.0f, (float) panelWidth, 1.0f);
    g.setColour (juce::Colours::white.withAlpha (0.5f));
    g.fillRect (0.0f, plateTop, (float) panelWidth, 1.0f);

    // The read-out's window with its bezel, a little larger than the read-out itself.
    const juce::Rectangle<float> readOut (120.0f, 450.0f, 103.0f, 64.0f);
    g.setColour (plateShade.darker (0.4f));
    g.fillRoundedRectangle (readOut.expanded (4.0f), 4.0f);
    g.setColour (recessDark);
    g.fillRoundedRectangle (readOut.expanded (2.0f), 2.5f);

    // The PRESET knob's well; the knob reaches past the panel's right edge.
    drawRecess (g, { 273.0f, 484.0f }, capRadius (136.0f) + 4.0f, plateShade);

    drawText (g, bold.withHeight (19.0f), printDark, "PLEMVO", { 14.0f, 478.0f, 100.0f, 22.0f },
              juce::Justification::centredLeft);
    drawText (g, bold.withHeight (7.0f), printDark, "REMOTE CONTROLLED", { 14.0f, 500.0f, 100.0f, 9.0f },
              juce::Justification::centredLeft);
    drawText (g, bold.withHeight (7.0f), printDark, "500 SERIES EQ", { 14.0f, 509.0f, 100.0f, 9.0f },
              juce::Justification::centredLeft);
    drawText (g, bold.withHeight (7.0f), printDark.withAlpha (0.7f), "KESTOVA", { 14.0f, 536.0f, 100.0f, 9.0f },
              juce::Justification::centredLeft);
    drawScrew (g, { 162.0f, 552.0f }, plateShade);
}
} // namespace

int main (int argc, char** argv)
{
    if (argc != 2)
    {
        std::cerr << "usage: plemvo_panel_picture <file.png>" << std::endl;
        return 2;
    }

    juce::ScopedJuceInitialiser_GUI juce;
    int result = 1;
    {
        const auto typeface = juce::Typeface::createSystemTypefaceFor (FontBinaryData::temp_binary_data_0,
                                                                       (size_t) FontBinaryData::temp_binary_data_0Size);
        const juce::Font bold (typeface);
        juce::Random random (500);

        juce::Image picture (juce::Image::ARGB, panelWidth * pictureScale, panelHeight * pictureScale, true);
        {
            juce::Graphics g (picture);
            g.addTransform (juce::AffineTransform::scale ((float) pictureScale));
            drawFace (g, bold, random);
            drawPlate (g, bold, random);
        }

        const juce::File file (juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]));
        const auto temporary = file.getSiblingFile (file.getFileName() + ".tmp");
        file.getParentDirectory().createDirectory();
        temporary.deleteFile();
        {
            juce::FileOutputStream out (temporary);
            juce::PNGImageFormat png;
            result = out.openedOk() && png.writeImageToStream (picture, out) ? 0 : 1;
        }

        if (result == 0 && ! temporary.moveFileTo (file))
            result = 1;
    }
    juce::Typeface::clearTypefaceCache();
    return result;
}
