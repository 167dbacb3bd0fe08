#include "settings/CWebPanelPage.h"

#include "config/SettingsFile.h"
#include "core/ProfileEdit.h"
#include "settings/SaveFailure.h"
#include "settings/SettingsHost.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>

#include <string>
#include <vector>

namespace vanemark {

namespace {

constexpr int kPortMin = 1;
constexpr int kPortMax = 65535;

} // namespace

CWebPanelPage::CWebPanelPage(SettingsHost& pageOwner, std::string path, QWidget* parent)
    : CSettingsPage(parent), owner(pageOwner), settingsPath(std::move(path))
{
}

bool CWebPanelPage::OnInitDialog()
{
    CSettingsPage::OnInitDialog();

    enabledCheck = new QCheckBox(tr("Serve the panel to browsers"), this);
    enabledCheck->setObjectName(QStringLiteral("webEnabled"));
    enabledCheck->setToolTip(tr("For OBS's browser source, a tablet or a second computer."));

    // What depends on "Serve" sits under its text, and the warning under the
    // box it warns about.
    detailsBox = new QWidget(this);
    portSpin = new QSpinBox(detailsBox);
    portSpin->setObjectName(QStringLiteral("webPort"));
    portSpin->setRange(kPortMin, kPortMax);
    auto* portLabel = new QLabel(tr("Port:"), detailsBox);
    portLabel->setBuddy(portSpin);
    othersCheck = new QCheckBox(tr("Allow other computers"), detailsBox);
    othersCheck->setObjectName(QStringLiteral("webOthers"));
    auto* othersWarning =
        new QLabel(tr("Any computer on your network can then see the panel and its values (read-only)."), detailsBox);
    othersWarning->setObjectName(QStringLiteral("webOthersWarning"));
    othersWarning->setWordWrap(true);

    const int indent =
        style()->pixelMetric(QStyle::PM_IndicatorWidth) + style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
    auto* portRow = new QHBoxLayout;
    portRow->addWidget(portLabel);
    portRow->addWidget(portSpin);
    portRow->addStretch(1);
    auto* warningRow = new QVBoxLayout;
    warningRow->setContentsMargins(indent, 0, 0, 0);
    warningRow->addWidget(othersWarning);
    auto* details = new QVBoxLayout(detailsBox);
    details->setContentsMargins(indent, 0, 0, 0);
    details->addLayout(portRow);
    details->addWidget(othersCheck);
    details->addLayout(warningRow);

    statusLabel = new QLabel(this);
    statusLabel->setObjectName(QStringLiteral("webStatus"));
    statusLabel->setWordWrap(true);

    urlBox = new QWidget(this);
    urlGrid = new QGridLayout(urlBox);
    urlGrid->setContentsMargins(0, 0, 0, 0);
    urlGrid->setColumnStretch(0, 1);

    hintLabel = new QLabel(tr("For OBS: add ?bg=transparent; ?scale=2 for a larger picture."), this);
    hintLabel->setObjectName(QStringLiteral("webHint"));
    hintLabel->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(enabledCheck);
    layout->addWidget(detailsBox);
    layout->addSpacing(fontMetrics().height() / 2);
    layout->addWidget(statusLabel);
    layout->addWidget(urlBox);
    layout->addWidget(hintLabel);
    layout->addStretch(1);
    AddButtonRow(*layout);

    connect(enabledCheck, &QCheckBox::toggled, this, [this] { EnableDetails(); });
    FillControls(owner.WebPanel());
    ShowServer({});
    return true;
}

void CWebPanelPage::FillControls(const settings::WebPanelSetting& web)
{
    enabledCheck->setChecked(web.enabled);
    portSpin->setValue(web.port);
    othersCheck->setChecked(web.allowOthers);
    EnableDetails();
}

settings::WebPanelSetting CWebPanelPage::ReadControls() const
{
    // Enter in the port field applies what it shows, even before it loses focus.
    portSpin->interpretText();
    settings::WebPanelSetting web;
    web.enabled = enabledCheck->isChecked();
    web.port = portSpin->value();
    web.allowOthers = othersCheck->isChecked();
    return web;
}

void CWebPanelPage::EnableDetails()
{
    // Port and audience keep their values while off, for the next time.
    detailsBox->setEnabled(enabledCheck->isChecked());
}

void CWebPanelPage::ShowServer(const QString& refusal)
{
    // Hidden while it is refilled, so that showing it again shows every new row at once.
    urlBox->hide();
    while (QLayoutItem* item = urlGrid->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const std::vector<std::string> urls = owner.WebPanelUrls();
    // Rows made after "Apply" would otherwise come after it in the tab order.
    QWidget* previous = othersCheck;
    for (std::size_t i = 0; i < urls.size(); ++i) {
        const auto row = static_cast<int>(i);
        const QString url = QString::fromStdString(urls[i]);
        auto* edit = new QLineEdit(url, urlBox);
        edit->setObjectName(QStringLiteral("url %1").arg(row));
        edit->setReadOnly(true);
        edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(url) + fontMetrics().averageCharWidth() * 4);
        auto* copy = new QPushButton(tr("Copy"), urlBox);
        copy->setObjectName(QStringLiteral("copy %1").arg(row));
        copy->setAutoDefault(false);
        connect(copy, &QPushButton::clicked, this, [url] { QGuiApplication::clipboard()->setText(url); });
        urlGrid->addWidget(edit, row, 0);
        urlGrid->addWidget(copy, row, 1);
        QWidget::setTabOrder(previous, edit);
        QWidget::setTabOrder(edit, copy);
        previous = copy;
    }
    urlBox->setVisible(!urls.empty());
    hintLabel->setVisible(!urls.empty());

    const bool enabled = owner.WebPanel().enabled;
    if (!refusal.isEmpty()) {
        QString reason = refusal;
        while (reason.endsWith(QLatin1Char('.'))) {
            reason.chop(1);
        }
        SetStatus(tr("The panel cannot be served: %1. The window runs on without it.").arg(reason), true);
    } else if (enabled && urls.empty()) {
        // The window could not listen at start-up; it does not keep why.
        SetStatus(tr("The panel is not being served. Apply tries again."), true);
    } else if (!urls.empty()) {
        SetStatus(tr("Browsers find the panel at:"), false);
    } else {
        SetStatus({}, false);
    }
}

void CWebPanelPage::SetStatus(const QString& text, bool warning)
{
    QPalette colours = palette();
    if (warning) {
        colours.setColor(QPalette::WindowText, QColor(0xC0, 0x00, 0x00));
    }
    statusLabel->setPalette(colours);
    statusLabel->setText(text);
    statusLabel->setVisible(!text.isEmpty());
}

void CWebPanelPage::OnOK()
{
    const settings::WebPanelSetting web = ReadControls();

    ProfileFile file = settings::OpenSettings(settingsPath);
    ProfileEdit edit(file);
    settings::WriteWebPanel(edit, web);
    const int saved = edit.Commit();

    // The window serves (or stops serving) whether or not the file could be written.
    const QString refusal = QString::fromStdString(owner.SetWebPanel(web));
    FillControls(owner.WebPanel());
    ShowServer(refusal);
    if (saved != 0) {
        ShowSaveFailure(this, settingsPath, edit.Error());
    }
}

} // namespace vanemark
