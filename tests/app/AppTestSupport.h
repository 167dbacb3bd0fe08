#pragma once

#include <QDir>
#include <QString>
#include <QTemporaryDir>

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

    bool IsValid() const { return dir.isValid(); }
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

// Value of key `key` in section "settings" of the working folder's Vanemark.ini ("" when absent).
std::string SettingsValue(const WorkFolder& folder, const std::string& key);

} // namespace vanemark::test
