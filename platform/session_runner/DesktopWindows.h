#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** What the session runner finds on the display as a user sees it: the popup menu that is open, its
    items by the text they show (the title JUCE gives each item for screen readers), the windows that
    dialogs open, and buttons by their text; and the click of a user's mouse on any of them. Message
    thread only.
*/
namespace DesktopWindows
{
/** Whether windows can go on a display: JUCE opened the one that DISPLAY names. */
bool hasDisplay();

/** Why windows cannot go on a display, as the end of a sentence: this session has none (no DISPLAY), or
    the one DISPLAY names could not be opened. */
juce::String describeMissingDisplay();

/** The popup menu showing on the display, or null. */
juce::Component* findPopupMenu();

/** The item of a popup menu that shows this text, or null. */
juce::Component* findMenuItem (juce::Component& menu, const juce::String& text);

/** The texts of a popup menu's items in their order; separators have none. */
juce::StringArray getMenuItemTexts (juce::Component& menu);

/** Whether the item can be chosen: an inactive one offers no press, to a screen reader either. */
bool isMenuItemActive (juce::Component& item);

/** The first component of this type inside the root that the predicate accepts, depth first in the
    children's order, or null. */
template <typename Type, typename Predicate> Type* findInside (juce::Component& root, const Predicate& accepts)
{
    for (auto* child : root.getChildren())
    {
        if (auto* found = dynamic_cast<Type*> (child); found != nullptr && accepts (*found))
            return found;

        if (auto* found = findInside<Type> (*child, accepts))
            return found;
    }

    return nullptr;
}

template <typename Type> Type* findInside (juce::Component& root)
{
    return findInside<Type> (root, [] (Type&) { return true; });
}

/** The button inside the root showing this text, or null. */
inline juce::Button* findButton (juce::Component& root, const juce::String& text)
{
    return findInside<juce::Button> (root, [&] (juce::Button& button) { return button.getButtonText() == text; });
}

/** The window of this type showing on the display, or null. */
template <typename WindowType> WindowType* findWindow()
{
    auto& desktop = juce::Desktop::getInstance();

    for (int i = desktop.getNumComponents(); --i >= 0;)
        if (auto* window = dynamic_cast<WindowType*> (desktop.getComponent (i));
            window != nullptr && window->isShowing())
            return window;

    return nullptr;
}

/** A click of the left button on the middle of the component, sent through its window's peer. */
void click (juce::Component& target);
} // namespace DesktopWindows
