#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The 48-bit linear congruential random source that gives every metal cap its own shading angles. */
class VQ_Random
{
public:
    explicit VQ_Random (juce::int64 seed) noexcept;

    /** From the process-wide generator of this operation, seeded at first use: in [0, 1], 1 included. */
    static float getNextFloat();
    /** -1 or +1 from a second process-wide generator. */
    static int getRandomSign();

    /** Mixes this instance's address, the clocks and a process-wide seed into the seed. */
    void setSeedRandomly();

    /** One step: bits 16 to 47 of the new seed. */
    int nextInt() noexcept;
    /** Two steps: the first gives the high half. */
    juce::int64 nextInt64() noexcept;
    /** One step scaled by 2^-32, without clamp. */
    float nextFloat() noexcept;
    /** One step: -1 for an even output, +1 for an odd one. */
    int nextSign() noexcept;

private:
    void combineSeed (juce::int64 value) noexcept;

    juce::int64 seed;
};

/** The grain of one widget's metal caps: a noise value for every logical pixel (and ring of brushing),
    fixed by a seed the widget keeps, so that its caps show the same grain every time they are rendered
    and at every pixel scale. At scale s a logical pixel is the s × s square of image pixels over it. */
class VQ_Grain
{
public:
    explicit VQ_Grain (juce::uint32 seed = 0, float pixelScale = 1.0f) noexcept;

    /** A grain of a new seed from the shared random source: one per widget. */
    static VQ_Grain random();

    /** The same grain for images of the given pixel scale. */
    VQ_Grain atScale (float pixelScale) const noexcept;

    /** A grain of its own for one use of the widget's (a layer, the brushing), from the same seed. */
    VQ_Grain part (int index) const noexcept;

    /** A value in 0 .. range - 1 for the image pixel (x, y) and one of its channels. */
    int at (int x, int y, int channel, int range) const noexcept;

    /** A value in 0 .. range - 1 for a numbered item (a ring) and one of its channels. */
    int of (int item, int channel, int range) const noexcept;

private:
    juce::uint32 seed;
    float scale;
};

/** The drawing operations the widget kit shares to build its cached images: noisy conical gradients,
    the shading of a turned-metal cap, rotary brushing and LED images. Called at layout only. */
class VQ_GuiHelper
{
public:
    static void fillConicalGradient (juce::Graphics* g, const juce::ColourGradient& gradient, const float& diameter,
                                     const float& areaSize, const float& shiftX, const float& shiftY,
                                     const float& ringWidth, const VQ_Grain& grain = VQ_Grain());
    /** The random turns and widths of a cap's reflections: four values of VQ_Random::getNextFloat,
        drawn once per widget so that its cap looks the same however often it is rendered. */
    struct CapShading
    {
        float r1 = 0.0f, r2 = 0.0f, r3 = 0.0f, r4 = 0.0f;

        static CapShading random();
    };

    /** The shading of a cap with reflections and grain of its own (a random CapShading and VQ_Grain). */
    static void prepareConicalGradWithChamfer (juce::Image& image, const float& diameter, const float& chamferWidth);
    /** The shading of a cap with the given reflections and grain, the grain at the image's pixel scale. */
    static void prepareConicalGradWithChamfer (juce::Image& image, const float& diameter, const float& chamferWidth,
                                               const CapShading& shading, const VQ_Grain& grain);
    static void makeRotaryBrushingEffect (juce::Graphics& g, const float& areaSize, const float& innerDiameter,
                                          const float& outerDiameter, const juce::uint8& maxAlpha,
                                          const VQ_Grain& grain = VQ_Grain());
    static void prepareOffDiodeImageEncoder (juce::Image& image, const int& radius, const juce::Colour& colour);
    static void prepareOnDiodeImage (juce::Image& image, const float& radius, const juce::Colour& colour);

    /** The metal cap that knobs and push buttons share, over the whole side x side image the context
        draws into: the bevelled rim, the face, its brushing over `brushingDiameter` and a faint grain,
        the grain's at the image's pixel scale. The face's clip stays on the context, so what is drawn
        after it leaves the rim as it is. */
    static void drawMetalCap (juce::Graphics& g, int side, float chamferWidth, float brushingDiameter,
                              const VQ_Grain& grain);

    /** How many times the operations above have run; tests show that paint calls none of them. */
    static int getImageMakerCallCount() noexcept;

    /** Larger than any image of the panel at any scale; bigger requests are cut to it. */
    static constexpr int maxImageSide = 2048;
};
