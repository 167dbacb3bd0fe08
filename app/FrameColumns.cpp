#include "app/FrameColumns.h"

#include "app/LinkKeys.h"
#include "config/HandBindings.h"

#include <algorithm>
#include <array>

namespace vanemark {

// The frame's hand goes into the hand columns as it stands, control for
// control; both follow the order of settings::HandControl.
static_assert(kFlightHandColumns.size() == settings::kHandControlCount);

namespace {

// The shown value each column holds, by the DeviceLink id both name.
std::array<Shown, kFlightValueColumns.size()> ColumnSources()
{
    std::array<Shown, kFlightValueColumns.size()> sources{};
    for (std::size_t i = 0; i < kFlightValueColumns.size(); ++i) {
        const auto* key = std::find_if(kSubscribedKeys.begin(), kSubscribedKeys.end(),
                                       [&](const LinkKey& k) { return k.id == kFlightValueColumns[i].id; });
        sources[i] = key != kSubscribedKeys.end() ? key->shows : Shown::Nothing;
    }
    return sources;
}

} // namespace

FlightValues ColumnValues(const Frame& frame)
{
    static const auto sources = ColumnSources();
    PanelValues source = frame.values;
    FlightValues row{};
    for (std::size_t i = 0; i < row.size(); ++i) {
        const double* value = Slot(source, sources[i]);
        row[i] = value != nullptr ? *value : 0.0;
    }
    return row;
}

} // namespace vanemark
