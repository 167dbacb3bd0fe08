#include "app/JoystickFeed.h"

#include "joystick/SdlJoysticks.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>
#include <cmath>

namespace vanemark {

namespace {

using settings::HandOrigin;

// The shown value each control stands for, in HandControl's order.
constexpr auto kShownOf =
    std::to_array<Shown>({Shown::StickX, Shown::StickY, Shown::Rudder, Shown::Power, Shown::Prop, Shown::Brakes,
                          Shown::AileronTrim, Shown::ElevatorTrim, Shown::RudderTrim});
static_assert(kShownOf.size() == settings::kHandControlCount);

double* MarkSlot(HandMarks& marks, Shown shows)
{
    switch (shows) {
    case Shown::StickX:
        return &marks.stickX;
    case Shown::StickY:
        return &marks.stickY;
    case Shown::Power:
        return &marks.bars[PowerBar];
    case Shown::Prop:
        return &marks.bars[PropBar];
    case Shown::Rudder:
        return &marks.bars[RudderBar];
    case Shown::Brakes:
        return &marks.bars[BrakesBar];
    case Shown::AileronTrim:
        return &marks.bars[ATrimBar];
    case Shown::ElevatorTrim:
        return &marks.bars[ETrimBar];
    case Shown::RudderTrim:
        return &marks.bars[RTrimBar];
    default:
        return nullptr;
    }
}

} // namespace

JoystickFeed::JoystickFeed() = default;
JoystickFeed::~JoystickFeed() = default;

void JoystickFeed::SetBindings(const settings::HandBindings& hands)
{
    bindings = hands;
    missing.clear();
    if (!bindings.AnyBound()) {
        source.reset();
        startError.clear();
        return;
    }
    if (source == nullptr) {
        startError.clear();
        source = SdlJoysticks::Open(&startError);
    }
}

void JoystickFeed::Fill(Frame& frame, std::uint32_t /*msSincePreviousCycle*/)
{
    frame.hand = Frame::NoHand();
    frame.marks = HandMarks{};
    if (source == nullptr) {
        return;
    }
    source->Update();
    missing.clear();
    for (std::size_t i = 0; i < settings::kHandControlCount; ++i) {
        const settings::AxisBinding& axis = bindings.axes[i];
        if (!axis.Bound()) {
            continue;
        }
        const std::optional<std::int16_t> raw = source->Axis(axis.device, axis.axis);
        if (!raw && std::find(missing.begin(), missing.end(), axis.device.name) == missing.end()) {
            missing.push_back(axis.device.name);
        }
        // A device that is away is a hand nobody can see: absent, as a lost link's values are.
        const double hand = raw ? AxisValue(*raw, axis.invert) : Frame::kNoHand;
        frame.hand[i] = hand;
        // A hand on a connected stick is worth showing and recording, link or not.
        frame.live = frame.live || raw.has_value();
        const Shown shows = kShownOf[i];
        const auto slot = static_cast<std::size_t>(shows);
        double* value = Slot(frame.values, shows);
        const bool simulatorSays = frame.sources[slot] != FrameSource::None && std::isfinite(*value);
        switch (bindings.origins[i]) {
        case HandOrigin::Simulator:
            break;
        case HandOrigin::Both:
            if (simulatorSays) {
                if (bindings.showMarks) {
                    *MarkSlot(frame.marks, shows) = hand;
                }
                break;
            }
            [[fallthrough]];
        case HandOrigin::Joystick:
            *value = hand;
            frame.sources[slot] = raw ? FrameSource::Joystick : FrameSource::None;
            break;
        }
    }
}

QString JoystickFeed::StatusText() const
{
    if (!bindings.AnyBound()) {
        return {};
    }
    if (source == nullptr) {
        return QCoreApplication::translate("LinkStatus", "Joysticks cannot be read: %1")
            .arg(QString::fromStdString(startError));
    }
    if (missing.empty()) {
        return QCoreApplication::translate("LinkStatus", "Joysticks: every bound device connected");
    }
    QStringList names;
    for (const std::string& name : missing) {
        names << QString::fromStdString(name);
    }
    return QCoreApplication::translate("LinkStatus", "Joystick not connected: %1")
        .arg(names.join(QStringLiteral(", ")));
}

} // namespace vanemark
