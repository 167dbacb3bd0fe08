// Renders the settings dialog's pages and the open palette popup to PNG files
// for a visual check: settings-screenshots <output folder>.
#include "TestHost.h"

#include "settings/CColorPage.h"
#include "settings/CColourButton.h"
#include "settings/CColourPopup.h"
#include "settings/CSettingsDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPainter>
#include <QTest>

#include <cstdio>

using namespace vanemark;

namespace {

bool Save(const QImage& image, const QString& folder, const char* name)
{
    const QString path = QDir(folder).filePath(QString::fromLatin1(name));
    const bool saved = image.save(path, "PNG");
    std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
    return saved;
}

// The dialog with its window frame left out, and the popup drawn where it opened.
QImage Compose(QWidget& dialog, QWidget* popup)
{
    QImage image = dialog.grab().toImage();
    if (!popup)
        return image;
    const QPoint at = popup->pos() - dialog.mapToGlobal(QPoint(0, 0));
    const QRect all = QRect(QPoint(0, 0), image.size()).united(QRect(at, popup->size()));
    QImage canvas(all.size(), QImage::Format_ARGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    painter.drawImage(-all.topLeft(), image);
    painter.drawImage(at - all.topLeft(), popup->grab().toImage());
    return canvas;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();

    test::TempFolder temp;
    test::TestHost host(temp.File("Vanemark.ini"));
    CSettingsDlg dialog(host);
    dialog.show();
    if (!QTest::qWaitForWindowExposed(&dialog))
        return 1;
    bool ok = Save(dialog.grab().toImage(), folder, "settings-general.png");

    dialog.findChild<QComboBox*>("pageList")->setCurrentIndex(1);
    QApplication::processEvents();
    ok = Save(dialog.grab().toImage(), folder, "settings-colors.png") && ok;

    auto& page = static_cast<CColorPage&>(*dialog.Page(CSettingsDlg::colorPageId));
    CColourButton& button = page.Button(CColorPage::Background);
    button.setFocus();
    QTest::keyClick(&button, Qt::Key_Down);
    CColourPopup* popup = button.Popup();
    if (!popup)
        return 1;
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Down);
    QApplication::processEvents();
    ok = Save(Compose(dialog, popup), folder, "settings-popup.png") && ok;
    return ok ? 0 : 1;
}
