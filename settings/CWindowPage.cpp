#include "settings/CWindowPage.h"

#include "config/SettingsFile.h"
#include "config/SettingsSchema.h"
#include "core/ProfileEdit.h"
#include "settings/SaveFailure.h"
#include "settings/SettingsHost.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vanemark {

using settings::SpeedUnit;

CWindowPage::CWindowPage(SettingsHost& pageOwner, std::string path, QWidget* parent)
    : CSettingsPage(parent), owner(pageOwner), settingsPath(std::move(path))
{
}

bool CWindowPage::OnInitDialog()
{
    CSettingsPage::OnInitDialog();

    scaleSpin = new QSpinBox(this);
    scaleSpin->setObjectName(QStringLiteral("scale"));
    scaleSpin->setRange(settings::kScaleMin, settings::kScaleMax);
    scaleSpin->setSuffix(tr(" x"));
    scaleSpin->setToolTip(tr("Every panel pixel is shown as a square of this many screen pixels."));

    opacitySpin = new QSpinBox(this);
    opacitySpin->setObjectName(QStringLiteral("opacity"));
    opacitySpin->setRange(settings::kOpacityMin, settings::kOpacityMax);
    opacitySpin->setSingleStep(10);
    opacitySpin->setSuffix(tr(" %"));
    opacitySpin->setToolTip(
        tr("How opaque the whole window is. Needs a desktop with a compositor; without one the window stays opaque."));

    unitList = new QComboBox(this);
    unitList->setObjectName(QStringLiteral("speedUnit"));
    unitList->addItem(tr("km/h"), static_cast<int>(SpeedUnit::Kmh));
    unitList->addItem(tr("mph"), static_cast<int>(SpeedUnit::Mph));
    unitList->addItem(tr("knots"), static_cast<int>(SpeedUnit::Kts));

    hideIdleCheck = new QCheckBox(tr("Hide when not flying"), this);
    hideIdleCheck->setObjectName(QStringLiteral("hideIdle"));
    if (owner.TrayAvailable()) {
        hideIdleCheck->setToolTip(tr("While the simulator does not answer, only the tray icon shows. Never in demo "
                                     "mode."));
    } else {
        // Hidden, the window could only come back through the tray icon.
        hideIdleCheck->setEnabled(false);
        hideIdleCheck->setToolTip(tr("This desktop has no system tray to bring a hidden window back."));
    }

    auto* form = new QFormLayout;
    form->addRow(tr("Scale:"), scaleSpin);
    form->addRow(tr("Opacity:"), opacitySpin);
    form->addRow(tr("Speed unit:"), unitList);
    form->addRow(hideIdleCheck);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(form);
    layout->addStretch(1);
    AddButtonRow(*layout);

    FillControls(owner.Overlay());
    return true;
}

void CWindowPage::FillControls(const settings::OverlaySettings& overlay)
{
    scaleSpin->setValue(overlay.scale);
    opacitySpin->setValue(overlay.opacity);
    unitList->setCurrentIndex(unitList->findData(static_cast<int>(overlay.speedUnit)));
    hideIdleCheck->setChecked(overlay.hideIdle);
}

void CWindowPage::OnOK()
{
    // The spin boxes hold their own ranges, so nothing here can be refused.
    settings::OverlaySettings overlay;
    overlay.scale = scaleSpin->value();
    overlay.opacity = opacitySpin->value();
    overlay.speedUnit = static_cast<SpeedUnit>(unitList->currentData().toInt());
    overlay.hideIdle = hideIdleCheck->isChecked();

    ProfileFile file = settings::OpenSettings(settingsPath);
    ProfileEdit edit(file);
    settings::WriteOverlaySettings(edit, overlay);
    const int saved = edit.Commit();

    // The running window takes the values whether or not they could be stored.
    owner.SetOverlay(overlay);
    FillControls(owner.Overlay());
    if (saved != 0) {
        ShowSaveFailure(this, settingsPath, edit.Error());
    }
}

} // namespace vanemark
