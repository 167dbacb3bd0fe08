#include "settings/CColorPage.h"

#include "config/SettingsFile.h"
#include "config/SettingsSchema.h"
#include "core/ProfileEdit.h"
#include "settings/CColourButton.h"
#include "settings/SaveFailure.h"
#include "settings/SettingsHost.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vanemark {

namespace {

constexpr std::array<const char*, PanelColours::RoleCount> kObjectNames{"background", "instruments", "flapsMarks",
                                                                        "pitchUp",    "pitchDown",   "stick"};

} // namespace

CColorPage::CColorPage(SettingsHost& pageOwner, std::string path, QWidget* parent)
    : CSettingsPage(parent), owner(pageOwner), settingsPath(std::move(path))
{
}

bool CColorPage::OnInitDialog()
{
    CSettingsPage::OnInitDialog();

    for (std::size_t i = 0; i < buttons.size(); ++i) {
        buttons[i] = new CColourButton(this);
        buttons[i]->setObjectName(QString::fromLatin1(kObjectNames[i]));
    }

    auto* group = new QGroupBox(tr("Colors:"), this);
    auto* grid = new QGridLayout(group);
    const auto addRow = [&](int row, const QString& text, QWidget* first, QWidget* second) {
        auto* label = new QLabel(text, group);
        label->setBuddy(first);
        grid->addWidget(label, row, 0, Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(first, row, 1);
        if (second) {
            grid->addWidget(second, row, 2);
        }
    };
    // "Backgound:" is the label users know from the dialog, spelling included.
    addRow(0, tr("Backgound:"), buttons[PanelColours::Background], nullptr);
    addRow(1, tr("Instruments:"), buttons[PanelColours::Instruments], nullptr);
    addRow(2, tr("Flaps positions:"), buttons[PanelColours::FlapsMarks], nullptr);
    addRow(3, tr("Pitch:"), buttons[PanelColours::PitchUp], buttons[PanelColours::PitchDown]);
    addRow(4, tr("Stick:"), buttons[PanelColours::Stick], nullptr);
    grid->setColumnStretch(3, 1);

    // The font row and the title check box exist but are never offered.
    auto* fontLabel = new QLabel(tr("Font:"), this);
    auto* fontNameLabel = new QLabel(tr(" Font Name"), this);
    fontNameLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* fontButton = new QPushButton(tr("..."), this);
    showTitleCheck = new QCheckBox(tr("Show window title"), this);
    showTitleCheck->setObjectName(QStringLiteral("showTitle"));
    for (QWidget* hidden : {static_cast<QWidget*>(fontLabel), static_cast<QWidget*>(fontNameLabel),
                            static_cast<QWidget*>(fontButton), static_cast<QWidget*>(showTitleCheck)}) {
        hidden->setEnabled(false);
        hidden->setVisible(false);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(group);
    layout->addStretch(1);
    AddButtonRow(*layout);

    fontName = owner.PanelFontName();
    fontSize = owner.PanelFontSize();
    const PanelColours colours = owner.Colours();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        buttons[i]->SetTrackSelection(true);
        buttons[i]->SetCustomColorsFile(std::string(settings::kCustomColoursFile));
        buttons[i]->SetColor(static_cast<std::uint32_t>(colours.colour[i]));
    }

    showTitle = settings::OpenSettings(settingsPath).GetInt(settings::kSection, settings::kShowTitleKey, 0) != 0;
    showTitleCheck->setChecked(showTitle);
    fontNameLabel->setText(QString::fromStdString(fontName));
    return true;
}

void CColorPage::OnOK()
{
    showTitle = showTitleCheck->isChecked();
    PanelColours colours;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        colours.colour[i] = static_cast<Colour>(buttons[i]->GetColor());
    }
    // The title key is written only when the state changes, as the window
    // does not read it at start-up.
    const bool titleChanges = owner.ShowTitle() != showTitle;

    ProfileFile file = settings::OpenSettings(settingsPath);
    ProfileEdit edit(file);
    settings::WriteColours(edit, colours);
    edit.Set(settings::kSection, settings::kFontNameKey, fontName);
    edit.SetInt(settings::kSection, settings::kFontSizeKey, fontSize);
    if (titleChanges) {
        edit.SetInt(settings::kSection, settings::kShowTitleKey, showTitle ? 1 : 0);
    }
    const int saved = edit.Commit();

    // The running window takes the values whether or not they could be stored.
    owner.SetPanelFont(fontName, fontSize);
    owner.SetColours(colours);
    if (titleChanges) {
        owner.SetShowTitle(showTitle);
    }
    if (saved != 0) {
        ShowSaveFailure(this, settingsPath, edit.Error());
    }
}

} // namespace vanemark
