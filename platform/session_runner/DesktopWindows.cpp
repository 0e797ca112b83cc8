#include "DesktopWindows.h"

#include "Mouse.h"

namespace DesktopWindows
{
bool hasDisplay()
{
    return juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() != nullptr;
}

juce::String describeMissingDisplay()
{
    const auto named = juce::SystemStats::getEnvironmentVariable ("DISPLAY", {});

    return named.isEmpty() ? "this session has none" : "the display in DISPLAY (" + named + ") could not be opened";
}

juce::Component* findPopupMenu()
{
    auto& desktop = juce::Desktop::getInstance();

    for (int i = desktop.getNumComponents(); --i >= 0;)
        if (auto* window = desktop.getComponent (i); window->isShowing())
            if (auto* handler = window->getAccessibilityHandler();
                handler != nullptr && handler->getRole() == juce::AccessibilityRole::popupMenu)
                return window;

    return nullptr;
}

juce::Component* findMenuItem (juce::Component& menu, const juce::String& text)
{
    for (auto* child : menu.getChildren())
        if (auto* handler = child->getAccessibilityHandler(); handler != nullptr && handler->getTitle() == text)
            return child;

    return nullptr;
}

juce::StringArray getMenuItemTexts (juce::Component& menu)
{
    juce::StringArray texts;

    for (auto* child : menu.getChildren())
        if (auto* handler = child->getAccessibilityHandler(); handler != nullptr && handler->getTitle().isNotEmpty())
            texts.add (handler->getTitle());

    return texts;
}

bool isMenuItemActive (juce::Component& item)
{
    auto* handler = item.getAccessibilityHandler();
    return handler != nullptr && handler->getActions().contains (juce::AccessibilityActionType::press);
}

void click (juce::Component& target)
{
    const auto centre = target.getLocalBounds().getCentre().toFloat();
    vqtest::PeerMouse mouse (target);
    mouse.move (centre);
    mouse.click (centre);
}
} // namespace DesktopWindows
