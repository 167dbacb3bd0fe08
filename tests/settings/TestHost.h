#pragma once

#include "config/IntervalRules.h"
#include "settings/SettingsHost.h"
#include "tests/support/TempDir.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace vanemark::test {

// The main window as the pages see it: plain members, and a count of the calls that change it.
struct TestHost : SettingsHost {
    std::string SettingsPath() const override { return path; }
    std::int32_t Interval() const override { return interval; }
    void SetInterval(std::int32_t ms) override { ++calls, interval = settings::NormaliseRuntimeInterval(ms); }
    std::string PanelFontName() const override { return fontName; }
    std::int32_t PanelFontSize() const override { return fontSize; }
    void SetPanelFont(const std::string& n, std::int32_t s) override { ++calls, fontName = n, fontSize = s; }
    bool ShowTitle() const override { return showTitle; }
    void SetShowTitle(bool show) override { ++calls, showTitle = show; }
    PanelColours Colours() const override { return colours; }
    void SetColours(const PanelColours& value) override { ++calls, colours = value; }
    settings::OverlaySettings Overlay() const override { return overlay; }
    void SetOverlay(const settings::OverlaySettings& value) override { ++calls, overlay = value; }
    bool TrayAvailable() const override { return tray; }
    settings::HandBindings Hands() const override { return hands; }
    void SetHands(const settings::HandBindings& value) override { ++calls, hands = value; }
    bool WebPanelAvailable() const override { return true; }
    settings::WebPanelSetting WebPanel() const override { return web; }
    std::string SetWebPanel(const settings::WebPanelSetting& value) override
    {
        ++calls, web = value, serving = web.enabled && webRefusal.empty();
        return web.enabled ? webRefusal : std::string();
    }
    // As the server names itself: loopback, and a network address when others may come.
    std::vector<std::string> WebPanelUrls() const override
    {
        if (!serving) {
            return {};
        }
        // Appended rather than added up: GCC 12's -O3 sees a false overlap in "a" + b.
        std::vector<std::string> urls;
        for (const char* host : {"http://127.0.0.1:", "http://192.0.2.7:"}) {
            std::string url(host);
            url.append(std::to_string(web.port)).append("/");
            urls.push_back(std::move(url));
            if (!web.allowOthers) {
                break;
            }
        }
        return urls;
    }
    settings::CommandBindings Commands() const override { return commands; }
    void SetCommands(const settings::CommandBindings& value) override { ++calls, commands = value; }
    std::array<std::string, settings::kCommandCount> CommandProblems() const override { return problems; }
    std::string HotkeysUnavailable() override { return noHotkeys; }
    settings::Simulator Simulator() const override { return simulator; }
    void SetSimulator(settings::Simulator value) override { ++calls, simulator = value; }

    std::string path;
    std::int32_t interval = 500;
    std::string fontName = "Courier New";
    std::int32_t fontSize = 8;
    bool showTitle = false;
    PanelColours colours;
    settings::OverlaySettings overlay;
    bool tray = true;
    settings::HandBindings hands;
    settings::WebPanelSetting web;
    bool serving = false;
    std::string webRefusal; // what SetWebPanel answers when asked to serve
    settings::CommandBindings commands;
    std::array<std::string, settings::kCommandCount> problems;
    std::string noHotkeys;
    settings::Simulator simulator = settings::Simulator::DeviceLink;
    int calls = 0;
};

// Runs action and hands each modal W to handler, which closes it; false when
// none came up. Any other modal is closed after ten seconds: fail, not hang.
template <class W> bool OnModal(const std::function<void()>& action, const std::function<void(W&)>& handler)
{
    bool handled = false;
    int ticks = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* wanted = qobject_cast<W*>(modal)) {
            handler(*wanted);
            handled = true;
        } else if (modal && ++ticks > 1000) {
            modal->close();
        }
    });
    poll.start(10);
    action();
    return handled;
}

// The text of the message box that action shows, answered with OK.
inline QString AnswerMessageBox(const std::function<void()>& action)
{
    QString text;
    OnModal<QMessageBox>(action, [&](QMessageBox& box) { text = box.text(), box.done(QMessageBox::Ok); });
    return text;
}

} // namespace vanemark::test
