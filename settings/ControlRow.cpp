#include "settings/ControlRow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>
#include <array>
#include <cmath>

namespace vanemark {

using settings::AxisBinding;
using settings::HandControl;
using settings::HandOrigin;

namespace {

// The rows' texts belong to the page that shows them.
constexpr std::array<const char*, settings::kHandControlCount> kNames = {
    QT_TRANSLATE_NOOP("vanemark::CControlsPage", "Stick X"),
    QT_TRANSLATE_NOOP("vanemark::CControlsPage", "Stick Y"),
    QT_TRANSLATE_NOOP("vanemark::CControlsPage", "Rudder"),
    QT_TRANSLATE_NOOP("vanemark::CControlsPage", "Power"),
    QT_TRANSLATE_NOOP("vanemark::CControlsPage", "Propeller pitch"),
    QT_TRANSLATE_NOOP("vanemark::CControlsPage", "Brakes"),
    QT_TRANSLATE_NOOP("vanemark::CControlsPage", "Aileron trim"),
    QT_TRANSLATE_NOOP("vanemark::CControlsPage", "Elevator trim"),
    QT_TRANSLATE_NOOP("vanemark::CControlsPage", "Rudder trim"),
};

// A device name longer than this is cut in the list rather than widening the
// dialog, which would otherwise jump each time such a device is plugged in.
constexpr int kListChars = 28;

bool SameAxis(const AxisBinding& a, const AxisBinding& b)
{
    return a.device == b.device && a.axis == b.axis;
}

QString WidgetName(HandControl control, const char* part)
{
    return QString::fromLatin1(settings::HandControlKeyName(control)) + QLatin1Char(' ') + QLatin1String(part);
}

} // namespace

ControlRow::ControlRow(QWidget& page, QGridLayout& grid, int row, HandControl controlShown) : control(controlShown)
{
    auto* nameLabel = new QLabel(Name(), &page);

    axisList = new QComboBox(&page);
    axisList->setObjectName(WidgetName(control, "axis"));
    axisList->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    axisList->setMinimumContentsLength(kListChars);
    nameLabel->setBuddy(axisList);

    invertCheck = new QCheckBox(QCoreApplication::translate("vanemark::CControlsPage", "Invert"), &page);
    invertCheck->setObjectName(WidgetName(control, "invert"));

    learnButton = new QPushButton(QCoreApplication::translate("vanemark::CControlsPage", "Learn"), &page);
    learnButton->setObjectName(WidgetName(control, "learn"));
    learnButton->setAutoDefault(false);
    learnButton->setToolTip(QCoreApplication::translate(
        "vanemark::CControlsPage", "Move the control now: the axis that moves furthest within 3 seconds is bound."));

    positionBar = new QProgressBar(&page);
    positionBar->setObjectName(WidgetName(control, "position"));
    positionBar->setRange(-kBarSteps, kBarSteps);
    positionBar->setTextVisible(false);
    positionBar->setMaximumWidth(page.fontMetrics().averageCharWidth() * 12);

    originList = new QComboBox(&page);
    originList->setObjectName(WidgetName(control, "from"));
    originList->addItem(QCoreApplication::translate("vanemark::CControlsPage", "Simulator"),
                        static_cast<int>(HandOrigin::Simulator));
    originList->addItem(QCoreApplication::translate("vanemark::CControlsPage", "Joystick"),
                        static_cast<int>(HandOrigin::Joystick));
    originList->addItem(QCoreApplication::translate("vanemark::CControlsPage", "Both"),
                        static_cast<int>(HandOrigin::Both));

    grid.addWidget(nameLabel, row, 0);
    grid.addWidget(axisList, row, 1);
    grid.addWidget(invertCheck, row, 2);
    grid.addWidget(learnButton, row, 3);
    grid.addWidget(positionBar, row, 4);
    grid.addWidget(originList, row, 5);

    QObject::connect(axisList, &QComboBox::currentIndexChanged, axisList, [this] { ChoiceChanged(); });
    Relist(AxisBinding{});
}

QString ControlRow::Name() const
{
    return QCoreApplication::translate("vanemark::CControlsPage", kNames[static_cast<std::size_t>(control)]);
}

QString ControlRow::AxisText(const AxisBinding& axis, bool connected)
{
    if (!axis.Bound()) {
        return QCoreApplication::translate("vanemark::CControlsPage", "None");
    }
    const QString name = QString::fromStdString(axis.device.name);
    return connected ? QCoreApplication::translate("vanemark::CControlsPage", "%1, axis %2").arg(name).arg(axis.axis)
                     : QCoreApplication::translate("vanemark::CControlsPage", "%1, axis %2 (not connected)")
                           .arg(name)
                           .arg(axis.axis);
}

AxisBinding ControlRow::Binding() const
{
    const int index = axisList->currentIndex();
    AxisBinding binding = index > 0 ? choices[static_cast<std::size_t>(index)] : AxisBinding{};
    binding.invert = binding.Bound() && invertCheck->isChecked();
    return binding;
}

void ControlRow::SetBinding(const AxisBinding& binding)
{
    invertCheck->setChecked(binding.invert);
    SetAxis(binding);
}

void ControlRow::SetAxis(const AxisBinding& axis)
{
    Relist(axis);
}

HandOrigin ControlRow::Origin() const
{
    return static_cast<HandOrigin>(originList->currentData().toInt());
}

void ControlRow::SetOrigin(HandOrigin origin)
{
    originList->setCurrentIndex(originList->findData(static_cast<int>(origin)));
}

void ControlRow::ListDevices(const std::vector<JoystickInfo>& attached)
{
    devices = attached;
    Relist(Binding());
}

void ControlRow::Relist(const AxisBinding& keep)
{
    choices.assign(1, AxisBinding{});
    std::vector<QString> texts{AxisText(AxisBinding{}, false)};
    for (const JoystickInfo& device : devices) {
        // Two devices alike read as the first of them.
        const bool seen = std::any_of(choices.begin(), choices.end(),
                                      [&](const AxisBinding& choice) { return choice.device == device.id; });
        for (std::int32_t axis = 0; axis < device.axes && !seen; ++axis) {
            choices.push_back(AxisBinding{device.id, axis, false});
            texts.push_back(AxisText(choices.back(), true));
        }
    }
    auto kept = keep.Bound() ? std::find_if(choices.begin(), choices.end(),
                                            [&](const AxisBinding& choice) { return SameAxis(choice, keep); })
                             : choices.begin();
    if (kept == choices.end()) {
        choices.push_back(AxisBinding{keep.device, keep.axis, false});
        texts.push_back(AxisText(keep, false));
        kept = choices.end() - 1;
    }

    const QSignalBlocker quiet(axisList);
    axisList->clear();
    for (const QString& text : texts) {
        axisList->addItem(text);
    }
    axisList->setCurrentIndex(static_cast<int>(kept - choices.begin()));
    ChoiceChanged();
}

void ControlRow::ChoiceChanged()
{
    invertCheck->setEnabled(axisList->currentIndex() > 0);
    axisList->setToolTip(axisList->currentText());
}

void ControlRow::ShowPosition(const JoystickSource* source)
{
    const AxisBinding binding = Binding();
    const std::optional<std::int16_t> raw =
        source != nullptr && binding.Bound() ? source->Axis(binding.device, binding.axis) : std::nullopt;
    positionBar->setEnabled(raw.has_value());
    if (!raw) {
        positionBar->reset();
        return;
    }
    positionBar->setValue(static_cast<int>(std::lround(AxisValue(*raw, binding.invert) * kBarSteps)));
}

} // namespace vanemark
