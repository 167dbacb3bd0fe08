#include "settings/CCommandsPage.h"

#include "config/SettingsFile.h"
#include "core/ProfileEdit.h"
#include "joystick/SdlJoysticks.h"
#include "settings/CommandRow.h"
#include "settings/SaveFailure.h"
#include "settings/SettingsHost.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace vanemark {

using settings::Command;

namespace {

// Fast enough to catch a quick tap of a button.
constexpr int kPollMs = 25;

} // namespace

CCommandsPage::CCommandsPage(SettingsHost& pageOwner, std::string path, QWidget* parent)
    : CSettingsPage(parent), owner(pageOwner), settingsPath(std::move(path))
{
    pollTimer.setInterval(kPollMs);
    connect(&pollTimer, &QTimer::timeout, this, [this] { PollLearning(); });
}

CCommandsPage::~CCommandsPage()
{
    StopLearning();
}

bool CCommandsPage::OnInitDialog()
{
    CSettingsPage::OnInitDialog();

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("Command"), this), 0, 0);
    grid->addWidget(new QLabel(tr("Key combination"), this), 0, 1);
    grid->addWidget(new QLabel(tr("Joystick button"), this), 0, 4);
    for (std::size_t i = 0; i < settings::kCommandCount; ++i) {
        rows.push_back(std::make_unique<CommandRow>(*this, *grid, static_cast<int>(i) + 1, static_cast<Command>(i)));
        connect(&rows.back()->ButtonLearn(), &QPushButton::clicked, this, [this, i] { StartLearning(i); });
    }
    grid->setColumnStretch(4, 1);

    problemsLabel = new QLabel(this);
    problemsLabel->setObjectName(QStringLiteral("hotkeyProblems"));
    problemsLabel->setWordWrap(true);
    QPalette red = palette();
    red.setColor(QPalette::WindowText, QColor(0xC0, 0x00, 0x00));
    problemsLabel->setPalette(red);

    statusLabel = new QLabel(this);
    statusLabel->setObjectName(QStringLiteral("buttonStatus"));
    statusLabel->setWordWrap(true);
    auto* note =
        new QLabel(tr("Vanemark only reads joystick buttons: a button the game uses works in the game too."), this);
    note->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(grid);
    layout->addWidget(problemsLabel);
    layout->addWidget(statusLabel);
    layout->addWidget(note);
    layout->addStretch(1);
    AddButtonRow(*layout);

    FillControls(owner.Commands());
    ShowStatus();
    return true;
}

void CCommandsPage::FillControls(const settings::CommandBindings& bindings)
{
    for (const auto& row : rows) {
        const auto index = static_cast<std::size_t>(row->Command());
        row->SetHotkey(bindings.hotkeys[index]);
        row->SetButton(bindings.buttons[index]);
    }
}

settings::CommandBindings CCommandsPage::ReadControls() const
{
    settings::CommandBindings bindings;
    for (const auto& row : rows) {
        const auto index = static_cast<std::size_t>(row->Command());
        bindings.hotkeys[index] = row->Hotkey();
        bindings.buttons[index] = row->Button();
    }
    return bindings;
}

void CCommandsPage::hideEvent(QHideEvent* event)
{
    // A closed dialog leaves no joystick open.
    StopLearning();
    CSettingsPage::hideEvent(event);
}

void CCommandsPage::StartLearning(std::size_t row)
{
    if (learner) {
        return;
    }
    learnResult.clear();
    std::string error;
    source = SdlJoysticks::Open(&error);
    if (!source) {
        learnResult = tr("Joysticks cannot be read: %1").arg(QString::fromStdString(error));
        ShowStatus();
        return;
    }
    learningRow = row;
    learner.emplace(*source);
    learnClock.start();
    for (const auto& each : rows) {
        each->ButtonLearn().setEnabled(false);
    }
    pollTimer.start();
    ShowStatus();
}

void CCommandsPage::PollLearning()
{
    source->Update();
    if (const std::optional<settings::ButtonBinding> pressed = learner->Watch(*source)) {
        CommandRow& row = *rows[learningRow];
        row.SetButton(*pressed);
        learnResult = tr("%1 now runs \"%2\".").arg(CommandRow::ButtonText(*pressed), row.Name());
        StopLearning();
    } else if (learnClock.elapsed() >= ButtonLearner::kWindowMs) {
        learnResult = tr("No button was pressed.");
        StopLearning();
    }
    ShowStatus();
}

void CCommandsPage::StopLearning()
{
    pollTimer.stop();
    learner.reset();
    source.reset();
    for (const auto& row : rows) {
        row->ButtonLearn().setEnabled(true);
    }
}

void CCommandsPage::ShowStatus()
{
    QStringList problems;
    const QString unavailable = QString::fromStdString(owner.HotkeysUnavailable());
    if (!unavailable.isEmpty()) {
        problems << tr("Global hotkeys are unavailable: %1").arg(unavailable);
    }
    const auto found = owner.CommandProblems();
    for (const auto& row : rows) {
        const std::string& problem = found[static_cast<std::size_t>(row->Command())];
        if (!problem.empty() && unavailable.isEmpty()) {
            problems << tr("%1: %2").arg(row->Name(), QString::fromStdString(problem));
        }
    }
    problemsLabel->setText(problems.join(QLatin1Char('\n')));
    problemsLabel->setVisible(!problems.isEmpty());

    QString text = learnResult;
    if (learner) {
        const qint64 left = std::max<qint64>(0, ButtonLearner::kWindowMs - learnClock.elapsed());
        text = tr("%1: press the button now (%2 s)").arg(rows[learningRow]->Name()).arg((left + 999) / 1000);
    }
    statusLabel->setText(text);
}

void CCommandsPage::OnOK()
{
    const settings::CommandBindings bindings = ReadControls();

    ProfileFile file = settings::OpenSettings(settingsPath);
    ProfileEdit edit(file);
    settings::WriteCommandBindings(edit, bindings);
    const int saved = edit.Commit();

    // The window binds them whether or not they could be stored.
    owner.SetCommands(bindings);
    FillControls(owner.Commands());
    learnResult.clear();
    ShowStatus();
    if (saved != 0) {
        ShowSaveFailure(this, settingsPath, edit.Error());
    }
}

} // namespace vanemark
