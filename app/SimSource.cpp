#include "app/SimSource.h"

#include "settings/SimulatorName.h"

#include <cstdio>
#include <string>

namespace vanemark {

bool SimSource::Answering() const
{
    return everHeard && std::chrono::steady_clock::now() - lastHeard < kSilence;
}

void SimSource::Count(Verdict verdict)
{
    ++counts[static_cast<std::size_t>(verdict)];
    if (verdict == Verdict::Taken || verdict == Verdict::BadValue) {
        lastHeard = std::chrono::steady_clock::now();
        everHeard = true;
        Q_EMIT heard();
    }
}

void SimSource::Forget()
{
    latest = SimReading{};
    everHeard = false;
}

void SimSource::ReportDrops()
{
    std::string line;
    for (std::size_t i = 1; i < kVerdictCount; ++i) {
        if (counts[i] != reported[i]) {
            line.append(line.empty() ? "" : ", ")
                .append(std::to_string(counts[i] - reported[i]))
                .append(" ")
                .append(VerdictName(static_cast<Verdict>(i)));
            reported[i] = counts[i];
        }
    }
    if (verbose && !line.empty()) {
        std::fprintf(stderr, "vanemark: %s: dropped or blanked %s\n", Name(which).toLocal8Bit().constData(),
                     line.c_str());
    }
}

QString SimSource::Name(settings::Simulator which)
{
    return SimulatorName(which);
}

} // namespace vanemark
