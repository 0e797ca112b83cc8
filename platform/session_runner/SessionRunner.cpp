#include "SessionRunner.h"

#include "DesktopWindows.h"
#include "SessionFiles.h"
#include "SysexText.h"
#include "WindowControls.h"

#include "Mouse.h"

#include "MidiBridge.h"
#include "ParamTools.h"
#include "PresetFile.h"
#include "StateReader.h"

namespace
{
using Verb = ScriptAction::Verb;
using Kind = SessionLog::Kind;
using Direction = vqsim::SimulatedUnit::Direction;

// How long a window that a click opens or closes may take; each normally takes a message or two.
constexpr int windowTimeoutMs = 3000;

// A popup menu takes no release in its first 250 ms, which would be the opening click's own.
constexpr int menuOpeningMs = 300;

// The message boxes that one save may raise in turn: the dialog's overwrite warning, then the instance's.
constexpr int maxConfirmations = 2;

juce::String unitName (int serialNo)
{
    return "unit " + juce::String (serialNo);
}

/** A time on the setup's clock, the one clock of the log, in its milliseconds. */
double toMilliseconds (vqsim::VirtualMidiSetup::Clock time)
{
    return (double) time.count() / 1000.0;
}

juce::String settingText (const juce::var& value)
{
    return value.isBool() ? juce::String ((bool) value ? "true" : "false") : value.toString();
}
} // namespace

SessionRunner::SessionRunner (SessionLog& sessionLog, const juce::File& directory)
    : log (sessionLog),
      filesDirectory (directory)
{
}

SessionRunner::~SessionRunner()
{
    shutDown();
}

double SessionRunner::now() const
{
    return toMilliseconds (setup.now());
}

double SessionRunner::stampLine()
{
    const auto time = now();
    logTrafficUpTo (time);
    return time;
}

void SessionRunner::write (Kind kind, const juce::String& who, const juce::String& text)
{
    log.add (stampLine(), kind, who, text);
}

bool SessionRunner::play (const std::vector<ScriptAction>& actions)
{
    for (const auto& action : actions)
        if (! perform (action))
            return false;

    return true;
}

bool SessionRunner::perform (const ScriptAction& action)
{
    write (Kind::action, {}, "line " + juce::String (action.lineNumber) + ": " + action.text);
    const auto problem = perform (action, action.args);

    if (problem.isNotEmpty())
    {
        write (Kind::error, {}, "line " + juce::String (action.lineNumber) + ": " + problem);
        return false;
    }

    settle();
    return true;
}

juce::String SessionRunner::perform (const ScriptAction& action, const juce::StringArray& args)
{
    switch (action.verb)
    {
        case Verb::addUnit:
        {
            const auto serialNo = args[0].getIntValue();

            if (units.count (serialNo) != 0)
                return unitName (serialNo) + " exists already";

            auto& unit = *(units[serialNo] = std::make_unique<vqsim::SimulatedUnit> (setup, serialNo));

            if (args[1] == "silent")
                unit.setAnswersQueries (false);

            if (args[1] == "unplugged")
            {
                write (Kind::info, unitName (serialNo), "added, not plugged in");
                return {};
            }

            unit.plugIn();
            write (Kind::info, unitName (serialNo),
                   "plugged in" + juce::String (args[1] == "silent" ? " (never answers)" : ""));
            return {};
        }

        case Verb::wait: runFor (args[0].getIntValue()); return {};

        case Verb::create:
        {
            if (instances.count (args[0]) != 0)
                return "instance " + args[0] + " exists already";

            instances[args[0]] = std::make_unique<HostedInstance> (args[0], log, [this] { return stampLine(); });
            write (Kind::info, args[0], "created");
            watchManager();
            return {};
        }

        case Verb::unplug:
        case Verb::replug:
        case Verb::turn:
        case Verb::press:
        case Verb::panelMode:
        {
            auto* unit = findUnit (args[0].getIntValue());
            return unit == nullptr ? "no " + unitName (args[0].getIntValue()) + " in this session"
                                   : performOnUnit (action, *unit, args);
        }

        default:
        {
            auto* hosted = findInstance (args[0]);
            return hosted == nullptr ? "no instance " + args[0] + " (create it first)"
                                     : performOnInstance (action, *hosted, args);
        }
    }
}

juce::String SessionRunner::performOnUnit (const ScriptAction& action, vqsim::SimulatedUnit& unit,
                                           const juce::StringArray& args)
{
    const auto who = unitName (args[0].getIntValue());

    switch (action.verb)
    {
        case Verb::unplug:
            if (! unit.isPluggedIn())
                return who + " is not plugged in";

            unit.unplug();
            write (Kind::info, who, "unplugged");
            return {};

        case Verb::replug:
            if (unit.isPluggedIn())
                return who + " is plugged in already";

            unit.plugIn();
            write (Kind::info, who, "plugged in");
            return {};

        case Verb::turn:
            write (Kind::info, who, "front panel: " + args[1] + " to code " + args[2]);
            unit.turnControl (ScriptReader::findControlId (args[1]), args[2].getIntValue());
            return {};

        case Verb::press:
            write (Kind::info, who, "front panel: " + args[1] + " pressed");
            unit.pressSwitch (ScriptReader::findSwitchBit (args[1]));
            return {};

        case Verb::panelMode:
            write (Kind::info, who, "front panel: mode " + args[1]);
            unit.changeChannelMode (ScriptReader::findModeCode (args[1]));
            return {};

        default: jassertfalse; return "not an action on a unit";
    }
}

juce::String SessionRunner::performOnInstance (const ScriptAction& action, HostedInstance& hosted,
                                               const juce::StringArray& args)
{
    auto& instance = hosted.getInstance();
    auto& params = instance.getPlemvoParams();
    const auto who = hosted.getName();

    switch (action.verb)
    {
        case Verb::destroy:
            if (instances.size() == 1 && watchedManager != nullptr)
            {
                watchedManager->removeConnectionListListener (this);
                watchedManager = nullptr;
            }

            instances.erase (who);
            write (Kind::info, who, "destroyed");
            return {};

        case Verb::automate:
            hosted.automate (ScriptReader::findParameter (args[1]), (float) args[2].getDoubleValue());
            return {};

        case Verb::setting:
        {
            const auto index = ScriptReader::findSetting (args[1]);
            const auto value = ScriptReader::readSettingValue (args[2]);
            write (Kind::info, who, juce::String (ParamData::naParamName[index]) + " set to " + settingText (value));
            params.setNonAutomatableParamValue (nullptr, index, value);
            return {};
        }

        case Verb::connect:
            if (findUnit (args[1].getIntValue()) == nullptr)
                return "no " + unitName (args[1].getIntValue()) + " in this session";

            write (Kind::info, who, "connect with " + unitName (args[1].getIntValue()));
            instance.chooseDevice (args[1].getIntValue(), true);
            return {};

        case Verb::disconnect:
            write (Kind::info, who, "disconnect");
            instance.chooseDevice (-1, false);
            return {};

        case Verb::saveState:
        {
            juce::MemoryBlock state;
            instance.getStateInformation (state);

            if (const auto problem = SessionFiles::replace (resolve (args[1]), [&] (juce::OutputStream& out)
                                                            { return out.write (state.getData(), state.getSize()); });
                problem.isNotEmpty())
                return problem;

            write (Kind::info, who,
                   "host saved the state: " + juce::String ((int) state.getSize()) + " bytes to " + args[1]);
            return {};
        }

        case Verb::restoreState:
        {
            juce::MemoryBlock state;

            if (const auto problem = SessionFiles::read (resolve (args[1]), StateReader::maxBytes, state);
                problem.isNotEmpty())
                return problem;

            write (Kind::info, who,
                   "host restores the state: " + juce::String ((int) state.getSize()) + " bytes from " + args[1]);
            instance.setStateInformation (state.getData(), (int) state.getSize());
            return {};
        }

        case Verb::savePreset:
        {
            const auto result = PresetFile::save (instance, resolve (args[1]));

            if (result.failed())
                return result.getErrorMessage();

            write (Kind::info, who, "preset saved as " + PresetFile::getSaveTarget (resolve (args[1])).getFileName());
            return {};
        }

        case Verb::loadPreset:
        {
            const auto result = PresetFile::load (instance, resolve (args[1]));

            if (result.failed())
                return result.getErrorMessage();

            write (Kind::info, who, "preset loaded from " + args[1]);
            return {};
        }

        case Verb::openEditor:
        {
            const auto waiting = instance.hasPendingCommand();
            auto& editor = hosted.openEditor();
            write (Kind::info, who,
                   "window opened, " + juce::String (editor.getWidth()) + " x " + juce::String (editor.getHeight()) +
                       (editor.isOnDesktop()
                            ? juce::String (" on the display")
                            : " off-screen (no display: " + DesktopWindows::describeMissingDisplay() + ")") +
                       (! waiting              ? ""
                        : editor.isOnDesktop() ? "; the waiting device-selector request goes to its menu bar"
                                               : "; the device-selector request goes on waiting: no selector "
                                                 "pops up without a display"));
            return {};
        }

        case Verb::closeEditor:
            if (hosted.getEditor() == nullptr)
                return "no window of " + who + " is open";

            hosted.closeEditor();
            write (Kind::info, who, "window closed");
            return {};

        case Verb::click:
        case Verb::doubleClick:
        case Verb::drag:
        case Verb::select:
        case Verb::menu:
        case Verb::snapshot:
            return hosted.getEditor() == nullptr ? "no window of " + who + " (open-editor first)"
                                                 : performInWindow (action, hosted, *hosted.getEditor(), args);

        case Verb::print: print (hosted); return {};

        default: jassertfalse; return "not an action on an instance";
    }
}

juce::String SessionRunner::performInWindow (const ScriptAction& action, HostedInstance& hosted,
                                             PlemvoAudioProcessorEditor& editor, const juce::StringArray& args)
{
    const auto who = hosted.getName();

    if (action.verb == Verb::snapshot)
    {
        const auto file = resolve (args[1]);
        const auto image = editor.createComponentSnapshot (editor.getLocalBounds(), true, 1.0f);

        if (const auto problem = SessionFiles::replace (
                file, [&] (juce::OutputStream& out) { return juce::PNGImageFormat().writeImageToStream (image, out); });
            problem.isNotEmpty())
            return problem;

        write (Kind::info, who,
               "snapshot of the window, " + juce::String (image.getWidth()) + " x " + juce::String (image.getHeight()) +
                   ", written to " + file.getFullPathName());
        return {};
    }

    if (action.verb == Verb::select)
        return selectDevice (hosted, editor, args[1].getIntValue());

    if (action.verb == Verb::menu)
        return chooseMenuItem (hosted, editor, args[1], args[2]);

    // The mouse's events reach the window through its peer, and only a window on a display has one.
    if (! editor.isOnDesktop())
        return "the mouse needs the window on a display, and " + DesktopWindows::describeMissingDisplay();

    auto& view = editor.getChannelView (args[1].getIntValue() - 1);

    if (! view.isVisible())
        return "panel " + args[1] + " is not shown";

    auto& target = *WindowControls::find (view, args[2]);
    const auto at = editor.getLocalPoint (&target, target.getLocalBounds().getCentre()).toFloat();
    const auto what = "panel " + args[1] + " " + args[2];
    vqtest::PeerMouse mouse (editor);
    mouse.move (at);

    if (action.verb == Verb::click)
    {
        write (Kind::info, who, "mouse: click on " + what);
        mouse.click (at);
    }
    else if (action.verb == Verb::doubleClick)
    {
        write (Kind::info, who, "mouse: double-click on " + what);
        mouse.doubleClick (at);
    }
    else
    {
        const auto pixels = args[3].getIntValue();
        write (Kind::info, who,
               "mouse: drag of " + what + " by " + juce::String (std::abs (pixels)) +
                   (pixels < 0 ? " px down" : " px up"));
        mouse.down (at);

        for (int step = 1; step <= 8; ++step)
            mouse.drag (at.translated (0.0f, (float) (-pixels * step / 8)));

        mouse.up (at.translated (0.0f, (float) -pixels));
    }

    mouse.leave();
    return {};
}

// With a display the selector pops up under the USB button and its row's button gets a real click;
// without one the popup cannot show, so the rows are built and the button is pressed directly.
juce::String SessionRunner::selectDevice (HostedInstance& hosted, PlemvoAudioProcessorEditor& editor, int serialNo)
{
    auto& bar = editor.getMenuBar();

    if (editor.isOnDesktop())
    {
        DesktopWindows::click (bar.getUsbButton());
        runFor (200);
    }
    else
    {
        bar.fillDeviceSelector();
    }

    juce::Button* button = nullptr;

    if (auto* selector = bar.getDeviceSelector())
        for (juce::PopupMenu::MenuItemIterator it (*selector); it.next();)
            if (it.getItem().itemID == serialNo + 1 && it.getItem().customComponent != nullptr)
                if (auto* b = dynamic_cast<juce::Button*> (it.getItem().customComponent->getChildComponent (0)))
                    if (b->isVisible())
                        button = b;

    if (button == nullptr)
    {
        juce::PopupMenu::dismissAllActiveMenus();
        return "the selector has no button for " + unitName (serialNo);
    }

    write (Kind::info, hosted.getName(), "selector: " + button->getButtonText() + " on " + unitName (serialNo));

    if (button->isShowing())
        DesktopWindows::click (*button);
    else
        button->onClick();

    return {};
}

// The main menu pops up under the menu button and the item is clicked where it shows, as a user does;
// the click first closes a popup open over the window (the device selector), as a user's does. An item
// that opens a file dialog is followed into it.
juce::String SessionRunner::chooseMenuItem (HostedInstance& hosted, PlemvoAudioProcessorEditor& editor,
                                            const juce::String& itemText, const juce::String& fileName)
{
    if (! editor.isOnDesktop())
        return "the main menu pops up only on a display, and " + DesktopWindows::describeMissingDisplay();

    const auto who = hosted.getName();
    write (Kind::info, who, "mouse: click on the menu button");
    DesktopWindows::click (editor.getMenuBar().getMenuButton());

    juce::Component::SafePointer<juce::Component> menu;

    if (! runUntil ([&] { return (menu = DesktopWindows::findPopupMenu()) != nullptr; }, windowTimeoutMs))
        return "the main menu did not pop up";

    runFor (menuOpeningMs);

    if (menu == nullptr)
        return "the main menu closed before an item was chosen";

    const auto dismiss = [&] (const juce::String& problem)
    {
        juce::PopupMenu::dismissAllActiveMenus();
        runUntil ([&] { return menu == nullptr; }, windowTimeoutMs);
        return problem;
    };

    auto* item = DesktopWindows::findMenuItem (*menu, itemText);

    if (item == nullptr)
        return dismiss ("the main menu has no item \"" + itemText +
                        "\" (it has: " + DesktopWindows::getMenuItemTexts (*menu).joinIntoString (", ") + ")");

    if (! DesktopWindows::isMenuItemActive (*item))
        return dismiss ("the menu item \"" + itemText + "\" is inactive");

    write (Kind::info, who, "mouse: menu item " + itemText);
    DesktopWindows::click (*item);

    if (! runUntil ([&] { return menu == nullptr; }, windowTimeoutMs))
        return dismiss ("the main menu stayed open after the click on \"" + itemText + "\"");

    // The chosen item's command reaches the instance a message later.
    settle();
    return answerFileDialog (hosted, itemText, fileName);
}

// The file name goes into the dialog's file box as if typed, and the dialog's Save or Open button is
// pressed; a message box that asks before a file is replaced is answered with its first button, the
// one that goes ahead.
juce::String SessionRunner::answerFileDialog (HostedInstance& hosted, const juce::String& itemText,
                                              const juce::String& fileName)
{
    juce::Component::SafePointer<juce::FileChooserDialogBox> dialog (
        DesktopWindows::findWindow<juce::FileChooserDialogBox>());

    // A dialog or message box left open would block every later line.
    const auto closeAll = [&] (const juce::String& problem)
    {
        juce::ModalComponentManager::getInstance()->cancelAllModalComponents();
        runUntil ([&] { return dialog == nullptr && DesktopWindows::findWindow<juce::AlertWindow>() == nullptr; },
                  windowTimeoutMs);
        return problem;
    };

    const auto cancel = [&] (const juce::String& problem)
    {
        if (auto* button = DesktopWindows::findButton (*dialog, TRANS ("Cancel")))
            DesktopWindows::click (*button);

        return closeAll (problem + " (the dialog is cancelled)");
    };

    if (fileName.isEmpty())
        return dialog == nullptr
                   ? juce::String()
                   : cancel ("\"" + itemText + "\" opens a file dialog: the line needs the FILE to enter in it");

    if (dialog == nullptr &&
        ! runUntil ([&] { return (dialog = DesktopWindows::findWindow<juce::FileChooserDialogBox>()) != nullptr; },
                    windowTimeoutMs))
        return "\"" + itemText + "\" opened no file dialog for " + fileName;

    auto* browser = DesktopWindows::findInside<juce::FileBrowserComponent> (*dialog);

    if (browser == nullptr)
        return cancel ("the file dialog has no file browser");

    const auto file = resolve (fileName);
    const auto saving = browser->isSaveMode();
    const auto verb = browser->getActionVerb();
    browser->setFileName (file.getFullPathName());

    // The dialog enables its button when the file box's change message arrives.
    settle();
    auto* go = DesktopWindows::findButton (*dialog, verb);

    if (go == nullptr || ! go->isEnabled())
        return cancel ("the file dialog's " + verb + " button is disabled for " + file.getFullPathName());

    write (Kind::info, hosted.getName(),
           "file dialog \"" + dialog->getName() + "\": " + fileName + " chosen (" + verb + ")");
    DesktopWindows::click (*go);

    for (int asked = 0;; ++asked)
    {
        juce::Component::SafePointer<juce::AlertWindow> box;

        if (! runUntil (
                [&] { return (box = DesktopWindows::findWindow<juce::AlertWindow>()) != nullptr || dialog == nullptr; },
                windowTimeoutMs))
            return closeAll ("the file dialog did not close");

        if (box == nullptr)
            break;

        const auto question = "the message box \"" + box->getName() + "\"";
        auto* yes = DesktopWindows::findInside<juce::TextButton> (*box);

        if (yes == nullptr)
            return closeAll (question + " has no button to answer with");

        // A box with one button asks nothing: the instance tells why the save or load failed.
        if (box->getNumButtons() == 1)
        {
            const auto reason = box->getDescription().fromFirstOccurrenceOf (box->getName() + ". ", false, false);
            write (Kind::info, hosted.getName(), "alert \"" + box->getName() + "\": " + reason);
            DesktopWindows::click (*yes);
            runUntil ([&] { return box == nullptr; }, windowTimeoutMs);
            return closeAll (reason.upToLastOccurrenceOf (".", false, false));
        }

        if (asked == maxConfirmations)
            return closeAll (question + " is one question too many");

        write (Kind::info, hosted.getName(), "confirmation \"" + box->getName() + "\": " + yes->getButtonText());
        DesktopWindows::click (*yes);

        if (! runUntil ([&] { return box == nullptr; }, windowTimeoutMs))
            return closeAll (question + " did not close");
    }

    settle();

    // What the instance did with the file, seen from outside: the file's bytes against its state.
    const auto written = saving ? PresetFile::getSaveTarget (file) : file;
    juce::MemoryBlock state, bytes;
    hosted.getInstance().getStateInformation (state);
    const auto same = SessionFiles::read (written, StateReader::maxBytes, bytes).isEmpty() && bytes == state;

    if (saving)
        write (Kind::info, hosted.getName(),
               "preset file " + written.getFileName() +
                   (same ? " holds the instance's state, " + juce::String ((int) bytes.getSize()) + " bytes"
                         : juce::String (" does not hold the instance's state")));
    else
        write (Kind::info, hosted.getName(),
               "the instance's state is " + juce::String (same ? "" : "not ") + "the one in " + written.getFileName());

    return {};
}

void SessionRunner::print (HostedInstance& hosted)
{
    auto& params = hosted.getInstance().getPlemvoParams();

    for (int index = 0; index < params.getNumParams(); ++index)
        write (Kind::info, hosted.getName(),
               juce::String (ParamData::paramName[index]).paddedRight (' ', 24) +
                   juce::String (params.getParamValue (index), 3) + "  " + params.getCurrentValueAsText (index));

    for (int index = 0; index < params.getNumNonAutomatableParams(); ++index)
        write (Kind::info, hosted.getName(),
               juce::String (ParamData::naParamName[index]).paddedRight (' ', 24) +
                   settingText (params.getNonAutomatableParamValue (index)));
}

void SessionRunner::shutDown()
{
    while (! instances.empty())
    {
        ScriptAction destroy;
        destroy.verb = Verb::destroy;
        performOnInstance (destroy, *instances.begin()->second, { instances.begin()->first });
    }

    settle();
    units.clear();
}

HostedInstance* SessionRunner::findInstance (const juce::String& name) const
{
    const auto found = instances.find (name);
    return found == instances.end() ? nullptr : found->second.get();
}

vqsim::SimulatedUnit* SessionRunner::findUnit (int serialNo) const
{
    const auto found = units.find (serialNo);
    return found == units.end() ? nullptr : found->second.get();
}

juce::File SessionRunner::resolve (const juce::String& name) const
{
    return juce::File::isAbsolutePath (name) ? juce::File (name) : filesDirectory.getChildFile (name);
}

//==============================================================================
void SessionRunner::runFor (int milliseconds)
{
    runUntil ([] { return false; }, milliseconds);
    settle();
}

bool SessionRunner::runUntil (const std::function<bool()>& condition, int timeoutMilliseconds)
{
    const auto end = juce::Time::getMillisecondCounterHiRes() + timeoutMilliseconds;

    while (! condition())
    {
        const auto left = end - juce::Time::getMillisecondCounterHiRes();

        if (left <= 0)
            return false;

        juce::MessageManager::getInstance()->runDispatchLoopUntil (juce::jlimit (1, 5, (int) left));
        stampLine();
    }

    return true;
}

void SessionRunner::settle()
{
    // Twice: what the message thread sends the unit may be answered, and the answer handled in turn.
    for (int round = 0; round < 2; ++round)
    {
        setup.flush();
        stampLine();

        bool reached = false;
        juce::MessageManager::callAsync ([&reached] { reached = true; });

        // One message a turn: the queue holds at least the marker, so no turn waits for the clock.
        while (! reached)
            juce::MessageManager::getInstance()->runDispatchLoopUntil (0);

        stampLine();
    }
}

// A unit stamps a message and records it under one lock, in order of time: every message stamped before
// the time asked for is there to be read, and one stamped after it waits for a later line.
void SessionRunner::logTrafficUpTo (double timeMs)
{
    struct Pending
    {
        int serialNo;
        vqsim::SimulatedUnit::Message message;
    };

    const auto crossedBy = [timeMs] (const vqsim::SimulatedUnit::Message& message)
    { return toMilliseconds (message.time) <= timeMs; };

    std::vector<Pending> fresh;

    for (auto& [serialNo, unit] : units)
    {
        auto& logged = trafficLogged[serialNo];
        auto traffic = unit->getTrafficFrom (logged);
        traffic.erase (std::find_if_not (traffic.begin(), traffic.end(), crossedBy), traffic.end());
        logged += traffic.size();

        for (auto& message : traffic)
            fresh.push_back ({ serialNo, std::move (message) });
    }

    std::stable_sort (fresh.begin(), fresh.end(),
                      [] (const Pending& a, const Pending& b) { return a.message.time < b.message.time; });

    for (const auto& item : fresh)
    {
        const auto toUnit = item.message.direction == Direction::toUnit;
        const SysexText::Bytes bytes (item.message.bytes.begin(), item.message.bytes.end());
        log.add (toMilliseconds (item.message.time), toUnit ? Kind::toUnit : Kind::fromUnit,
                 (toUnit ? "to " : "from ") + unitName (item.serialNo),
                 SysexText::toHex (bytes) + "  " + SysexText::describe (bytes, toUnit));
    }
}

void SessionRunner::watchManager()
{
    auto* manager = juce::MidiManager::getInstanceWithoutCreating();

    if (manager == watchedManager)
        return;

    watchedManager = manager;

    if (manager != nullptr)
        manager->addConnectionListListener (this);
}

void SessionRunner::connectionListChanged()
{
    juce::StringArray rows;

    const auto list = watchedManager->getConnectionList();

    for (const auto* row : *list)
    {
        juce::String holder = "free";

        for (auto& [name, hosted] : instances)
            if (row->listener != nullptr && row->listener == hosted->getInstance().getBridge())
                holder = "taken by " + name;

        if (row->listener != nullptr && holder == "free")
            holder = "taken";

        rows.add (unitName (row->serialNo) + " " + holder);
    }

    write (Kind::connection, {},
           "units listed: " + (rows.isEmpty() ? juce::String ("none") : rows.joinIntoString (", ")));
}
