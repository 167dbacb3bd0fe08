#include "settings/CColorPage.h"

#include "config/SettingsFile.h"
#include "config/SettingsSchema.h"
#include "core/ProfileEdit.h"
#include "settings/CColourButton.h"
#include "settings/SaveFailure.h"
#include "settings/SettingsHost.h"

#include <QCheckBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

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
    addRow(0, tr("Background:"), buttons[PanelColours::Background], nullptr);
    addRow(1, tr("Instruments:"), buttons[PanelColours::Instruments], nullptr);
    addRow(2, tr("Flaps positions:"), buttons[PanelColours::FlapsMarks], nullptr);
    addRow(3, tr("Pitch:"), buttons[PanelColours::PitchUp], buttons[PanelColours::PitchDown]);
    addRow(4, tr("Stick:"), buttons[PanelColours::Stick], nullptr);
    grid->setColumnStretch(3, 1);

    auto* fontRow = new QHBoxLayout;
    auto* fontLabel = new QLabel(tr("Font:"), this);
    fontNameLabel = new QLabel(this);
    fontNameLabel->setObjectName(QStringLiteral("fontName"));
    fontNameLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* fontButton = new QPushButton(tr("..."), this);
    fontButton->setObjectName(QStringLiteral("chooseFont"));
    fontButton->setToolTip(tr("Choose the panel font"));
    fontLabel->setBuddy(fontButton);
    fontRow->addWidget(fontLabel);
    fontRow->addWidget(fontNameLabel, 1);
    fontRow->addWidget(fontButton);
    connect(fontButton, &QPushButton::clicked, this, [this] { ChooseFont(); });
    showTitleCheck = new QCheckBox(tr("Show window title"), this);
    showTitleCheck->setObjectName(QStringLiteral("showTitle"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(group);
    layout->addLayout(fontRow);
    layout->addWidget(showTitleCheck);
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

    showTitle = owner.ShowTitle();
    showTitleCheck->setChecked(showTitle);
    ShowFontName();
    return true;
}

void CColorPage::ShowFontName()
{
    fontNameLabel->setText(tr("%1, %2 pt").arg(QString::fromStdString(fontName)).arg(fontSize));
}

void CColorPage::ChooseFont()
{
    bool chosen = false;
    const QFont font = QFontDialog::getFont(&chosen, QFont(QString::fromStdString(fontName), std::max(1, fontSize)),
                                            this, tr("Panel font"));
    if (!chosen) {
        return;
    }
    fontName = font.family().toStdString();
    // A font given in pixels has no point size; keep the one the panel had.
    if (font.pointSize() > 0) {
        fontSize = font.pointSize();
    }
    ShowFontName();
}

void CColorPage::OnOK()
{
    showTitle = showTitleCheck->isChecked();
    PanelColours colours;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        colours.colour[i] = static_cast<Colour>(buttons[i]->GetColor());
    }
    const bool titleChanges = owner.ShowTitle() != showTitle;

    ProfileFile file = settings::OpenSettings(settingsPath);
    ProfileEdit edit(file);
    settings::WriteColours(edit, colours);
    edit.Set(settings::kSection, settings::kFontNameKey, fontName);
    edit.SetInt(settings::kSection, settings::kFontSizeKey, fontSize);
    edit.SetInt(settings::kSection, settings::kShowTitleKey, showTitle ? 1 : 0);
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
