#pragma once

#include <juce_core/juce_core.h>

#include <atomic>

namespace juce
{
class VqDawParameter;
class VqPluginInstance;

/** The store of every value the plug-in controls: automatable parameters (normalised floats, shown
    to the host through a VqDawParameter each) and non-automatable settings (vars, never shown to the
    host). Every change names its source, and the source is never told of its own change.

    Every change carries the moment it was received, as a stamp of the manager's one counter: the later
    change wins, whichever thread applies it and in whatever order. A value and a setting keep the stamp
    of the change they hold, and a change older than that is refused.

    Message thread only, but for takeChangeStamp; other threads reach it through VqDawParameter and
    ThreadBarierNonAutomatableParameter, which move their writes to the message thread.
*/
class VqParamsManager
{
public:
    /** When a change was received: a later change has a greater stamp; 0 is before every change. */
    using ChangeStamp = uint64;

    /** What a change equal to the held value does: announced as any change, or only taking the later
        stamp unannounced (a write that repeats the held value). */
    enum class Unchanged
    {
        announce,
        keepQuiet
    };

    /** Told of value and gesture changes of automatable parameters. The manager calls the
        three-argument forms; their defaults skip changes made by this listener and forward the
        others to the two-argument forms. Override the three-argument forms to see every change.
    */
    class AutomatableParamListener
    {
    public:
        virtual ~AutomatableParamListener() = default;

        virtual void paramValueChanged (AutomatableParamListener* source, int index, float value);
        virtual void paramValueChanged (int index, float value);
        virtual void paramGestureChanged (AutomatableParamListener* source, int index, bool starting);
        virtual void paramGestureChanged (int index, bool starting);

        /** Whether this listener's changes replay values recorded before (host automation, a saved
            state) rather than being made now: rules that carry a change made now further, such as a
            copy onto another parameter, leave them as they were recorded.
        */
        virtual bool replaysRecordedValues() const noexcept { return false; }

        /** Whether a change from this source (none included) replays recorded values. */
        static bool isReplay (const AutomatableParamListener* source) noexcept
        {
            return source != nullptr && source->replaysRecordedValues();
        }
    };

    /** Told of changes of a non-automatable setting; the manager itself skips the source. */
    class NonAutomatableParamListener
    {
    public:
        virtual ~NonAutomatableParamListener() = default;

        virtual void nonAutomatableParamValueChanged (int index, var value) = 0;
    };

    /** Whether a listener being added is called at once with the current value (0) or only
        registered (any other value).
    */
    enum ListenerInitState
    {
        notifyOnAdd = 0,
        registerOnly = 1
    };

    /** The record of one automatable parameter. */
    struct AutomatableParameter
    {
        VqDawParameter* dawParameter = nullptr; // owned by the plug-in instance once added to it
        Array<AutomatableParamListener*> listeners;
        VqParamsManager* manager = nullptr;
        int index = 0;
        float value = 0.0f;
        int gestureCount = 0;
        ChangeStamp stamp = 0; // of the change that value came with
    };

    /** The record of one non-automatable setting. */
    struct NonAutomatableParamData
    {
        var value;
        Array<NonAutomatableParamListener*> listeners;
        ChangeStamp stamp = 0;
    };

    explicit VqParamsManager (VqPluginInstance& owner);
    virtual ~VqParamsManager();

    /** The stamp of a change received now. Any thread. */
    ChangeStamp takeChangeStamp() noexcept { return ++lastStamp; }

    /** A change made now: applyParamValue with a new stamp. */
    virtual void setParamValue (AutomatableParamListener* source, int index, float value);

    /** Applies a change received at `received` when it is later than the one the parameter holds: stores
        the value (clamped to 0..1; a non-finite value is ignored) with its stamp and tells every listener
        of the index, also of an unchanged value unless `unchanged` keeps it quiet. An older change and an
        index outside the table change nothing. Returns whether the change was taken.
    */
    virtual bool applyParamValue (AutomatableParamListener* source, int index, float value, ChangeStamp received,
                                  Unchanged unchanged = Unchanged::announce);

    /** Opens a gesture; the first open one is announced to the listeners. */
    virtual void beginParamGesture (AutomatableParamListener* source, int index);

    /** Closes a gesture; closing the last open one is announced. An end without an open gesture
        is ignored, so a stray end cannot silence the parameter's later gestures.
    */
    virtual void endParamGesture (AutomatableParamListener* source, int index);

    /** A change made now: applyNonAutomatableParamValue with a new stamp. */
    virtual void setNonAutomatableParamValue (NonAutomatableParamListener* source, int index, var value);

    /** Applies a setting received at `received` when that is later than the change the setting holds,
        and tells every listener of it except the source, as applyParamValue does.
    */
    virtual bool applyNonAutomatableParamValue (NonAutomatableParamListener* source, int index, var value,
                                                ChangeStamp received, Unchanged unchanged = Unchanged::announce);

    /** Registers the listener once; with notifyOnAdd it is called at once with the stored value
        and no source (also when it was registered already).
    */
    void addParamListener (AutomatableParamListener* listener, int index, ListenerInitState state);
    void removeParamListener (AutomatableParamListener* listener, int index);

    void addNonAutomatableParamListener (NonAutomatableParamListener* listener, int index, ListenerInitState state);
    void removeNonAutomatableParamListener (NonAutomatableParamListener* listener, int index);

    /** The stored normalised value; 0.0 for an index outside the table. */
    float getParamValue (int index) const noexcept;

    /** The stored setting; an int var of -1 for an index outside the table. */
    var getNonAutomatableParamValue (int index) const;

    /** The stamp of the change that the parameter holds; 0 for an index outside the table. */
    ChangeStamp getParamStamp (int index) const noexcept;

    /** Whether a change received at `received` is later than the one the parameter holds; false for an
        index outside the table.
    */
    bool isLaterThanHeld (int index, ChangeStamp received) const noexcept;

    /** How many listeners the parameter or the setting has; 0 for an index outside the table. */
    int getNumParamListeners (int index) const noexcept;
    int getNumNonAutomatableParamListeners (int index) const noexcept;

    int getNumParams() const noexcept { return automatable.size(); }
    int getNumNonAutomatableParams() const noexcept { return nonAutomatable.size(); }

    /** The host parameter of the index, or nullptr outside the table. */
    VqDawParameter* getDawParameter (int index) const noexcept;

protected:
    /** Appends the next automatable parameter, its index being the parameter's own. The host
        parameter becomes its first listener and gives the initial value; it is not owned here.
    */
    void addAutomatableParameter (VqDawParameter& dawParameter);

    /** Appends the next setting with its default value. */
    void addNonAutomatableParameter (const var& defaultValue);

private:
    VqPluginInstance& owner;
    OwnedArray<AutomatableParameter> automatable;
    OwnedArray<NonAutomatableParamData> nonAutomatable;
    std::atomic<ChangeStamp> lastStamp { 0 };

    AutomatableParameter* findParameter (int index) const noexcept;
    NonAutomatableParamData* findSetting (int index) const noexcept;

    JUCE_DECLARE_NON_COPYABLE (VqParamsManager)
};
} // namespace juce
