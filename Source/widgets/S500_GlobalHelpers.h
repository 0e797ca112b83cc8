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

/** The drawing operations the widget kit shares to build its cached images: noisy conical gradients,
    the shading of a turned-metal cap, rotary brushing and LED images. Called at layout only. */
class VQ_GuiHelper
{
public:
    static void fillConicalGradient (juce::Graphics* g, const juce::ColourGradient& gradient, const float& diameter,
                                     const float& areaSize, const float& shiftX, const float& shiftY,
                                     const float& ringWidth);
    static void prepareConicalGradWithChamfer (juce::Image& image, const float& diameter, const float& chamferWidth);
    static void makeRotaryBrushingEffect (juce::Graphics& g, const float& areaSize, const float& innerDiameter,
                                          const float& outerDiameter, const juce::uint8& maxAlpha);
    static void prepareOffDiodeImageEncoder (juce::Image& image, const int& radius, const juce::Colour& colour);
    static void prepareOnDiodeImage (juce::Image& image, const float& radius, const juce::Colour& colour);

    /** The metal cap that knobs and push buttons share, over the whole side x side image the context
        draws into: the bevelled rim, the face, its brushing over `brushingDiameter` and a faint grain.
        The face's clip stays on the context, so what is drawn after it leaves the rim as it is. */
    static void drawMetalCap (juce::Graphics& g, int side, float chamferWidth, float brushingDiameter);

    /** How many times the operations above have run; tests show that paint calls none of them. */
    static int getImageMakerCallCount() noexcept;

    /** Larger than any image of the panel at any scale; bigger requests are cut to it. */
    static constexpr int maxImageSide = 2048;
};
