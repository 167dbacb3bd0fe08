#include "TestHost.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTimer>

namespace vanemark::test {

TempFolder::TempFolder() : previous(QDir::currentPath())
{
    QDir::setCurrent(QString::fromStdString(path.string()));
}

TempFolder::~TempFolder()
{
    QDir::setCurrent(previous);
}

bool HandleModal(const std::function<void()>& action, const std::function<bool(QWidget&)>& handler)
{
    bool handled = false;
    int ticks = 0;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && handler(*modal)) {
            handled = true;
        }
        // A test fails cleanly rather than hanging on a dialog nobody closes.
        if (++ticks > 1000 && modal) {
            modal->close();
        }
    });
    poll.start();
    action();
    return handled;
}

std::optional<QString> AnswerMessageBox(const std::function<void()>& action)
{
    std::optional<QString> text;
    HandleModal(action, [&](QWidget& modal) {
        auto* box = qobject_cast<QMessageBox*>(&modal);
        if (box) {
            text = box->text();
            box->done(QMessageBox::Ok);
        }
        return box != nullptr;
    });
    return text;
}

} // namespace vanemark::test
