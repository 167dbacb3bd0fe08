#include "settings/CGeneralPage.h"

#include "core/NumberText.h"
#include "core/ProfileFile.h"
#include "core/Tokenizer.h"
#include "settings/CNumericSpin.h"
#include "settings/FieldNumber.h"
#include "settings/SettingsHost.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace vanemark {

namespace {

constexpr std::string_view kSection = "settings";
constexpr std::string_view kServerKey = "server";
constexpr std::string_view kIntervalKey = "interval";
constexpr std::string_view kServerDefault = "21100 127.0.0.1 127.0.0.1";
constexpr std::size_t kServerBuffer = 256; // 255 characters
constexpr const char* kDefaultHost = "127.0.0.1";
constexpr const char* kDefaultPort = "21100";
constexpr std::int32_t kIntervalDefault = 500;
constexpr std::int32_t kIntervalQuantum = 25;
constexpr std::int64_t kPortMin = 1;
constexpr std::int64_t kPortMax = 65535;
constexpr std::int64_t kIntervalMin = 25;
constexpr std::int64_t kIntervalMax = 1000000;
// Whatever splits the "server" value when it is read back, here or at start-up.
constexpr std::string_view kServerDelimiters = " \t,=";

QString RangeMessage(std::int64_t low, std::int64_t high)
{
    return QStringLiteral("Please enter an integer between %1 and %2.").arg(low).arg(high);
}

} // namespace

CGeneralPage::CGeneralPage(SettingsHost& pageOwner, std::string path, QWidget* parent)
    : CSettingsPage(parent), owner(pageOwner), settingsPath(std::move(path))
{
}

bool CGeneralPage::OnInitDialog()
{
    CSettingsPage::OnInitDialog();

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
    addRow(0, tr("Server:"), serverEdit);
    addRow(1, tr("Port:"), portEdit);
    addRow(2, tr("Localhost:"), localEdit);
    auto* intervalRow = new QHBoxLayout;
    intervalRow->addWidget(intervalSpin, 1);
    intervalRow->addWidget(new QLabel(tr("msec"), this));
    auto* intervalLabel = new QLabel(tr("Update Interval:"), this);
    intervalLabel->setBuddy(intervalSpin);
    grid->addWidget(intervalLabel, 3, 0, Qt::AlignRight | Qt::AlignVCenter);
    grid->addLayout(intervalRow, 3, 1);
    grid->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(grid);
    layout->addSpacing(fontMetrics().height() / 2);
    layout->addWidget(versionLabel);
    layout->addStretch(1);
    AddButtonRow(*layout);

    ReadSettings();
    intervalSpin->SetRange(25, 10000, 25);
    versionLabel->setText(QStringLiteral("%1, %2").arg(QLatin1String(versionText), QLatin1String(versionDate)));
    FillControls();
    return true;
}

void CGeneralPage::ReadSettings()
{
    ProfileFile file(settingsPath, '#', "\r\n");

    const std::string value = file.GetString(kSection, kServerKey, kServerDefault, kServerBuffer);
    Tokenizer tokens(value, " \t,");
    const auto portText = tokens.NextToken();
    const auto serverText = tokens.NextToken();
    server = serverText ? std::string(*serverText) : kDefaultHost;
    port = ParseInt(portText ? *portText : std::string_view(kDefaultPort));
    const auto rest = serverText ? tokens.Rest() : std::nullopt;
    localAddress = rest ? std::string(*rest) : std::string();

    std::int32_t stored = file.GetInt(kSection, kIntervalKey, kIntervalDefault);
    if (stored < 0)
        stored = kIntervalQuantum;
    interval = static_cast<std::uint32_t>(stored / kIntervalQuantum * kIntervalQuantum);
}

void CGeneralPage::FillControls()
{
    serverEdit->setText(QString::fromStdString(server));
    portEdit->setText(QString::number(port));
    localEdit->setText(QString::fromStdString(localAddress));
    intervalSpin->SetText(QString::number(interval));
}

void CGeneralPage::Refuse(QWidget& field, const QString& message)
{
    QMessageBox::warning(this, QStringLiteral("Vanemark"), message);
    field.setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(&field))
        edit->selectAll();
    else if (auto* spin = qobject_cast<QAbstractSpinBox*>(&field))
        spin->selectAll();
}

bool CGeneralPage::ReadControls()
{
    // Blanks, tabs, commas and "=" separate the parts of the stored value;
    // inside a host name they would shift the port and addresses on the next read.
    const auto host = [](const QLineEdit& edit) { return edit.text().trimmed().toStdString(); };
    const std::string newServer = host(*serverEdit);
    if (newServer.find_first_of(kServerDelimiters) != std::string::npos) {
        Refuse(*serverEdit, tr("Please enter a server address without blanks, tabs, commas or equals signs."));
        return false;
    }

    const auto portValue = ParseFieldInteger(portEdit->text().toStdString(), true);
    if (!portValue) {
        Refuse(*portEdit, QStringLiteral("Please enter an integer."));
        return false;
    }
    if (*portValue < kPortMin || *portValue > kPortMax) {
        Refuse(*portEdit, RangeMessage(kPortMin, kPortMax));
        return false;
    }

    const std::string newLocal = host(*localEdit);
    if (newLocal.find_first_of(kServerDelimiters) != std::string::npos) {
        Refuse(*localEdit, tr("Please enter a local address without blanks, tabs, commas or equals signs."));
        return false;
    }

    const auto intervalValue = ParseFieldInteger(intervalSpin->Text().toStdString(), false);
    if (!intervalValue) {
        Refuse(*intervalSpin, QStringLiteral("Please enter a positive integer."));
        return false;
    }
    if (*intervalValue < kIntervalMin || *intervalValue > kIntervalMax) {
        Refuse(*intervalSpin, RangeMessage(kIntervalMin, kIntervalMax));
        return false;
    }

    // An empty host would let the local address slide into its place when
    // the value is read back; store what a missing host means instead.
    server = newServer.empty() ? std::string(kDefaultHost) : newServer;
    port = static_cast<std::int32_t>(*portValue);
    localAddress = newLocal;
    interval = static_cast<std::uint32_t>(*intervalValue);
    return true;
}

void CGeneralPage::OnOK()
{
    if (!ReadControls())
        return;

    ProfileFile file(settingsPath, '#', "\r\n");
    file.WriteString(kSection, kServerKey, FormatInt(port) + " " + server + " " + localAddress);

    if (interval < static_cast<std::uint32_t>(kIntervalQuantum))
        interval = kIntervalQuantum;
    interval = interval / kIntervalQuantum * kIntervalQuantum;
    file.WriteInt(kSection, kIntervalKey, static_cast<std::int32_t>(interval));
    owner.SetInterval(static_cast<std::int32_t>(interval));

    FillControls();
}

} // namespace vanemark
