#include "settings/CSettingsDlg.h"

#include "settings/CColorPage.h"
#include "settings/CCommandsPage.h"
#include "settings/CControlsPage.h"
#include "settings/CGeneralPage.h"
#include "settings/CWebPanelPage.h"
#include "settings/CWindowPage.h"
#include "settings/SettingsHost.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <iterator>

namespace vanemark {

CSettingsDlg::CSettingsDlg(SettingsHost& dialogOwner, QWidget* parent)
    : CPageHostDlg(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                               Qt::WindowStaysOnTopHint),
      owner(dialogOwner), settingsPath(dialogOwner.SettingsPath())
{
    setWindowTitle(QStringLiteral(" Vanemark Settings"));
    setModal(true);
    setObjectName(QStringLiteral("settingsDialog"));

    auto* top = new QHBoxLayout;
    auto* label = new QLabel(tr("Settings:"), this);
    pageList = new QComboBox(this);
    pageList->setObjectName(QStringLiteral("pageList"));
    pageList->addItem(tr("General"));
    pageList->addItem(tr("Color settings"));
    pageList->addItem(tr("Window"));
    pageList->addItem(tr("Controls"));
    pageList->addItem(tr("Commands"));
    // A build that cannot serve browsers has nothing to set for them.
    if (owner.WebPanelAvailable()) {
        pageList->addItem(tr("Web panel"));
    }
    label->setBuddy(pageList);
    top->addWidget(label);
    top->addWidget(pageList, 1);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(line);
    layout->addWidget(&PageStack(), 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    AddPage(generalPageId);
    AddPage(colorPageId);
    AddPage(windowPageId);
    AddPage(controlsPageId);
    AddPage(commandsPageId);
    if (owner.WebPanelAvailable()) {
        AddPage(webPanelPageId);
    }
    pageList->setCurrentIndex(0);
    ShowPage(generalPageId);
    connect(pageList, &QComboBox::currentIndexChanged, this, [this](int index) { OnSelChange(index); });
}

CSettingsDlg::~CSettingsDlg()
{
    RemovePages();
}

std::unique_ptr<CSettingsPage> CSettingsDlg::CreatePage(int templateId)
{
    switch (templateId) {
    case generalPageId:
        return std::make_unique<CGeneralPage>(owner, settingsPath);
    case colorPageId:
        return std::make_unique<CColorPage>(owner, settingsPath);
    case windowPageId:
        return std::make_unique<CWindowPage>(owner, settingsPath);
    case controlsPageId:
        return std::make_unique<CControlsPage>(owner, settingsPath);
    case commandsPageId:
        return std::make_unique<CCommandsPage>(owner, settingsPath);
    case webPanelPageId:
        return std::make_unique<CWebPanelPage>(owner, settingsPath);
    default:
        return nullptr;
    }
}

void CSettingsDlg::OnPageShown(int /*templateId*/, bool /*shown*/) {}

void CSettingsDlg::OnSelChange(int index)
{
    static constexpr int kPages[] = {generalPageId,  colorPageId,    windowPageId,
                                     controlsPageId, commandsPageId, webPanelPageId};
    if (index >= 0 && index < static_cast<int>(std::size(kPages))) {
        ShowPage(kPages[index]);
    }
}

} // namespace vanemark
