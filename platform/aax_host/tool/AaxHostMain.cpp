// aax_host MODULE [--feature mono,stereo] [--list] [--chunk-roundtrip] [--session] [--echo-delay MS]
// Loads an AAX module as a host does and prints what the host sees.

#include "AAX_Enums.h"
#include "ModuleInstance.h"
#include "SimulatedUnit.h"
#include "vq_midi/VqSysexProtocol.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

using namespace aax_host;
using Protocol = juce::VqSysexProtocol;

namespace
{
std::string fourChars (uint32_t code)
{
    std::string s;

    for (int shift = 24; shift >= 0; shift -= 8)
        s += char ((code >> shift) & 0xFF);

    return "'" + s + "'";
}

/** The stem formats by their names on the command line, in the order a plug-in asks about them. */
const char* const stemFormatNames[] { "mono",   "stereo", "lcr",   "lcrs",    "quad",    "5.0",
                                      "5.1",    "6.0",    "6.1",   "7.0sdds", "7.1sdds", "7.0dts",
                                      "7.1dts", "7.0.2",  "7.1.2", "ambi2",   "ambi3" };

bool setFeatures (Host& host, const std::string& list)
{
    const auto& formats = FeatureSupport::askedStemFormats();
    std::set<int32_t> supported;
    std::stringstream words (list);

    // Commas with nothing between them name nothing.
    for (std::string word; std::getline (words, word, ',');)
    {
        if (word.empty())
            continue;

        const auto* end = std::end (stemFormatNames);
        const auto* found = std::find (std::begin (stemFormatNames), end, word);

        if (found == end)
        {
            std::fprintf (stderr, "aax_host: unknown stem format '%s'\n", word.c_str());
            return false;
        }

        supported.insert (formats.at (size_t (found - std::begin (stemFormatNames))));
    }

    if (supported.empty())
    {
        std::fprintf (stderr, "aax_host: --feature lists no stem format\n");
        return false;
    }

    host.descriptionHost().stemFormats = FeatureSupport::onlyStemFormats (supported);
    return true;
}

/** Standard error while it lives: each line goes on at once, and a line that comes again is counted instead,
    the counts said at the end. JUCE's wrapper asserts once for every component whose native type code
    repeats another's, which without feature information is nearly every one of them. */
class RepeatsSaidOnce
{
public:
    RepeatsSaidOnce()
    {
        std::fflush (stderr);
        int ends[2];

        if (pipe (ends) != 0)
            return;

        // Without a copy of standard error to go back to, it stays as it is.
        if ((original = dup (STDERR_FILENO)) < 0)
        {
            close (ends[0]);
            close (ends[1]);
            return;
        }

        dup2 (ends[1], STDERR_FILENO);
        close (ends[1]);
        reader = std::thread ([this, from = ends[0]] { forward (from); });
    }

    ~RepeatsSaidOnce()
    {
        if (original < 0)
            return;

        // The pipe's last writing end goes, so the reader sees its end; the copy it writes to goes after it.
        std::fflush (stderr);
        dup2 (original, STDERR_FILENO);
        reader.join();
        close (original);

        for (const auto& [line, times] : lines)
            if (times > 1)
                std::fprintf (stderr, "aax_host: the module wrote \"%.*s\" %d times; it is shown once\n",
                              int (line.size() - 1), line.c_str(), times);
    }

    RepeatsSaidOnce (const RepeatsSaidOnce&) = delete;
    RepeatsSaidOnce& operator= (const RepeatsSaidOnce&) = delete;

private:
    void forward (int from)
    {
        auto* in = fdopen (from, "r");
        std::string line;

        for (int c; (c = std::fgetc (in)) != EOF;)
        {
            line += char (c);

            if (c == '\n')
                take (line), line.clear();
        }

        if (! line.empty())
            take (line + "\n");

        std::fclose (in);
    }

    void take (const std::string& line)
    {
        const auto seen = std::find_if (lines.begin(), lines.end(), [&] (const auto& l) { return l.first == line; });

        if (seen != lines.end())
        {
            ++seen->second;
            return;
        }

        lines.emplace_back (line, 1);
        [[maybe_unused]] const auto written = write (original, line.data(), line.size());
    }

    int original = -1;
    std::thread reader;
    std::vector<std::pair<std::string, int>> lines;
};

void printIdentity (const LoadedModule& module)
{
    const auto& collection = *module.collection();
    std::printf ("module     %s\n", module.binary().c_str());
    std::printf ("manufacturer %s\n", collection.manufacturer.c_str());

    for (const auto& name : collection.packageNames)
        std::printf ("package    %s\n", name.c_str());

    std::printf ("version    0x%08x\n", collection.packageVersion);
    std::printf ("SDK        0x%016llx\n", (unsigned long long) module.sdkVersion());

    for (const auto& [id, effect] : collection.effects)
    {
        std::printf ("effect     %s\n", id.c_str());

        for (const auto& name : effect->names)
            std::printf ("  name     %s\n", name.c_str());

        for (auto category : effect->categories)
            std::printf ("  category 0x%x\n", category);

        std::printf ("  components %zu\n", effect->components.size());
    }
}

std::string stemFormatName (int32_t format)
{
    const auto& formats = FeatureSupport::askedStemFormats();
    const auto found = std::find (formats.begin(), formats.end(), format);
    return found != formats.end() ? stemFormatNames[found - formats.begin()] : std::to_string (format);
}

std::string hex (const std::vector<unsigned char>& bytes)
{
    std::string text;
    char byte[4];

    for (auto b : bytes)
        std::snprintf (byte, sizeof (byte), "%02X ", b), text += byte;

    return text;
}

void printComponents (const HostEffectDescriptor& effect)
{
    int index = 0;

    for (const auto* component : effect.components)
    {
        for (const auto& properties : component->nativeProcessProperties)
        {
            auto value = [&] (int key) { return properties.count (key) ? properties.at (key) : 0; };
            std::printf ("  component %3d  native %s  offline %s  %s -> %s\n", index,
                         fourChars (uint32_t (value (AAX_eProperty_PlugInID_Native))).c_str(),
                         fourChars (uint32_t (value (AAX_eProperty_PlugInID_AudioSuite))).c_str(),
                         stemFormatName (value (AAX_eProperty_InputStemFormat)).c_str(),
                         stemFormatName (value (AAX_eProperty_OutputStemFormat)).c_str());
        }

        ++index;
    }
}

void printParameters (ModuleInstance& instance)
{
    const auto parameters = instance.listParameters();
    std::printf ("parameters %zu\n", parameters.size());

    for (const auto& p : parameters)
        std::printf ("  %-16s %-24s %-10s %.4f\n", p.id.c_str(), p.name.c_str(), p.value.c_str(), p.normalized);
}

bool chunkRoundTrip (LoadedModule& module, HostEffectDescriptor& effect)
{
    ModuleInstance first (module, effect), second (module, effect);
    const auto parameters = first.listParameters();

    for (size_t i = 1; i < parameters.size(); i += 3)
        first.automate (parameters[i].id.c_str(), 0.25 + 0.5 * double (i) / double (parameters.size()));

    module.runMessageLoopFor (200);
    std::vector<std::vector<char>> records, again;

    if (first.saveChunks (records) != AAX_SUCCESS || second.restoreChunks (records) != AAX_SUCCESS)
    {
        std::printf ("chunk round trip failed\n");
        return false;
    }

    module.runMessageLoopFor (200);

    for (const auto& record : records)
    {
        const auto* chunk = reinterpret_cast<const AAX_SPlugInChunk*> (record.data());
        std::printf ("chunk      %s  %d bytes\n", fourChars (chunk->fChunkID).c_str(), chunk->fSize);
    }

    second.saveChunks (again);
    const bool same = again == records;
    std::printf ("restored into a second instance: %s\n", same ? "identical" : "DIFFERENT");
    return same;
}

/** The end-to-end road: automation to the unit, a unit change back to the host, the window. With an echo
    delay the host echoes every set request that much later on the setup's thread, as a real host does on
    its own. */
bool session (LoadedModule& module, HostEffectDescriptor& effect, vqsim::VirtualMidiSetup& setup,
              std::optional<std::chrono::milliseconds> echoDelay)
{
    vqsim::SimulatedUnit unit (setup, 17);
    unit.plugIn();
    std::printf ("unit 17 plugged in\n");

    ModuleInstance instance (module, effect);

    if (echoDelay.has_value())
    {
        instance.host().automation().later = [&setup] (auto delay, auto echo)
        { setup.runAfter (delay, std::move (echo)); };
        instance.host().automation().echoDelay = *echoDelay;
        std::printf ("host echoes each set request %lld ms later on its own thread\n", (long long) echoDelay->count());
    }

    const auto parameters = instance.listParameters();
    const bool connected = module.runMessageLoopUntil (
        5000, [&] { return unit.getTraffic (vqsim::SimulatedUnit::Direction::toUnit).size() > 2; });

    std::printf ("instance connected to the unit: %s\n", connected ? "yes" : "no");
    module.runMessageLoopFor (700);

    const auto& gain = parameters.at (3);
    unit.clearTraffic();
    instance.automate (gain.id.c_str(), 0.75);
    const bool sent = module.runMessageLoopUntil (
        2000, [&] { return ! unit.getTraffic (vqsim::SimulatedUnit::Direction::toUnit).empty(); });
    std::printf (
        "host automates %s (%s) to 0.75: %s\n", gain.id.c_str(), gain.name.c_str(),
        sent ? ("the unit receives " + hex (unit.getTraffic (vqsim::SimulatedUnit::Direction::toUnit).front())).c_str()
             : "NOTHING reached the unit");

    auto& log = instance.host().log;
    log.clear();
    unit.turnControl (Protocol::eq1Frequency, 200);
    // Linked channels move both channel's knobs: each comes back inside its own gesture.
    const auto calls = [&] (const char* call) { return log.matching (std::string ("automation.") + call).size(); };
    const bool released = module.runMessageLoopUntil (
        3000,
        [&] { return calls ("PostReleaseRequest") > 0 && calls ("PostReleaseRequest") == calls ("PostTouchRequest"); });

    // The heading waits for the gestures to close, so that its counts and the calls below it are the step's all.
    std::printf ("unit turns eq1-freq: touch %zu, value %zu, release %zu\n", calls ("PostTouchRequest"),
                 calls ("PostSetValueRequest"), calls ("PostReleaseRequest"));

    for (const auto& entry : log.matching ("automation.Post"))
        std::printf ("  host sees %s\n", entry.c_str() + std::strlen ("automation."));

    // The engineer's turn: nothing of it comes back to the unit, however late the host echoes.
    unit.clearTraffic();

    for (int k = 0; k < 50; ++k)
        unit.performAfter (std::chrono::milliseconds (10 * k),
                           [k] (auto& u) { u.turnControl (Protocol::eq1Gain, 10 + 2 * k); });

    module.runMessageLoopFor (500 + int (echoDelay.value_or (std::chrono::milliseconds (0)).count()) + 100);
    std::printf ("unit turns eq1-gain through 50 values 10 ms apart: %zu messages come back to it\n",
                 unit.getTraffic (vqsim::SimulatedUnit::Direction::toUnit).size());

    std::vector<std::vector<float>> in { std::vector<float> (64, 0.5f), std::vector<float> (64, -0.5f) };
    auto out = in;
    out[0].assign (64, 0.0f);
    out[1].assign (64, 0.0f);
    const bool processed = instance.process (in, out) && out == in;
    std::printf ("process call of the stereo component, 64 frames: %s\n",
                 processed ? "audio passed through unchanged" : "FAILED");

    const bool chunks = chunkRoundTrip (module, effect);
    const auto opened = instance.openWindow();
    module.runMessageLoopFor (200);
    AAX_Point size { 0.0f, 0.0f };
    instance.view()->GetViewSize (&size);
    std::printf ("window opened without a display: result %d, view %g x %g\n", opened, double (size.horz),
                 double (size.vert));
    std::printf ("window closed: result %d\n", instance.closeWindow());

    // No echo comes once the instance is gone.
    setup.flushScheduled();
    return connected && sent && released && processed && chunks && opened == AAX_SUCCESS;
}
} // namespace

int main (int argc, char** argv)
{
    const auto wrongCommandLine = [] (const std::string& problem)
    {
        std::fprintf (stderr, "aax_host: %s\n", problem.c_str());
        std::fprintf (stderr, "usage: aax_host MODULE [--feature mono,stereo] [--list] [--chunk-roundtrip] [--session] "
                              "[--echo-delay MS]\n");
        return 2;
    };

    // The module's MIDI layer finds this setup: the process holds one.
    vqsim::VirtualMidiSetup setup;
    Host host;
    bool list = false, roundTrip = false, runSession = false;
    const char* modulePath = nullptr;
    std::optional<std::chrono::milliseconds> echoDelay;

    // The options come before or after the module, in any order.
    for (int i = 1; i < argc; ++i)
    {
        const std::string option (argv[i]);

        if (option.rfind ("-", 0) != 0)
        {
            if (modulePath != nullptr)
                return wrongCommandLine ("a second module path, " + option + " (after " + modulePath +
                                         "): one module at a time");

            modulePath = argv[i];
            continue;
        }

        if (option == "--feature")
        {
            if (i + 1 == argc)
            {
                std::fprintf (stderr, "aax_host: --feature needs a value, the stem formats (such as mono,stereo)\n");
                return 2;
            }

            if (! setFeatures (host, argv[++i]))
                return 2;
        }
        else if (option == "--list")
            list = true;
        else if (option == "--chunk-roundtrip")
            roundTrip = true;
        else if (option == "--session")
            runSession = true;
        else if (option == "--echo-delay")
        {
            char* end = nullptr;
            const auto ms = i + 1 < argc ? std::strtol (argv[i + 1], &end, 10) : -1;

            if (i + 1 == argc || end == argv[i + 1] || *end != '\0' || ms < 0 || ms > 10000)
            {
                std::fprintf (stderr, "aax_host: --echo-delay needs a value, milliseconds from 0 to 10000\n");
                return 2;
            }

            echoDelay = std::chrono::milliseconds (ms);
            ++i;
        }
        else
        {
            std::fprintf (stderr, "aax_host: unknown option %s\n", option.c_str());
            return 2;
        }
    }

    if (modulePath == nullptr)
        return wrongCommandLine ("no module named (a bundle folder or its binary)");

    bool ok = true;
    {
        LoadedModule module (modulePath);

        if (! module.error().empty())
        {
            std::fprintf (stderr, "aax_host: %s\n", module.error().c_str());
            return 1;
        }

        const auto result = [&]
        {
            const RepeatsSaidOnce registration;
            return module.start (host);
        }();

        if (result != ACF_OK || module.effect() == nullptr)
        {
            std::fprintf (stderr, "aax_host: registration failed with %d\n", int (result));
            return 1;
        }

        auto& effect = *module.effect();
        printIdentity (module);

        if (list)
        {
            printComponents (effect);
            ModuleInstance instance (module, effect);
            printParameters (instance);
        }

        if (roundTrip)
            ok = chunkRoundTrip (module, effect) && ok;

        if (runSession)
            ok = session (module, effect, setup, echoDelay) && ok;

        // What the module still holds goes with its pending messages.
        module.runMessageLoopUntil (2000, [&] { return module.canUnloadNow() == ACF_OK; });
        module.stop();
        std::printf ("can unload: %s\n", module.canUnloadNow() == ACF_OK ? "yes" : "no");
        ok = module.unload() && ok;
    }

    const auto held = host.heldReferences();

    for (const auto& h : held)
        std::printf ("host reference still held: %s\n", h.c_str());

    return ok && held.empty() ? 0 : 1;
}
