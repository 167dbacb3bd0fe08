#pragma once

#include "config/CommandBindings.h"
#include "joystick/ButtonLearner.h"
#include "joystick/JoystickSource.h"
#include "settings/CSettingsPage.h"

#include <QElapsedTimer>
#include <QString>
#include <QTimer>

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QLabel;

namespace vanemark {

class CommandRow;
class SettingsHost;

// The commands the pilot runs without the mouse, each from a key
// combination that works while the game has the focus and from a joystick
// button. "Learn" on a button reads the joysticks until one is pressed.
// The page says which combinations another program holds, and when the
// desktop offers no global hotkeys at all. "Apply" stores the bindings in
// section "settings" and has the window bind them at once.
class CCommandsPage : public CSettingsPage {
    Q_OBJECT

public:
    CCommandsPage(SettingsHost& owner, std::string settingsPath, QWidget* parent = nullptr);
    ~CCommandsPage() override;

    bool OnInitDialog() override;

protected:
    void OnOK() override;
    void hideEvent(QHideEvent* event) override;

private:
    void StartLearning(std::size_t row);
    void PollLearning();
    void StopLearning();

    void FillControls(const settings::CommandBindings& bindings);
    settings::CommandBindings ReadControls() const;
    void ShowStatus();

    SettingsHost& owner;
    std::string settingsPath;

    std::vector<std::unique_ptr<CommandRow>> rows;
    QLabel* problemsLabel = nullptr;
    QLabel* statusLabel = nullptr;

    // Only while "Learn" waits for a button.
    std::unique_ptr<JoystickSource> source;
    std::optional<ButtonLearner> learner;
    std::size_t learningRow = 0;
    QElapsedTimer learnClock;
    QTimer pollTimer;
    // What the last "Learn" came to, until the next one.
    QString learnResult;
};

} // namespace vanemark
