#include "app/CommandInput.h"

#include "hotkeys/GlobalHotkeys.h"
#include "joystick/ButtonPresses.h"
#include "joystick/SdlJoysticks.h"

#include <QKeySequence>

#include <vector>

namespace vanemark {

using settings::Command;
using settings::kCommandCount;

CommandInput::CommandInput(std::function<void(Command)> runCommand, QObject* parent)
    : QObject(parent), run(std::move(runCommand))
{
    buttonTimer.setInterval(kButtonPollMs);
    connect(&buttonTimer, &QTimer::timeout, this, &CommandInput::PollButtons);
}

CommandInput::~CommandInput() = default;

GlobalHotkeys& CommandInput::Hotkeys()
{
    if (!hotkeys) {
        hotkeys = GlobalHotkeys::ForDesktop();
        // Queued: a command may remake the window's native handle, which is
        // no thing to do inside the desktop's own event delivery.
        connect(
            hotkeys.get(), &GlobalHotkeys::activated, this,
            [this](int id) {
                if (id >= 0 && static_cast<std::size_t>(id) < kCommandCount) {
                    run(static_cast<Command>(id));
                }
            },
            Qt::QueuedConnection);
    }
    return *hotkeys;
}

QString CommandInput::HotkeysUnavailable()
{
    return Hotkeys().Unavailable();
}

void CommandInput::Apply(const settings::CommandBindings& bindingsNow)
{
    const bool keysChanged = bindingsNow.hotkeys != bindings.hotkeys || !hotkeys;
    bindings = bindingsNow;
    if (keysChanged) {
        BindHotkeys();
    }

    buttonTimer.stop();
    presses.reset();
    buttonsError.clear();
    if (!bindings.AnyButton()) {
        joysticks.reset();
        return;
    }
    if (!joysticks) {
        std::string error;
        joysticks = SdlJoysticks::Open(&error);
        buttonsError = QString::fromStdString(error);
    }
    if (joysticks) {
        presses = std::make_unique<ButtonPresses>(
            std::vector<settings::ButtonBinding>(bindings.buttons.begin(), bindings.buttons.end()));
        joysticks->Update();
        presses->Watch(*joysticks);
        buttonTimer.start();
    }
}

void CommandInput::BindHotkeys()
{
    problems.fill(QString());
    std::vector<Hotkey> wanted;
    std::vector<QString> names;
    for (std::size_t i = 0; i < kCommandCount; ++i) {
        if (bindings.hotkeys[i].empty()) {
            continue;
        }
        const QKeySequence keys =
            QKeySequence::fromString(QString::fromStdString(bindings.hotkeys[i]), QKeySequence::PortableText);
        if (keys.isEmpty()) {
            problems[i] = tr("%1 is not a key combination").arg(QString::fromStdString(bindings.hotkeys[i]));
            continue;
        }
        wanted.push_back({static_cast<int>(i), keys[0]});
        names.push_back(QKeySequence(keys[0]).toString(QKeySequence::NativeText));
    }
    // A desktop is asked for hotkeys only once someone binds one.
    if (wanted.empty() && !hotkeys) {
        return;
    }
    const std::vector<HotkeyState> states = Hotkeys().Replace(wanted);
    for (std::size_t k = 0; k < wanted.size() && k < states.size(); ++k) {
        QString& problem = problems[static_cast<std::size_t>(wanted[k].id)];
        switch (states[k]) {
        case HotkeyState::Bound:
            break;
        case HotkeyState::Taken:
            problem = tr("%1 is taken").arg(names[k]);
            break;
        case HotkeyState::Unsupported:
            problem = tr("%1 cannot be bound on this desktop").arg(names[k]);
            break;
        case HotkeyState::Unavailable:
            problem = hotkeys->Unavailable();
            break;
        }
    }
}

void CommandInput::PollButtons()
{
    joysticks->Update();
    for (const std::size_t pressed : presses->Watch(*joysticks)) {
        run(static_cast<Command>(pressed));
    }
}

} // namespace vanemark
