#pragma once

#include "config/HandBindings.h"
#include "joystick/JoystickSource.h"

#include <QString>

#include <vector>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QProgressBar;
class QPushButton;
class QWidget;

namespace vanemark {

// The widgets of one control on the Controls page, one grid row: name, axis,
// "Invert", "Learn", the live position and where the panel takes the value
// from. Widgets are named after the control's key ("stick x axis", ...).
class ControlRow {
public:
    // Steps of the position bar either side of the centre.
    static constexpr int kBarSteps = 1000;

    ControlRow(QWidget& page, QGridLayout& grid, int row, settings::HandControl control);
    // The widgets' handlers hold on to the row.
    ControlRow(const ControlRow&) = delete;
    ControlRow& operator=(const ControlRow&) = delete;

    settings::HandControl Control() const { return control; }
    QString Name() const;
    QPushButton& LearnButton() const { return *learnButton; }

    // The axis the row shows; a bound device that is not attached stays listed.
    settings::AxisBinding Binding() const;
    // Shows the axis and its invert; the list gains the axis if it lacks it.
    void SetBinding(const settings::AxisBinding& binding);
    // Binds another axis, leaving "Invert" as the user set it.
    void SetAxis(const settings::AxisBinding& axis);

    settings::HandOrigin Origin() const;
    void SetOrigin(settings::HandOrigin origin);

    // Lists every axis of the devices, keeping the chosen one.
    void ListDevices(const std::vector<JoystickInfo>& attached);
    // The bound axis's position now, after invert; empty and grey without a
    // source, an axis or the device.
    void ShowPosition(const JoystickSource* source);

    // "NAME, axis N", and "(not connected)" after it when the device is away.
    static QString AxisText(const settings::AxisBinding& axis, bool connected);

private:
    void Relist(const settings::AxisBinding& keep);
    void ChoiceChanged();

    settings::HandControl control;
    std::vector<JoystickInfo> devices;
    // The axis of each entry of axisList; the first is "None".
    std::vector<settings::AxisBinding> choices;

    QComboBox* axisList = nullptr;
    QCheckBox* invertCheck = nullptr;
    QPushButton* learnButton = nullptr;
    QProgressBar* positionBar = nullptr;
    QComboBox* originList = nullptr;
};

} // namespace vanemark
