#include "widgets/VQ_PixelScale.h"
#include "ComponentImages.h"
#include "widgets/S500_GlobalHelpers.h"
#include "widgets/S500_Knob_s500.h"
#include "widgets/SevenSegmentDisplay.h"
#include "widgets/VQ_Button_s500.h"
#include "widgets/VQ_Label.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace
{
/** How many images the widget kit has rendered so far: the shared makers and the read-out's segments. */
int imagesRendered()
{
    return VQ_GuiHelper::getImageMakerCallCount() + SevenSegmentDisplay::getImagesRendered();
}

/** One widget of each kind that caches images, laid out in a parent as the panel lays them out. */
struct WidgetCase
{
    const char* name;
    std::function<std::unique_ptr<juce::Component>()> make;
    juce::Rectangle<int> bounds;
};

const WidgetCase widgetCases[] {
    { "knob",
      []
      {
          auto knob = std::make_unique<VQ_Knob_s500> (VQ_Knob_s500::gain, true);
          knob->defineSliderPrms ({}, { "-15", ".", "0", ".", "+15" }, 0.0f, 1.0f, 0.01f, 0.5f, 0.1f);
          return knob;
      },
      { 10, 10, 136, 136 } },
    { "push button", [] { return std::make_unique<VQ_Button_s500>(); }, { 10, 10, 37, 37 } },
    { "lit light", [] { return std::make_unique<ButtonLightDiode>(); }, { 10, 10, 16, 16 } },
    { "unlit light", [] { return std::make_unique<ButtonDarkDiode>(); }, { 10, 10, 16, 16 } },
    { "read-out",
      []
      {
          auto readOut = std::make_unique<SevenSegmentDisplay>();
          readOut->setTextToDisplay ("-1.5");
          return readOut;
      },
      { 10, 10, 103, 64 } },
};

struct Laid
{
    explicit Laid (const WidgetCase& c)
        : widget (c.make())
    {
        parent.setSize (200, 200);
        parent.addAndMakeVisible (*widget);
        widget->setBounds (c.bounds);
    }

    ~Laid() { parent.removeAllChildren(); }

    juce::Component parent;
    std::unique_ptr<juce::Component> widget;
};
} // namespace

TEST (VQ_PixelScale, AtScaleOneImagesAndDrawsAreThoseWithoutAScale)
{
    juce::Image image (juce::Image::ARGB, 40, 40, true);
    juce::Graphics g (image);
    VQ_PixelScale scale;

    EXPECT_FALSE (scale.adopt (g));
    EXPECT_EQ (scale.get(), 1.0f);
    EXPECT_EQ (scale.makeImage (12, 7).getBounds(), juce::Rectangle<int> (0, 0, 12, 7));
    EXPECT_TRUE (scale.makeImage (0, 7).isNull());
}

TEST (VQ_PixelScale, TakesTheScaleOfTheContextAndMakesImagesOfItsPixels)
{
    juce::Image image (juce::Image::ARGB, 40, 40, true);
    juce::Graphics g (image);
    g.addTransform (juce::AffineTransform::scale (2.0f));
    VQ_PixelScale scale;

    EXPECT_TRUE (scale.adopt (g));
    EXPECT_FALSE (scale.adopt (g)) << "the same scale again asks for no new images";
    EXPECT_EQ (scale.makeImage (12, 7).getBounds(), juce::Rectangle<int> (0, 0, 24, 14));

    // A 2 x 2 image of this scale covers one logical pixel, pixel for pixel.
    auto dot = scale.makeImage (1, 1);
    dot.setPixelAt (1, 1, juce::Colours::red);
    scale.drawAt (g, dot, 3.0f, 5.0f);
    EXPECT_EQ (image.getPixelAt (7, 11), juce::Colours::red);
    EXPECT_EQ (vqtest::countPixels (image, [] (juce::Colour c) { return c.getAlpha() > 0; }), 1);
}

TEST (VQ_PixelScale, KeepsTheImagesOfTheTwoMostRecentScalesUntilANewLayout)
{
    juce::Image screen (juce::Image::ARGB, 8, 8, true);
    std::vector<std::unique_ptr<juce::Graphics>> contexts;
    for (const auto s : { 1.0f, 2.0f, 3.0f })
    {
        contexts.push_back (std::make_unique<juce::Graphics> (screen));
        contexts.back()->addTransform (juce::AffineTransform::scale (s));
    }
    auto& atOne = *contexts[0];
    auto& atTwo = *contexts[1];
    auto& atThree = *contexts[2];

    VQ_PixelScale scale;
    juce::Image image;
    scale.keep ({ &image });
    const auto render = [&] { image = scale.makeImage (4, 4); };
    render();
    const auto renderedAtOne = image;

    ASSERT_TRUE (scale.adopt (atTwo));
    render();
    const auto renderedAtTwo = image;

    EXPECT_FALSE (scale.adopt (atOne));
    EXPECT_EQ (image, renderedAtOne) << "the images of the scale before come back";
    EXPECT_FALSE (scale.adopt (atTwo));
    EXPECT_EQ (image, renderedAtTwo);

    EXPECT_TRUE (scale.adopt (atThree)) << "a third scale is rendered";
    render();
    EXPECT_TRUE (scale.adopt (atOne)) << "and leaves only the two most recent scales kept";
    render();
    EXPECT_FALSE (scale.adopt (atThree));

    scale.forgetOtherScales();
    EXPECT_TRUE (scale.adopt (atOne)) << "a new layout's images replace every scale's";
}

TEST (WidgetPixelScale, AWidgetRendersItsImagesOnceForANewScaleAndThenOnlyDrawsThem)
{
    for (const auto& c : widgetCases)
    {
        SCOPED_TRACE (c.name);
        Laid laid (c);
        auto& widget = *laid.widget;

        auto before = imagesRendered();
        vqtest::renderComponent (widget, 1.0f);
        EXPECT_EQ (imagesRendered(), before) << "laid out at scale 1, painting at 1 renders nothing";

        vqtest::renderComponent (widget, 2.0f);
        EXPECT_GT (imagesRendered(), before) << "the first paint at scale 2 renders the images for it";

        before = imagesRendered();
        for (int paint = 0; paint < 3; ++paint)
            vqtest::renderComponent (widget, 2.0f);
        EXPECT_EQ (imagesRendered(), before) << "later paints at scale 2 only draw";

        widget.setSize (widget.getWidth() + 2, widget.getHeight() + 2);
        before = imagesRendered();
        vqtest::renderComponent (widget, 2.0f);
        EXPECT_EQ (imagesRendered(), before) << "a new layout renders at the scale it last painted at";
    }
}

TEST (WidgetPixelScale, ALightPaintedAtScaleTwoIsTheLightOfTwiceTheSizeAtScaleOne)
{
    const auto compare = [] (auto& small, auto& large)
    {
        small.setSize (16, 16);
        large.setSize (32, 32);
        const auto atTwo = vqtest::renderComponent (small, 2.0f);
        const auto atOne = vqtest::renderComponent (large, 1.0f);
        ASSERT_EQ (atTwo.getBounds(), atOne.getBounds());
        EXPECT_EQ (vqtest::countPixels (atTwo, [] (juce::Colour c) { return c.getAlpha() > 0; }),
                   vqtest::countPixels (atOne, [] (juce::Colour c) { return c.getAlpha() > 0; }));

        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                ASSERT_EQ (atTwo.getPixelAt (x, y), atOne.getPixelAt (x, y)) << x << ", " << y;
    };

    ButtonLightDiode smallLit, largeLit;
    compare (smallLit, largeLit);
    ButtonDarkDiode smallDark, largeDark;
    compare (smallDark, largeDark);
}

TEST (WidgetPixelScale, AKnobPaintedAtScaleTwoHoldsItsRulerAtTwiceItsPixels)
{
    Laid laid (widgetCases[0]);
    auto& knob = static_cast<VQ_Knob&> (*laid.widget);
    auto& look = *knob.getKnobLookAndFeel();
    const auto atOne = look.getRulerImage().getBounds();

    vqtest::renderComponent (knob, 2.0f);
    EXPECT_EQ (look.getRulerImage().getBounds(), atOne * 2);

    vqtest::renderComponent (knob, 1.0f);
    EXPECT_EQ (look.getRulerImage().getBounds(), atOne);
}

TEST (WidgetPixelScale, AWidgetRenderedAgainShowsThePixelsItShowedBeforeAtThatScale)
{
    // What makes a widget render its images again in between, at a display scale s.
    struct Between
    {
        const char* name;
        std::function<void (juce::Component&, float)> run;
    };
    const auto other = [] (float s) { return s == 1.0f ? 2.0f : 1.0f; };
    const Between betweens[] {
        { "a paint at the other scale", [&] (juce::Component& w, float s) { vqtest::renderComponent (w, other (s)); } },
        { "paints at two other scales",
          [&] (juce::Component& w, float s)
          {
              vqtest::renderComponent (w, other (s));
              vqtest::renderComponent (w, 3.0f);
          } },
        { "another size and back",
          [] (juce::Component& w, float)
          {
              w.setSize (w.getWidth() + 2, w.getHeight() + 2);
              w.setSize (w.getWidth() - 2, w.getHeight() - 2);
          } },
    };

    for (const auto& c : widgetCases)
        for (const auto scale : { 1.0f, 2.0f })
            for (const auto& between : betweens)
            {
                SCOPED_TRACE (juce::String (c.name) + " at " + juce::String (scale) + ", " + between.name);
                Laid laid (c);
                const auto first = vqtest::renderComponent (*laid.widget, scale);
                between.run (*laid.widget, scale);
                EXPECT_EQ (vqtest::countDifferentPixels (first, vqtest::renderComponent (*laid.widget, scale)), 0);
            }
}

TEST (WidgetPixelScale, APaintAtAnotherScaleLeavesTheImagesOfTheScaleBefore)
{
    for (const auto& c : widgetCases)
        for (const auto display : { 1.0f, 2.0f })
        {
            SCOPED_TRACE (juce::String (c.name) + " shown at " + juce::String (display));
            Laid laid (c);
            vqtest::renderComponent (*laid.widget, display);
            vqtest::renderComponent (*laid.widget, 3.0f - display);

            const auto before = imagesRendered();
            vqtest::renderComponent (*laid.widget, display);
            EXPECT_EQ (imagesRendered(), before);
        }
}
