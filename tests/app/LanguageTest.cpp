#include "AppTestSupport.h"
#include "app/Translations.h"
#include "settings/CSettingsDlg.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QTimer>

#include <tuple>

using namespace vanemark;
using namespace vanemark::test;

TEST(Language, MenuAndSettingsPageFollowTheChosenLanguage)
{
    for (const auto& [code, menuItem, pageName, label] :
         {std::tuple{"de", "Einstellungen", "Allgemein", "Aktualisierungsintervall:"},
          std::tuple{"ru", "Настройки", "Общие", "Интервал обновления:"},
          std::tuple{"en", "Settings", "General", "Update Interval:"}}) {
        Translations translations(std::string{code});
        translations.Install();
        WorkFolder folder;
        const auto window = StartWindow(folder, kNowhere, true);
        QString shownItem;
        QTimer::singleShot(50, window.get(), [&] {
            shownItem = Item(window->ContextMenu(), "settings")->text();
            window->ContextMenu()->close();
        });
        QTest::mouseClick(window.get(), Qt::RightButton, {}, QPoint(20, 20));
        EXPECT_EQ(shownItem, QString::fromUtf8(menuItem)) << code;

        CSettingsDlg dialog(*window);
        dialog.show();
        EXPECT_EQ(dialog.findChild<QComboBox*>()->itemText(0), QString::fromUtf8(pageName)) << code;
        QStringList labels;
        for (const QLabel* shown : dialog.findChildren<QLabel*>()) {
            labels << shown->text();
        }
        EXPECT_TRUE(labels.contains(QString::fromUtf8(label))) << code << ": " << labels.join('|').toStdString();
        dialog.close();
        window->RunExitSequence();
    }
}
