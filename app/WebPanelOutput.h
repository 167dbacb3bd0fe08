#pragma once

#include "app/FrameOutput.h"
#include "config/PanelColours.h"
#include "config/WebPanelSetting.h"

#include <QByteArray>
#include <QImage>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vanemark {

class CPanelCtrl;
class WebPanelServer;

// The panel for browsers: the panel's own pixels, as the window draws them,
// and the frame's values, served by a WebPanelServer while the setting (or
// --web-port) turns it on. A cycle whose picture changed tells the server,
// which encodes it only for the clients it has.
class WebPanelOutput final : public FrameOutput {
public:
    explicit WebPanelOutput(const CPanelCtrl& panel);
    ~WebPanelOutput() override;
    WebPanelOutput(const WebPanelOutput&) = delete;
    WebPanelOutput& operator=(const WebPanelOutput&) = delete;

    // Starts, moves or stops the server as `web` says; the reason it cannot
    // listen, empty when it runs or is off. The setting is kept either way.
    std::string Apply(const settings::WebPanelSetting& web);
    const settings::WebPanelSetting& Setting() const { return setting; }
    bool IsRunning() const;
    std::vector<std::string> Urls() const;
    // One frame stands for this long when a client falls behind.
    void SetInterval(int milliseconds);

    void Take(const Frame& frame, std::uint32_t nowMs) override;

    WebPanelServer& Server() { return *server; }

    // `panel` (the 1x picture) enlarged `scale` times without smoothing, its
    // `background` pixels made fully transparent when asked, as PNG.
    static QByteArray Picture(const QImage& panel, Colour background, int scale, bool transparentBackground);
    // The frame's values under the recording's column names; absent ones are null.
    static QByteArray ValuesJson(const Frame& frame);

private:
    const CPanelCtrl& panel;
    std::unique_ptr<WebPanelServer> server;
    settings::WebPanelSetting setting;
    Frame last;
    std::uint64_t pictureTold = 0;
};

} // namespace vanemark
