#include "settings/CColorPage.h"

#include "core/ProfileFile.h"
#include "panel/CPanelCtrl.h"
#include "settings/CColourButton.h"
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

constexpr std::string_view kSection = "settings";
constexpr std::array<std::string_view, CColorPage::RoleCount> kColourKeys{"bkcolor",     "grid color", "flaps color",
                                                                          "pitch color", "pitch down", "stick color"};
constexpr std::array<const char*, CColorPage::RoleCount> kObjectNames{"background", "instruments", "flapsMarks",
                                                                      "pitchUp",    "pitchDown",   "stick"};
// The custom colours live beside the program's other files.
constexpr const char* kCustomColorsFile = "colors.ini";

std::uint32_t PanelColour(const CPanelCtrl& panel, CColorPage::Role role)
{
    Colour value = 0;
    switch (role) {
    case CColorPage::Background:
        value = panel.backgroundColour;
        break;
    case CColorPage::Instruments:
        value = panel.InstrumentColour();
        break;
    case CColorPage::FlapsMarks:
        value = panel.flapsColour;
        break;
    case CColorPage::PitchUp:
        value = panel.pitchUpColour;
        break;
    case CColorPage::PitchDown:
        value = panel.pitchDownColour;
        break;
    case CColorPage::Stick:
    case CColorPage::RoleCount:
        value = panel.stickColour;
        break;
    }
    return static_cast<std::uint32_t>(value);
}

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
        if (second)
            grid->addWidget(second, row, 2);
    };
    // "Backgound:" is the label users know from the dialog, spelling included.
    addRow(0, tr("Backgound:"), buttons[Background], nullptr);
    addRow(1, tr("Instruments:"), buttons[Instruments], nullptr);
    addRow(2, tr("Flaps positions:"), buttons[FlapsMarks], nullptr);
    addRow(3, tr("Pitch:"), buttons[PitchUp], buttons[PitchDown]);
    addRow(4, tr("Stick:"), buttons[Stick], nullptr);
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
    const CPanelCtrl& panel = owner.Panel();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        buttons[i]->SetTrackSelection(true);
        buttons[i]->SetCustomColorsFile(kCustomColorsFile);
        buttons[i]->SetColor(PanelColour(panel, static_cast<Role>(i)));
    }

    ProfileFile file(settingsPath, '#', "\r\n");
    showTitle = file.GetInt(kSection, "show title", 0) != 0;
    showTitleCheck->setChecked(showTitle);
    fontNameLabel->setText(QString::fromStdString(fontName));
    return true;
}

void CColorPage::OnOK()
{
    showTitle = showTitleCheck->isChecked();

    std::array<std::uint32_t, RoleCount> colours{};
    for (std::size_t i = 0; i < buttons.size(); ++i)
        colours[i] = buttons[i]->GetColor();

    ProfileFile file(settingsPath, '#', "\r\n");
    for (std::size_t i = 0; i < colours.size(); ++i)
        file.WriteInt(kSection, kColourKeys[i], static_cast<std::int32_t>(colours[i]));
    file.WriteString(kSection, "font name", fontName);
    file.WriteInt(kSection, "font size", fontSize);

    // The running panel takes the values whether or not the file could be written.
    owner.SetPanelFont(fontName, fontSize);
    CPanelCtrl& panel = owner.Panel();
    panel.backgroundColour = static_cast<Colour>(colours[Background]);
    panel.SetInstrumentColour(static_cast<Colour>(colours[Instruments]));
    panel.flapsColour = static_cast<Colour>(colours[FlapsMarks]);
    panel.pitchUpColour = static_cast<Colour>(colours[PitchUp]);
    panel.pitchDownColour = static_cast<Colour>(colours[PitchDown]);
    panel.stickColour = static_cast<Colour>(colours[Stick]);

    if (owner.ShowTitle() != showTitle) {
        owner.SetShowTitle(showTitle);
        file.WriteInt(kSection, "show title", showTitle ? 1 : 0);
    }
    panel.Refresh();
}

} // namespace vanemark
