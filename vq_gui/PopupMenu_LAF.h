#pragma once

#include "VqLookAndFeel.h"

namespace juce
{
/** The main menu's look-and-feel: a dark gradient behind the items, a darker gradient behind the
    highlighted one, and one light grey for every text. Items are laid out as the framework's V4
    look-and-feel lays them out; a colour given with an item is ignored.
*/
class PopupMenu_LAF : public VqLookAndFeel
{
public:
    PopupMenu_LAF() = default;
    ~PopupMenu_LAF() override = default;

    void drawPopupMenuBackground (Graphics& g, int width, int height) override;

    void drawPopupMenuItem (Graphics& g, const Rectangle<int>& area, bool isSeparator, bool isActive,
                            bool isHighlighted, bool isTicked, bool hasSubMenu, const String& text,
                            const String& shortcutKeyText, const Drawable* icon,
                            const Colour* textColourToUse) override;

    void drawPopupMenuSectionHeader (Graphics& g, const Rectangle<int>& area, const String& sectionName) override;

    /** The colour of every item text and section header; inactive items draw it half transparent. */
    static inline const Colour textColour { 0xFFB2B5BE };

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PopupMenu_LAF)
};
} // namespace juce
