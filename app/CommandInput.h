#pragma once

#include "config/CommandBindings.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>
#include <optional>

namespace vanemark {

class ButtonPresses;
class GlobalHotkeys;
class JoystickSource;

// Where the commands come from when the mouse is out of reach: the key
// combinations the desktop hands over while the game has the focus, and the
// joystick buttons, read every few milliseconds while any is bound. Neither
// takes anything from the game: a button is only read, and only the bound
// combinations are held back from other programs.
class CommandInput : public QObject {
    Q_OBJECT

public:
    // Short enough that no press of a hand falls between two looks.
    static constexpr int kButtonPollMs = 25;

    explicit CommandInput(std::function<void(settings::Command)> run, QObject* parent = nullptr);
    ~CommandInput() override;
    CommandInput(const CommandInput&) = delete;
    CommandInput& operator=(const CommandInput&) = delete;

    // Binds the combinations and starts or stops reading buttons. The
    // desktop's hotkeys are asked for the first time here, not before.
    void Apply(const settings::CommandBindings& bindingsNow);
    const settings::CommandBindings& Bindings() const { return bindings; }

    // Why each command's combination does not work ("Ctrl+Alt+H is taken");
    // empty where it works or none is bound.
    const std::array<QString, settings::kCommandCount>& Problems() const { return problems; }
    // Why this desktop has no global hotkeys at all; empty where it has them.
    QString HotkeysUnavailable();
    // Why the joysticks cannot be read, while a button is bound; else empty.
    const QString& ButtonsError() const { return buttonsError; }

private:
    GlobalHotkeys& Hotkeys();
    void BindHotkeys();
    void PollButtons();

    std::function<void(settings::Command)> run;
    settings::CommandBindings bindings;
    std::array<QString, settings::kCommandCount> problems;
    std::unique_ptr<GlobalHotkeys> hotkeys;
    std::unique_ptr<JoystickSource> joysticks;
    std::unique_ptr<ButtonPresses> presses;
    QString buttonsError;
    QTimer buttonTimer;
};

} // namespace vanemark
