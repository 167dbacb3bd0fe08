#pragma once

#include "../support/TempDir.h"
#include "app/CVanemarkDlg.h"
#include "config/SettingsFile.h"
#include "devicelink/DeviceLinkClient.h"

#include <QEvent>
#include <QFile>
#include <QMenu>
#include <QString>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace vanemark::test {

// A fresh working folder for one test: the program reads and writes its
// files relative to the current directory, so the test moves into it and
// back out afterwards.
class WorkFolder : public TempDir {
public:
    WorkFolder() { std::filesystem::current_path(path); }
    ~WorkFolder() { std::filesystem::current_path(previous); }
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    QString Path(const char* name) const { return QString::fromStdString(File(name)); }
    std::string Read(const char* name) const { return TempDir::Read(File(name)); }
    // The shipped Vanemark.cfg and dlkeys.ini.
    void CopyShippedFiles() const
    {
        for (const char* name : {"Vanemark.cfg", "dlkeys.ini"}) {
            std::filesystem::copy_file(std::string(VANEMARK_SOURCE_DIR "/res/") + name, File(name),
                                       std::filesystem::copy_options::overwrite_existing);
        }
    }

private:
    std::filesystem::path previous = std::filesystem::current_path();
};

// A closed local port, so that a window talks to nobody.
inline const std::string kNowhere = "server=9 127.0.0.1\n";

// The window on a desktop with a system tray, which the offscreen platform lacks.
struct TrayDesktopWindow : CVanemarkDlg {
    using CVanemarkDlg::CVanemarkDlg;
    bool TrayAvailable() const override { return true; }
};

// Writes `settings` (when not empty) as section "settings" of Vanemark.ini
// and starts a window on it, shown and exposed when `show` is set.
template <class Window = CVanemarkDlg>
std::unique_ptr<Window> StartWindow(WorkFolder& folder, const std::string& settings, bool show = false,
                                    LaunchOptions options = {})
{
    if (!settings.empty()) {
        folder.Write("Vanemark.ini", "[settings]\n" + settings);
    }
    auto window = std::make_unique<Window>(std::move(options));
    window->OnInitDialog();
    if (show) {
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    return window;
}

// Calls `handler` whenever `target` is about to get an event of `type`, for as
// long as `target` lives: declare what the handler touches before the target.
// The item of `menu` named `name`; the window's commands are shared by its
// menus, so they are the menu's items but not its children.
inline QAction* Item(QMenu* menu, const char* name)
{
    for (QAction* action : menu->actions()) {
        if (action->objectName() == QLatin1String(name)) {
            return action;
        }
    }
    ADD_FAILURE() << "no item " << name;
    return nullptr;
}

inline void OnEvent(QObject& target, QEvent::Type type, std::function<void()> handler)
{
    struct Hook : QObject {
        Hook(QObject& t, QEvent::Type ty, std::function<void()> h) : QObject(&t), type(ty), handler(std::move(h))
        {
            t.installEventFilter(this);
        }
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == type) {
                handler();
            }
            return false;
        }
        QEvent::Type type;
        std::function<void()> handler;
    };
    new Hook(target, type, std::move(handler));
}

// Value of `key` in section "settings" of the working folder's Vanemark.ini ("" when absent).
inline std::string SettingsValue(const WorkFolder& folder, const std::string& key)
{
    ProfileFile profile = settings::OpenSettings(folder.File("Vanemark.ini"));
    return profile.GetString("settings", key, std::string_view(""), 1024);
}

} // namespace vanemark::test
