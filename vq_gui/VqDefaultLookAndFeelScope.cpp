#include "VqDefaultLookAndFeelScope.h"

namespace juce
{
class VqDefaultLookAndFeelScope::SharedDefault
{
public:
    SharedDefault()
        : previous (&LookAndFeel::getDefaultLookAndFeel())
    {
        LookAndFeel::setDefaultLookAndFeel (&lookAndFeel);
        // The cache keeps the faces the previous default resolved, under the same font names.
        Typeface::clearTypefaceCache();
    }

    // The look-and-feel's destructor empties the typeface cache once it is no longer the default.
    ~SharedDefault()
    {
        if (&LookAndFeel::getDefaultLookAndFeel() == &lookAndFeel)
            LookAndFeel::setDefaultLookAndFeel (previous.get());
    }

private:
    VqLookAndFeel lookAndFeel;
    WeakReference<LookAndFeel> previous;

    JUCE_DECLARE_NON_COPYABLE (SharedDefault)
};

VqDefaultLookAndFeelScope::VqDefaultLookAndFeelScope() = default;
VqDefaultLookAndFeelScope::~VqDefaultLookAndFeelScope() = default;
} // namespace juce
