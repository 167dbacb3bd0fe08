#pragma once

#include "panel/CPanelCtrl.h"
#include "settings/SettingsHost.h"

#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <optional>
#include <string>

namespace vanemark::test {

// The main window as the settings pages see it, around a real panel.
class TestHost : public SettingsHost {
public:
    explicit TestHost(std::string path);

    std::string SettingsPath() const override { return path; }
    void SetInterval(std::int32_t milliseconds) override;
    std::string PanelFontName() const override { return fontName; }
    std::int32_t PanelFontSize() const override { return fontSize; }
    void SetPanelFont(const std::string& faceName, std::int32_t pointSize) override;
    bool ShowTitle() const override { return showTitle; }
    void SetShowTitle(bool show) override;
    CPanelCtrl& Panel() override { return panel; }

    std::string path;
    std::int32_t interval = 500;
    int setIntervalCalls = 0;
    std::string fontName = "Courier New";
    std::int32_t fontSize = 8;
    int setFontCalls = 0;
    bool showTitle = false;
    int setShowTitleCalls = 0;
    CPanelCtrl panel;
};

// A temporary folder that is also the current directory (the colour
// buttons keep their custom colours in a file named relative to it).
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string File(const char* name) const;

private:
    QTemporaryDir dir;
    QString previous;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

// Runs action and answers the first message box it shows; returns the box's
// text, or nothing when no box came up.
std::optional<QString> AnswerMessageBox(const std::function<void()>& action);

// Runs action and hands the first modal dialog of type T that comes up to
// handler (which must close it); false when none came up.
bool HandleModal(const std::function<void()>& action, const std::function<bool(QWidget&)>& handler);

} // namespace vanemark::test
