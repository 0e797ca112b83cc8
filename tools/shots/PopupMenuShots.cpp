#include "Shots.h"

#include "vq_gui/PopupMenu_LAF.h"

#include <numeric>

namespace
{
/** One row of the strip: a section header or an item in one state. */
struct MenuRow
{
    const char* text;
    bool isSectionHeader, isSeparator, isActive, isHighlighted, isTicked = false, hasSubMenu = false;
    const char* shortcut = "";
};

constexpr MenuRow menuRows[] {
    { "Section header", true, false, true, false },
    { "Normal item", false, false, true, false },
    { "Highlighted item", false, false, true, true },
    { "Inactive item", false, false, false, false },
    { "", false, true, true, false },
    { "Inactive highlighted", false, false, false, true },
    { "Ticked", false, false, true, false, true, false, "Ctrl+T" },
    { "Sub-menu", false, false, true, true, false, true },
};

/** The rows as the main menu lays them out: each drawn at its own origin, the way the menu's item
    components paint, inside the menu's border. */
const vqshots::Shot popupMenuStrip {
    "popup-menu-strip",
    []
    {
        auto laf = std::make_shared<juce::PopupMenu_LAF>();
        const int width = 200, border = laf->getPopupMenuBorderSize();
        std::vector<int> heights;

        for (const auto& row : menuRows)
        {
            int idealWidth = 0, idealHeight = 0;
            laf->getIdealPopupMenuItemSize (row.text, row.isSeparator, -1, idealWidth, idealHeight);
            heights.push_back (row.isSectionHeader ? idealHeight + idealHeight / 2 : idealHeight);
        }

        const auto height = std::accumulate (heights.begin(), heights.end(), 2 * border);

        return vqshots::painted (width, height,
                                 [laf, heights, width, height, border] (juce::Graphics& g)
                                 {
                                     laf->drawPopupMenuBackground (g, width, height);
                                     const auto ignoredColour = juce::Colours::yellow;
                                     int y = border;

                                     for (size_t i = 0; i < heights.size(); ++i)
                                     {
                                         const auto& row = menuRows[i];
                                         const juce::Rectangle<int> area (width - 2 * border, heights[i]);
                                         juce::Graphics::ScopedSaveState state (g);
                                         g.setOrigin (border, y);

                                         if (row.isSectionHeader)
                                             laf->drawPopupMenuSectionHeader (g, area, row.text);
                                         else
                                             laf->drawPopupMenuItem (g, area, row.isSeparator, row.isActive,
                                                                     row.isHighlighted, row.isTicked, row.hasSubMenu,
                                                                     row.text, row.shortcut, nullptr, &ignoredColour);
                                         y += heights[i];
                                     }
                                 });
    }
};
} // namespace
