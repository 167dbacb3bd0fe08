#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>

namespace vanemark {

// How the panel is served: off unless asked for, on loopback unless other
// computers are allowed.
struct WebPanelOptions {
    static constexpr std::uint16_t kDefaultPort = 21180;
    std::uint16_t port = kDefaultPort;
    bool allowOthers = false;
    friend bool operator==(const WebPanelOptions&, const WebPanelOptions&) = default;
};

// One picture of the panel as the window draws it, as PNG bytes: `scale`
// 1 to 4, the layout's background colour turned fully transparent when
// `transparentBackground` is set.
using PanelPicture = std::function<QByteArray(int scale, bool transparentBackground)>;
// The current values under the recording's column names, as a JSON object.
using PanelValuesJson = std::function<QByteArray()>;

// The panel for browsers: OBS's browser source, a tablet, a second PC.
//   GET /             a page with a transparent body that shows the panel and
//                     keeps it current over a WebSocket (?scale=N, ?bg=transparent)
//   GET /panel.png    the panel now (?scale=N, ?bg=transparent)
//   GET /values.json  the values now
//   /ws               WebSocket: a binary PNG frame each time the panel
//                     changes (?scale=N, ?bg=transparent), or with
//                     ?format=json a text frame of the values
// Anything else is 404, any method but GET 405. Read-only: nothing served
// changes the program, and nothing is read from disk on request. Bound to
// loopback it answers only requests whose Host is a loopback address or
// "localhost", which defeats DNS rebinding. At most kMaxClients WebSocket
// clients at once; the next gets 503. A client that stops reading is
// dropped once more than a second of frames waits for it, and never slows
// the caller. Pictures are asked for only while a client wants one.
class WebPanelServer : public QObject {
    Q_OBJECT

public:
    static constexpr int kMaxClients = 16;

    // Whether this build can serve at all: one built without Qt's HTTP
    // server refuses every Start() and says why.
    static bool Available();

    WebPanelServer(PanelPicture picture, PanelValuesJson values, QObject* parent = nullptr);
    ~WebPanelServer() override;
    WebPanelServer(const WebPanelServer&) = delete;
    WebPanelServer& operator=(const WebPanelServer&) = delete;

    // Listens on 127.0.0.1 (or every address with allowOthers) at the port;
    // false with the reason in Error() when it cannot (the port is taken).
    // A running server is stopped first.
    bool Start(const WebPanelOptions& options);
    void Stop();
    bool IsRunning() const;
    // The port listened on (the chosen one when 0 was asked for); 0 when stopped.
    std::uint16_t Port() const;
    const QString& Error() const { return error; }
    int ClientCount() const;
    // The bytes queued for the WebSocket clients, all together, that the
    // network has not taken yet.
    std::int64_t QueuedBytes() const;
    // The addresses a user can paste: http://127.0.0.1:PORT/ and, with other
    // computers allowed, one per network address of this machine.
    QStringList Urls() const;

    // The panel has changed: every WebSocket client gets one new frame, each
    // distinct picture encoded once. Costs nothing without clients.
    void PanelChanged();
    // How long, in ms, one frame stands for when judging a client that
    // stopped reading (the cycle's interval).
    void SetFrameInterval(int milliseconds);

private:
    struct Impl;
    std::unique_ptr<Impl> impl;
    PanelPicture picture;
    PanelValuesJson values;
    QString error;
};

} // namespace vanemark
