#pragma once

#include <juce_core/juce_core.h>

namespace juce
{
class VqDawParameter;
class VqPluginInstance;

/** The store of every value the plug-in controls: automatable parameters (normalised floats, shown
    to the host through a VqDawParameter each) and non-automatable settings (vars, never shown to the
    host). Every change names its source, and the source is never told of its own change.

    Message thread only; other threads reach it through VqDawParameter and
    ThreadBarierNonAutomatableParameter, which move their writes to the message thread.
*/
class VqParamsManager
{
public:
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
    };

    /** The record of one non-automatable setting. */
    struct NonAutomatableParamData
    {
        var value;
        Array<NonAutomatableParamListener*> listeners;
    };

    explicit VqParamsManager (VqPluginInstance& owner);
    virtual ~VqParamsManager();

    /** Stores the value (clamped to 0..1; a non-finite value is ignored) and tells every listener
        of the index, even when the value is unchanged. An index outside the table is ignored.
    */
    virtual void setParamValue (AutomatableParamListener* source, int index, float value);

    /** Opens a gesture; the first open one is announced to the listeners. */
    virtual void beginParamGesture (AutomatableParamListener* source, int index);

    /** Closes a gesture; closing the last open one is announced. An end without an open gesture
        is ignored, so a stray end cannot silence the parameter's later gestures.
    */
    virtual void endParamGesture (AutomatableParamListener* source, int index);

    /** Stores the setting and tells every listener of it except the source. */
    virtual void setNonAutomatableParamValue (NonAutomatableParamListener* source, int index, var value);

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

    AutomatableParameter* findParameter (int index) const noexcept;
    NonAutomatableParamData* findSetting (int index) const noexcept;

    JUCE_DECLARE_NON_COPYABLE (VqParamsManager)
};
} // namespace juce
