#pragma once

#include "config/IntervalRules.h"
#include "settings/SettingsHost.h"
#include "tests/support/TempDir.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <tuple>

namespace vanemark::test {

// The main window as the pages see it: plain members, and a count of the calls that change it.
class TestHost : public SettingsHost {
public:
    explicit TestHost(std::string settingsPath) : path(std::move(settingsPath)) {}

    std::string SettingsPath() const override { return path; }
    std::int32_t Interval() const override { return interval; }
    void SetInterval(std::int32_t ms) override { interval = Count(settings::NormaliseRuntimeInterval(ms)); }
    std::string PanelFontName() const override { return fontName; }
    std::int32_t PanelFontSize() const override { return fontSize; }
    void SetPanelFont(const std::string& name, std::int32_t size) override
    {
        std::tie(fontName, fontSize) = Count(std::pair(name, size));
    }
    bool ShowTitle() const override { return showTitle; }
    void SetShowTitle(bool show) override { showTitle = Count(show); }
    PanelColours Colours() const override { return colours; }
    void SetColours(const PanelColours& value) override { colours = Count(value); }

    std::string path;
    std::int32_t interval = 500;
    std::string fontName = "Courier New";
    std::int32_t fontSize = 8;
    bool showTitle = false;
    PanelColours colours;
    int calls = 0;

private:
    template <class T> T Count(T value)
    {
        ++calls;
        return value;
    }
};

// A temporary folder that is also the current directory: the colour buttons
// keep their custom colours in a file named relative to it.
class TempFolder : public TempDir {
public:
    TempFolder() { QDir::setCurrent(QString::fromStdString(path.string())); }
    ~TempFolder() { QDir::setCurrent(previous); }

private:
    QString previous = QDir::currentPath();
};

// Runs action and hands every modal widget that comes up to handler, which
// closes those it takes and says so; false when it took none.
inline bool HandleModal(const std::function<void()>& action, const std::function<bool(QWidget&)>& handler)
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

// The text of the first message box that action shows, answered with OK.
inline std::optional<QString> AnswerMessageBox(const std::function<void()>& action)
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
