#pragma once

#include "AAX_Errors.h"
#include "IACFUnknown.h"

#include <atomic>
#include <initializer_list>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace aax_host
{
class Host;

/** The one ordered record of every call the host's objects receive, as "object.Method arguments". */
class CallLog
{
public:
    void add (std::string entry);
    void clear();
    std::vector<std::string> all() const;

    /** The entries that begin with the prefix, in order. */
    std::vector<std::string> matching (const std::string& prefix) const;
    bool contains (const std::string& entry) const;

private:
    // The plug-in calls the host from the message thread and from the host's own threads.
    mutable std::mutex lock;
    std::vector<std::string> entries;
};

/** What a test changes about the host: withheld interface versions, calls that fail, a factory that is
    answered but null. */
struct HostSettings
{
    /** Interface names ("IAAXControllerV2", "IACFComponentFactory") that every object refuses. */
    std::set<std::string> withheld;
    /** "object.Method" (as the log writes it, without arguments) to the result that call returns. */
    std::map<std::string, AAX_Result> failing;
    /** The host unknown answers the factory query with success and a null factory. */
    bool nullFactory = false;
};

/** The bookkeeping of one host object: its name, the interfaces it offers, its reference count, and
    the log and settings it shares with the whole host. The host owns every object until it ends, so
    a count above 0 after a test is a reference the plug-in side kept. */
class HostObject
{
public:
    HostObject (Host& host, std::string name);
    virtual ~HostObject() = default;

    const std::string& name() const noexcept { return objectName; }
    int references() const noexcept { return count.load(); }

    ACFRESULT answer (const acfIID& iid, void** out);
    acfUInt32 addRef();
    acfUInt32 release();

protected:
    /** Offers an interface of this object, or of another object whose count the answer raises. */
    void offer (const acfIID& iid, void* pointer, HostObject* owner = nullptr);

    /** Logs the call and gives the result a test chose for it, else success. */
    AAX_Result call (const char* method, const std::string& arguments = {});

    /** Logs the call and, when it succeeds, lets the object keep what it was given. */
    template <typename Keep> AAX_Result callKeeping (const char* method, const std::string& arguments, Keep&& keep)
    {
        const auto result = call (method, arguments);

        if (result == AAX_SUCCESS)
            keep();

        return result;
    }

    template <typename T, typename V>
    AAX_Result give (const char* method, T* out, const V& value, const std::string& arguments = {})
    {
        const auto result = call (method, arguments);

        if (result == AAX_SUCCESS && out != nullptr)
            *out = (T) value;

        return result;
    }

    Host& host;

private:
    struct Offer
    {
        acfIID iid;
        void* pointer;
        HostObject* owner;
    };

    const std::string objectName;
    std::atomic<int> count { 0 };
    std::vector<Offer> offers;
};

/** A host object that implements the given ACF interfaces; every IACFUnknown among them ends here. */
template <typename... Interfaces> class HostObjectOf : public Interfaces..., public HostObject
{
public:
    using HostObject::HostObject;

    ACFRESULT QueryInterface (const acfIID& iid, void** out) override { return answer (iid, out); }
    acfUInt32 AddRef() override { return addRef(); }
    acfUInt32 Release() override { return release(); }
};

/** A text argument for the log; a null pointer shows as "(null)". */
std::string text (const char* value);
/** Number arguments for the log, separated by spaces. */
std::string numbers (std::initializer_list<long long> values);

/** The name of an identifier for the log, or its first field in hexadecimal. */
std::string nameOf (const _acfUID& uid);
} // namespace aax_host
