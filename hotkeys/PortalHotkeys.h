#pragma once

#include "hotkeys/GlobalHotkeys.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

#include <map>
#include <optional>

namespace vanemark {

// Wayland's hotkeys, through the desktop portal's GlobalShortcuts: the program
// names its shortcuts and the combinations it would like, and the desktop,
// which may ask the user first, decides what finally triggers them.
class PortalHotkeys final : public GlobalHotkeys {
    Q_OBJECT

public:
    explicit PortalHotkeys(QDBusConnection bus, QObject* parent = nullptr);
    ~PortalHotkeys() override;

    QString Unavailable() const override;
    // The desktop binds asynchronously, so a hotkey counts as bound as soon as
    // the portal has been asked; the desktop's own settings show the outcome.
    std::vector<HotkeyState> Replace(const std::vector<Hotkey>& hotkeys) override;
    // What the desktop shows the user for each hotkey id, from the next Replace
    // on; an id without one shows its key combination.
    void SetDescriptions(std::map<int, QString> descriptions);

private Q_SLOTS:
    void OnResponse(uint response, const QVariantMap& results, const QDBusMessage& message);
    void OnActivated(const QDBusMessage& message);

private: // NOLINT(readability-redundant-access-specifiers): Q_SLOTS means nothing outside moc
    // Calls a portal method that answers through a Request object: the
    // Response is subscribed at the predicted path before the call goes out.
    QString Request(const QString& method, QVariantList arguments, QVariantMap options);
    void WatchResponse(const QString& request, bool watch);
    void Close(const QString& session);
    void Bind();

    QDBusConnection portalBus;
    mutable std::optional<QString> unavailableWhy;
    std::map<int, QString> described;
    std::vector<Hotkey> wanted;
    QString createRequest; // the CreateSession whose session is wanted
    QString ourSession;
    bool activatedWatched = false;
};

} // namespace vanemark
