#include "settings/CGeneralPage.h"

#include "config/IntervalRules.h"
#include "config/SettingsFile.h"
#include "config/SettingsSchema.h"
#include "config/Version.h"
#include "core/ProfileEdit.h"
#include "settings/CNumericSpin.h"
#include "settings/FieldNumber.h"
#include "settings/SaveFailure.h"
#include "settings/SettingsHost.h"
#include "settings/SimulatorName.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace vanemark {

namespace {

QString RangeMessage(std::int64_t low, std::int64_t high)
{
    return QCoreApplication::translate("vanemark::CGeneralPage", "Please enter an integer between %1 and %2.")
        .arg(low)
        .arg(high);
}

QString Latin1(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

CGeneralPage::CGeneralPage(SettingsHost& pageOwner, std::string path, QWidget* parent)
    : CSettingsPage(parent), owner(pageOwner), settingsPath(std::move(path))
{
}

bool CGeneralPage::OnInitDialog()
{
    CSettingsPage::OnInitDialog();

    simulatorList = new QComboBox(this);
    simulatorList->setObjectName(QStringLiteral("simulator"));
    for (std::size_t i = 0; i < settings::kSimulatorCount; ++i) {
        simulatorList->addItem(SimulatorName(static_cast<settings::Simulator>(i)));
    }
    simulatorList->setToolTip(tr("Automatic listens for every simulator at once and shows whichever answers."));
    serverEdit = new QLineEdit(this);
    serverEdit->setObjectName(QStringLiteral("server"));
    portEdit = new QLineEdit(this);
    portEdit->setObjectName(QStringLiteral("port"));
    portEdit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), portEdit));
    localEdit = new QLineEdit(this);
    localEdit->setObjectName(QStringLiteral("localAddress"));
    intervalSpin = new CNumericSpin(this);
    intervalSpin->setObjectName(QStringLiteral("interval"));
    versionLabel = new QLabel(this);
    versionLabel->setObjectName(QStringLiteral("version"));
    versionLabel->setAlignment(Qt::AlignCenter);

    auto* grid = new QGridLayout;
    const auto addRow = [&](int row, const QString& text, QWidget* field) {
        auto* label = new QLabel(text, this);
        label->setBuddy(field);
        grid->addWidget(label, row, 0, Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(field, row, 1);
    };
    addRow(0, tr("Simulator:"), simulatorList);
    addRow(1, tr("Server:"), serverEdit);
    addRow(2, tr("Port:"), portEdit);
    addRow(3, tr("Localhost:"), localEdit);
    auto* intervalRow = new QHBoxLayout;
    intervalRow->addWidget(intervalSpin, 1);
    intervalRow->addWidget(new QLabel(tr("msec"), this));
    auto* intervalLabel = new QLabel(tr("Update Interval:"), this);
    intervalLabel->setBuddy(intervalSpin);
    grid->addWidget(intervalLabel, 4, 0, Qt::AlignRight | Qt::AlignVCenter);
    grid->addLayout(intervalRow, 4, 1);
    grid->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(grid);
    layout->addSpacing(fontMetrics().height() / 2);
    layout->addWidget(versionLabel);
    layout->addStretch(1);
    AddButtonRow(*layout);

    ProfileFile file = settings::OpenSettings(settingsPath);
    server = settings::ParseServer(file.GetString(settings::kSection, settings::kServerKey, settings::kServerDefault,
                                                  settings::kServerTextBuffer));
    // What the window runs at, which start-up may have corrected from the stored value.
    interval = owner.Interval();
    intervalSpin->SetRange(settings::kTickMs, settings::kSpinIntervalMax, settings::kTickMs);
    versionLabel->setText(QStringLiteral("%1, %2").arg(Latin1(kAppTitle), Latin1(kVersionDate)));
    FillControls();
    return true;
}

void CGeneralPage::FillControls()
{
    simulatorList->setCurrentIndex(static_cast<int>(owner.Simulator()));
    serverEdit->setText(QString::fromStdString(server.host));
    portEdit->setText(QString::number(server.port));
    localEdit->setText(QString::fromStdString(server.localAddress));
    intervalSpin->SetText(QString::number(interval));
}

void CGeneralPage::Refuse(QWidget& field, const QString& message)
{
    QMessageBox::warning(this, QStringLiteral("Vanemark"), message);
    field.setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(&field)) {
        edit->selectAll();
    } else if (auto* spin = qobject_cast<QAbstractSpinBox*>(&field)) {
        spin->selectAll();
    }
}

bool CGeneralPage::ReadControls()
{
    // A separator inside an address would shift the port and addresses on
    // the next read of the stored value.
    const auto address = [](const QLineEdit& edit) { return edit.text().trimmed().toStdString(); };
    const std::string newHost = address(*serverEdit);
    if (!settings::IsStorableAddress(newHost)) {
        Refuse(*serverEdit, tr("Please enter a server address without blanks, tabs, commas, equals signs or #."));
        return false;
    }

    const auto portValue = ParseFieldInteger(portEdit->text().toStdString(), true);
    if (!portValue) {
        Refuse(*portEdit, tr("Please enter an integer."));
        return false;
    }
    if (*portValue < settings::kPortMin || *portValue > settings::kPortMax) {
        Refuse(*portEdit, RangeMessage(settings::kPortMin, settings::kPortMax));
        return false;
    }

    const std::string newLocal = address(*localEdit);
    if (!settings::IsStorableAddress(newLocal)) {
        Refuse(*localEdit, tr("Please enter a local address without blanks, tabs, commas, equals signs or #."));
        return false;
    }

    const auto intervalValue = ParseFieldInteger(intervalSpin->Text().toStdString(), false);
    if (!intervalValue) {
        Refuse(*intervalSpin, tr("Please enter a positive integer."));
        return false;
    }
    if (*intervalValue < settings::kPageIntervalMin || *intervalValue > settings::kPageIntervalMax) {
        Refuse(*intervalSpin, RangeMessage(settings::kPageIntervalMin, settings::kPageIntervalMax));
        return false;
    }

    // An empty host would let the local address slide into its place when
    // the value is read back; store what a missing host means instead.
    server.host = newHost.empty() ? settings::ServerSetting().host : newHost;
    server.port = static_cast<std::int32_t>(*portValue);
    server.localAddress = newLocal;
    interval = static_cast<std::int32_t>(*intervalValue);
    return true;
}

void CGeneralPage::OnOK()
{
    if (!ReadControls()) {
        return;
    }
    interval = settings::NormaliseRuntimeInterval(interval);

    ProfileFile file = settings::OpenSettings(settingsPath);
    ProfileEdit edit(file);
    edit.Set(settings::kSection, settings::kServerKey, settings::FormatServer(server));
    edit.SetInt(settings::kSection, settings::kIntervalKey, interval);
    const auto simulator = static_cast<settings::Simulator>(simulatorList->currentIndex());
    edit.Set(settings::kSection, settings::kSimulatorKey, settings::SimulatorWord(simulator));
    const int saved = edit.Commit();

    if (simulator != owner.Simulator()) {
        owner.SetSimulator(simulator);
    }
    // The running window takes the interval whether or not it could be stored.
    owner.SetInterval(interval);
    interval = owner.Interval();
    FillControls();
    if (saved != 0) {
        ShowSaveFailure(this, settingsPath, edit.Error());
    }
}

} // namespace vanemark
