#include "settings/CSettingsPage.h"

#include "settings/CPageHostDlg.h"

#include <QBoxLayout>
#include <QMetaObject>
#include <QPushButton>

namespace vanemark {

CSettingsPage::CSettingsPage(QWidget* parent) : QWidget(parent)
{
    setEnabled(false);
    setVisible(false);
}

CSettingsPage::~CSettingsPage() = default;

bool CSettingsPage::OnInitDialog()
{
    return true;
}

void CSettingsPage::OnCancel()
{
    if (host) {
        QMetaObject::invokeMethod(host, &QDialog::reject, Qt::QueuedConnection);
    }
}

void CSettingsPage::AddButtonRow(QBoxLayout& layout)
{
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    applyButton = new QPushButton(tr("Apply"), this);
    applyButton->setObjectName(QStringLiteral("apply"));
    auto* closeButton = new QPushButton(tr("Close"), this);
    closeButton->setObjectName(QStringLiteral("close"));
    row->addWidget(applyButton);
    row->addWidget(closeButton);
    layout.addLayout(row);
    connect(applyButton, &QPushButton::clicked, this, [this] { OnOK(); });
    connect(closeButton, &QPushButton::clicked, this, [this] { OnCancel(); });
}

void CSettingsPage::showEvent(QShowEvent* event)
{
    // Enter in any field means "Apply" of the page in front.
    if (applyButton) {
        applyButton->setDefault(true);
    }
    QWidget::showEvent(event);
}

} // namespace vanemark
