#pragma once

#include "AaxHost.h"

#include <functional>
#include <gtest/gtest.h>

/** What one call through a proxy gave: its result and whether its out-parameters hold 0. */
struct Outcome
{
    AAX_Result result;
    bool outsCleared = true;
};

/** One operation of a proxy: the host call it forwards to, the version it needs, and its fixed result. */
template <typename Proxy> struct ForwardingCase
{
    const char* hostCall;
    const char* version;
    AAX_Result absent;
    std::function<Outcome (Proxy&)> call;
};

// A result no host gives by itself, so a forwarded call shows that it reached the host unchanged.
constexpr AAX_Result hostsOwnResult = -20777;

/** A host stand-in per test whose references must all come back by the end of the test. */
class HostFixture : public ::testing::Test
{
protected:
    void TearDown() override { EXPECT_EQ (host.heldReferences(), std::vector<std::string> {}); }

    /** How often the log holds the call, with or without arguments. */
    int callsTo (const std::string& key) const
    {
        int n = 0;

        for (const auto& entry : host.log.all())
            n += (entry == key || entry.rfind (key + " ", 0) == 0) ? 1 : 0;

        return n;
    }

    /** Each operation reaches the host with its version offered, and with it withheld gives the fixed
        result, clears its out-parameters and calls nothing. */
    template <typename Proxy, typename Make>
    void checkForwarding (const std::vector<ForwardingCase<Proxy>>& cases, Make&& makeProxy)
    {
        for (const auto& c : cases)
        {
            SCOPED_TRACE (std::string (c.hostCall) + " needing " + c.version);
            host.settings = {};
            host.settings.failing[c.hostCall] = hostsOwnResult;
            EXPECT_EQ (c.call (*makeProxy()).result, hostsOwnResult);

            host.settings.withheld = { c.version };
            host.log.clear();
            const auto outcome = c.call (*makeProxy());
            EXPECT_EQ (outcome.result, c.absent);
            EXPECT_TRUE (outcome.outsCleared);
            EXPECT_EQ (callsTo (c.hostCall), 0);
        }

        host.settings = {};
    }

    aax_host::Host host;
};
