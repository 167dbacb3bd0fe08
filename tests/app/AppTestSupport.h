#pragma once

#include "app/CVanemarkDlg.h"

#include <QDir>
#include <QEvent>
#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <string>

namespace vanemark::test {

// A fresh working folder for one test: the program reads and writes its
// files relative to the current directory, so the test moves into it and
// back out afterwards.
class WorkFolder {
public:
    WorkFolder();
    ~WorkFolder();
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    QString Path(const QString& name) const { return dir.filePath(name); }
    // Writes text with CR LF line ends, as the program itself does.
    void Write(const QString& name, const std::string& text) const;
    std::string Read(const QString& name) const;
    // Copies the shipped Vanemark.cfg and dlkeys.ini.
    void CopyShippedFiles() const;

private:
    QTemporaryDir dir;
    QString previous;
};

// A closed local port, so that a window talks to nobody.
inline const std::string kNowhere = "server=9 127.0.0.1\n";

// Writes `settings` (when not empty) as section "settings" of Vanemark.ini
// and starts a window on it, shown and exposed when `show` is set.
std::unique_ptr<CVanemarkDlg> StartWindow(WorkFolder& folder, const std::string& settings, bool show = false,
                                          LaunchOptions options = {});

// Calls `handler` whenever `target` is about to get an event of `type`, for as
// long as `target` lives: declare what the handler touches before the target.
void OnEvent(QObject& target, QEvent::Type type, std::function<void()> handler);

// Value of key `key` in section "settings" of the working folder's Vanemark.ini ("" when absent).
std::string SettingsValue(const WorkFolder& folder, const std::string& key);

} // namespace vanemark::test
