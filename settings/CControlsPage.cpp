#include "settings/CControlsPage.h"

#include "config/SettingsFile.h"
#include "core/ProfileEdit.h"
#include "joystick/SdlJoysticks.h"
#include "settings/ControlRow.h"
#include "settings/SaveFailure.h"
#include "settings/SettingsHost.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace vanemark {

using settings::HandControl;

namespace {

// Fast enough for a bar to follow the hand, and for "Learn" to catch a
// quick flick of the stick.
constexpr int kPollMs = 30;

bool SameDevices(const std::vector<JoystickInfo>& a, const std::vector<JoystickInfo>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const JoystickInfo& x, const JoystickInfo& y) { return x.id == y.id && x.axes == y.axes; });
}

} // namespace

CControlsPage::CControlsPage(SettingsHost& pageOwner, std::string path, QWidget* parent)
    : CSettingsPage(parent), owner(pageOwner), settingsPath(std::move(path))
{
    pollTimer.setInterval(kPollMs);
    connect(&pollTimer, &QTimer::timeout, this, [this] { Poll(); });
}

CControlsPage::~CControlsPage()
{
    StopReading();
}

bool CControlsPage::OnInitDialog()
{
    CSettingsPage::OnInitDialog();

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("Control"), this), 0, 0);
    grid->addWidget(new QLabel(tr("Axis"), this), 0, 1);
    grid->addWidget(new QLabel(tr("Position"), this), 0, 4);
    grid->addWidget(new QLabel(tr("Panel shows"), this), 0, 5);
    for (std::size_t i = 0; i < settings::kHandControlCount; ++i) {
        rows.push_back(
            std::make_unique<ControlRow>(*this, *grid, static_cast<int>(i) + 1, static_cast<HandControl>(i)));
        connect(&rows.back()->LearnButton(), &QPushButton::clicked, this, [this, i] { StartLearning(i); });
    }
    grid->setColumnStretch(1, 1);

    statusLabel = new QLabel(this);
    statusLabel->setObjectName(QStringLiteral("joystickStatus"));
    statusLabel->setWordWrap(true);
    // Room for two lines from the start: the dialog keeps its size while
    // hints come and go.
    statusLabel->setMinimumHeight(fontMetrics().lineSpacing() * 2);
    statusLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(grid);
    layout->addWidget(statusLabel);
    layout->addStretch(1);
    AddButtonRow(*layout);

    FillControls(owner.Hands());
    ShowStatus();
    return true;
}

void CControlsPage::FillControls(const settings::HandBindings& hands)
{
    for (const auto& row : rows) {
        const HandControl control = row->Control();
        row->SetBinding(hands.Axis(control));
        row->SetOrigin(hands.Origin(control));
        row->ShowPosition(source.get());
    }
}

settings::HandBindings CControlsPage::ReadControls() const
{
    settings::HandBindings hands;
    // The page has no say on the marks: the window's command toggles them.
    hands.showMarks = owner.Hands().showMarks;
    for (const auto& row : rows) {
        const auto index = static_cast<std::size_t>(row->Control());
        hands.axes[index] = row->Binding();
        hands.origins[index] = row->Origin();
    }
    return hands;
}

void CControlsPage::showEvent(QShowEvent* event)
{
    CSettingsPage::showEvent(event);
    StartReading();
}

void CControlsPage::hideEvent(QHideEvent* event)
{
    // SDL runs only while someone looks at the page (or the window reads a
    // bound axis): a closed dialog leaves no joystick open.
    StopReading();
    CSettingsPage::hideEvent(event);
}

void CControlsPage::StartReading()
{
    if (source) {
        return;
    }
    std::string error;
    source = SdlJoysticks::Open(&error);
    sourceError = source ? QString() : QString::fromStdString(error);
    devices = source ? source->Devices() : std::vector<JoystickInfo>{};
    for (const auto& row : rows) {
        row->ListDevices(devices);
        row->ShowPosition(source.get());
        row->LearnButton().setEnabled(source != nullptr);
    }
    ShowStatus();
    if (source) {
        pollTimer.start();
    }
}

void CControlsPage::StopReading()
{
    pollTimer.stop();
    StopLearning();
    learnResult.clear();
    source.reset();
    for (const auto& row : rows) {
        row->ShowPosition(nullptr);
    }
}

void CControlsPage::Poll()
{
    source->Update();
    std::vector<JoystickInfo> now = source->Devices();
    if (!SameDevices(now, devices)) {
        devices = std::move(now);
        for (const auto& row : rows) {
            row->ListDevices(devices);
        }
        ShowStatus();
    }
    if (learner) {
        const auto elapsed = static_cast<std::uint32_t>(learnClock.elapsed());
        learner->Watch(*source, elapsed);
        if (learner->Done(elapsed)) {
            FinishLearning();
        } else {
            ShowStatus();
        }
    }
    for (const auto& row : rows) {
        row->ShowPosition(source.get());
    }
}

void CControlsPage::StartLearning(std::size_t row)
{
    if (!source || learner) {
        return;
    }
    learningRow = row;
    learnResult.clear();
    learnClock.start();
    learner.emplace(0);
    // Where the axes rest now is where the move starts from.
    learner->Watch(*source, 0);
    for (const auto& each : rows) {
        each->LearnButton().setEnabled(false);
    }
    ShowStatus();
}

void CControlsPage::FinishLearning()
{
    ControlRow& row = *rows[learningRow];
    if (const std::optional<settings::AxisBinding> winner = learner->Winner()) {
        row.SetAxis(*winner);
        learnResult = tr("%1 now follows %2.").arg(row.Name(), ControlRow::AxisText(*winner, true));
    } else {
        learnResult = tr("No control moved.");
    }
    StopLearning();
    ShowStatus();
}

void CControlsPage::StopLearning()
{
    learner.reset();
    for (const auto& row : rows) {
        row->LearnButton().setEnabled(source != nullptr);
    }
}

void CControlsPage::ShowStatus()
{
    QString text;
    if (learner) {
        const qint64 left = std::max<qint64>(0, AxisLearner::kWindowMs - learnClock.elapsed());
        text = tr("%1: move the control now (%2 s)").arg(rows[learningRow]->Name()).arg((left + 999) / 1000);
    } else if (!learnResult.isEmpty()) {
        text = learnResult;
    } else if (!source && !sourceError.isEmpty()) {
        text = tr("Joysticks cannot be read: %1. The bindings stay as they are.").arg(sourceError);
    } else if (source && devices.empty()) {
        text = tr("No joystick is attached.");
    }
    statusLabel->setText(text);
}

void CControlsPage::OnOK()
{
    const settings::HandBindings hands = ReadControls();

    ProfileFile file = settings::OpenSettings(settingsPath);
    ProfileEdit edit(file);
    settings::WriteHandBindings(edit, hands);
    const int saved = edit.Commit();

    // The running window takes the bindings whether or not they could be stored.
    owner.SetHands(hands);
    FillControls(owner.Hands());
    if (saved != 0) {
        ShowSaveFailure(this, settingsPath, edit.Error());
    }
}

} // namespace vanemark
