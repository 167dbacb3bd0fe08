#include "config/SimulatorSetting.h"

#include "config/ServerSetting.h"
#include "config/SettingsSchema.h"
#include "core/ProfileFile.h"

#include <algorithm>
#include <cctype>

namespace vanemark::settings {

namespace {

bool SameWord(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

std::int32_t ReadPort(ProfileFile& settings, std::string_view key, std::int32_t fallback)
{
    const std::int32_t port = settings.GetInt(kSection, key, fallback);
    return port >= kPortMin && port <= kPortMax ? port : fallback;
}

std::string ReadHost(ProfileFile& settings, std::string_view key, const std::string& fallback)
{
    std::string host = settings.GetString(kSection, key, fallback, kServerTextBuffer);
    return host.empty() ? fallback : host;
}

} // namespace

Simulator ParseSimulator(std::string_view word)
{
    const auto* found =
        std::ranges::find_if(kSimulatorWords, [word](std::string_view known) { return SameWord(known, word); });
    return found == kSimulatorWords.end() ? Simulator::DeviceLink
                                          : static_cast<Simulator>(found - kSimulatorWords.begin());
}

std::string_view SimulatorWord(Simulator simulator)
{
    return kSimulatorWords[static_cast<std::size_t>(simulator)];
}

SimulatorSetting ReadSimulatorSetting(ProfileFile& settings)
{
    const SimulatorSetting defaults;
    SimulatorSetting read;
    read.simulator = ParseSimulator(
        settings.GetString(kSection, kSimulatorKey, SimulatorWord(defaults.simulator), kPreWindowTextBuffer));
    read.il2gbPort = ReadPort(settings, kIl2gbPortKey, defaults.il2gbPort);
    read.flightGearPort = ReadPort(settings, kFlightGearPortKey, defaults.flightGearPort);
    read.xplaneHost = ReadHost(settings, kXPlaneHostKey, defaults.xplaneHost);
    read.xplanePort = ReadPort(settings, kXPlanePortKey, defaults.xplanePort);
    read.warThunderHost = ReadHost(settings, kWarThunderHostKey, defaults.warThunderHost);
    read.warThunderPort = ReadPort(settings, kWarThunderPortKey, defaults.warThunderPort);
    return read;
}

} // namespace vanemark::settings
