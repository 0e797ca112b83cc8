#pragma once

#include "vq_gui/MainMenuColours.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace juce
{
/** A button of the menu bar: it keeps the bar's icon colours and calls hooks when the pointer
    enters or leaves it.
*/
class MenuBarButton : public Button
{
public:
    explicit MenuBarButton (const String& buttonName);
    ~MenuBarButton() override;

    void mouseEnter (const MouseEvent& e) override;
    void mouseExit (const MouseEvent& e) override;

    /** Takes the icon colours of the record; the owner repaints. */
    virtual void setColours (const MainMenuColours& colours);

    std::function<void()> onMouseEnterFunc = [] {};
    std::function<void()> onMouseExitFunc = [] {};

protected:
    Colour normalColour, highlightedColour, disabledColour;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MenuBarButton)
};
} // namespace juce
