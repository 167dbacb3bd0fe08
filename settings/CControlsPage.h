#pragma once

#include "config/HandBindings.h"
#include "joystick/AxisLearner.h"
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

class ControlRow;
class SettingsHost;

// Which joystick axis stands for each control the pilot's hand moves, and
// whether the panel shows the simulator's value, the hand's or both. While
// the page is on screen it reads the joysticks itself, for the live
// positions, hot-plugging and "Learn"; hidden, it lets go of them. "Apply"
// stores the bindings in section "settings" and hands them to the window.
class CControlsPage : public CSettingsPage {
    Q_OBJECT

public:
    CControlsPage(SettingsHost& owner, std::string settingsPath, QWidget* parent = nullptr);
    ~CControlsPage() override;

    bool OnInitDialog() override;

protected:
    void OnOK() override;

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void StartReading();
    void StopReading();
    void Poll();

    void StartLearning(std::size_t row);
    void FinishLearning();
    void StopLearning();

    void FillControls(const settings::HandBindings& hands);
    settings::HandBindings ReadControls() const;
    void ShowStatus();

    SettingsHost& owner;
    std::string settingsPath;

    std::unique_ptr<JoystickSource> source;
    // Why the joysticks cannot be read; empty while they can or before the first try.
    QString sourceError;
    std::vector<JoystickInfo> devices;
    QTimer pollTimer;

    std::optional<AxisLearner> learner;
    std::size_t learningRow = 0;
    QElapsedTimer learnClock;
    // What the last "Learn" came to, until the next one.
    QString learnResult;

    std::vector<std::unique_ptr<ControlRow>> rows;
    QLabel* statusLabel = nullptr;
};

} // namespace vanemark
