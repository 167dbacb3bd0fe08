#include "hotkeys/PortalHotkeys.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QKeySequence>
#include <QRandomGenerator>

#include <algorithm>
#include <array>
#include <utility>

namespace vanemark {

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kShortcuts = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString kRequest = QStringLiteral("org.freedesktop.portal.Request");
// Long enough for the bus to start a portal that is not yet running; a bus
// without one answers at once.
constexpr int kProbeTimeoutMs = 2000;

// One entry of BindShortcuts' a(sa{sv}).
struct Shortcut {
    QString id;
    QVariantMap properties;
};

QDBusArgument& operator<<(QDBusArgument& out, const Shortcut& shortcut)
{
    out.beginStructure();
    out << shortcut.id << shortcut.properties;
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, Shortcut& shortcut)
{
    in.beginStructure();
    in >> shortcut.id >> shortcut.properties;
    in.endStructure();
    return in;
}

// The key's xkbcommon keysym name; empty for a key without one here, which
// leaves the choice of trigger to the user.
QString KeyName(Qt::Key key)
{
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        return QChar(u'a' + (key - Qt::Key_A));
    }
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        return QChar(u'0' + (key - Qt::Key_0));
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35) {
        return QStringLiteral("F%1").arg(key - Qt::Key_F1 + 1);
    }
    static constexpr std::array names{
        std::pair{Qt::Key_Space, "space"},
        std::pair{Qt::Key_Return, "Return"},
        std::pair{Qt::Key_Enter, "KP_Enter"},
        std::pair{Qt::Key_Escape, "Escape"},
        std::pair{Qt::Key_Tab, "Tab"},
        std::pair{Qt::Key_Backspace, "BackSpace"},
        std::pair{Qt::Key_Insert, "Insert"},
        std::pair{Qt::Key_Delete, "Delete"},
        std::pair{Qt::Key_Home, "Home"},
        std::pair{Qt::Key_End, "End"},
        std::pair{Qt::Key_PageUp, "Page_Up"},
        std::pair{Qt::Key_PageDown, "Page_Down"},
        std::pair{Qt::Key_Left, "Left"},
        std::pair{Qt::Key_Right, "Right"},
        std::pair{Qt::Key_Up, "Up"},
        std::pair{Qt::Key_Down, "Down"},
        std::pair{Qt::Key_Pause, "Pause"},
        std::pair{Qt::Key_Print, "Print"},
        std::pair{Qt::Key_ScrollLock, "Scroll_Lock"},
        std::pair{Qt::Key_Minus, "minus"},
        std::pair{Qt::Key_Equal, "equal"},
        std::pair{Qt::Key_Plus, "plus"},
        std::pair{Qt::Key_Comma, "comma"},
        std::pair{Qt::Key_Period, "period"},
        std::pair{Qt::Key_Slash, "slash"},
        std::pair{Qt::Key_Backslash, "backslash"},
        std::pair{Qt::Key_Semicolon, "semicolon"},
        std::pair{Qt::Key_Apostrophe, "apostrophe"},
        std::pair{Qt::Key_BracketLeft, "bracketleft"},
        std::pair{Qt::Key_BracketRight, "bracketright"},
        std::pair{Qt::Key_QuoteLeft, "grave"},
    };
    const auto* found = std::find_if(names.begin(), names.end(), [key](const auto& name) { return name.first == key; });
    return found == names.end() ? QString() : QString::fromLatin1(found->second);
}

// The combination in the XDG shortcuts notation, e.g. "CTRL+ALT+h".
QString Trigger(QKeyCombination keys)
{
    const QString key = KeyName(keys.key());
    if (key.isEmpty()) {
        return {};
    }
    QStringList parts;
    for (const auto& [modifier, name] : {std::pair{Qt::ControlModifier, "CTRL"}, std::pair{Qt::AltModifier, "ALT"},
                                         std::pair{Qt::ShiftModifier, "SHIFT"}, std::pair{Qt::MetaModifier, "LOGO"}}) {
        if (keys.keyboardModifiers().testFlag(modifier)) {
            parts << QString::fromLatin1(name);
        }
    }
    parts << key;
    return parts.join(u'+');
}

} // namespace

PortalHotkeys::PortalHotkeys(QDBusConnection bus, QObject* parent) : GlobalHotkeys(parent), portalBus(std::move(bus))
{
    qDBusRegisterMetaType<Shortcut>();
    qDBusRegisterMetaType<QList<Shortcut>>();
}

PortalHotkeys::~PortalHotkeys()
{
    Close(ourSession);
}

QString PortalHotkeys::Unavailable() const
{
    if (!unavailableWhy) {
        QDBusMessage get = QDBusMessage::createMethodCall(
            kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
        get << kShortcuts << QStringLiteral("version");
        const bool offered = portalBus.call(get, QDBus::Block, kProbeTimeoutMs).type() == QDBusMessage::ReplyMessage;
        unavailableWhy =
            offered ? QString()
                    : QCoreApplication::translate("vanemark::GlobalHotkeys", "This desktop offers no global hotkeys.");
    }
    return *unavailableWhy;
}

std::vector<HotkeyState> PortalHotkeys::Replace(const std::vector<Hotkey>& hotkeys)
{
    // A session still being created is let go as well: its answer, no longer
    // wanted, closes it when it comes.
    Close(ourSession);
    ourSession.clear();
    createRequest.clear();
    wanted = hotkeys;
    std::vector<HotkeyState> states(hotkeys.size(), HotkeyState::Unavailable);
    if (hotkeys.empty() || !Unavailable().isEmpty()) {
        return states;
    }
    if (!activatedWatched) {
        activatedWatched = portalBus.connect(kService, kPath, kShortcuts, QStringLiteral("Activated"), this,
                                             SLOT(OnActivated(QDBusMessage)));
    }
    const QString token = QStringLiteral("vanemark%1").arg(QRandomGenerator::global()->generate());
    createRequest = Request(QStringLiteral("CreateSession"), {}, {{QStringLiteral("session_handle_token"), token}});
    states.assign(hotkeys.size(), HotkeyState::Bound);
    return states;
}

void PortalHotkeys::SetDescriptions(std::map<int, QString> descriptions)
{
    described = std::move(descriptions);
}

QString PortalHotkeys::Request(const QString& method, QVariantList arguments, QVariantMap options)
{
    const QString token = QStringLiteral("vanemark%1").arg(QRandomGenerator::global()->generate());
    options.insert(QStringLiteral("handle_token"), token);
    const QString sender = portalBus.baseService().mid(1).replace(u'.', u'_');
    QString predicted = QStringLiteral("%1/request/%2/%3").arg(kPath, sender, token);
    WatchResponse(predicted, true);

    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kShortcuts, method);
    arguments << options;
    call.setArguments(arguments);
    auto* watcher = new QDBusPendingCallWatcher(portalBus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, predicted](QDBusPendingCallWatcher* finished) {
        finished->deleteLater();
        const QDBusPendingReply<QDBusObjectPath> reply = *finished;
        const QString actual = reply.isValid() ? reply.value().path() : QString();
        if (actual == predicted) {
            return;
        }
        // A portal that chose its own path, or refused the call: follow it,
        // though a Response sent before now is lost.
        WatchResponse(predicted, false);
        if (!actual.isEmpty()) {
            WatchResponse(actual, true);
        }
        if (createRequest == predicted) {
            createRequest = actual;
        }
    });
    return predicted;
}

void PortalHotkeys::WatchResponse(const QString& request, bool watch)
{
    const QString signal = QStringLiteral("Response");
    const char* slot = SLOT(OnResponse(uint, QVariantMap, QDBusMessage));
    if (watch) {
        portalBus.connect(kService, request, kRequest, signal, this, slot);
    } else {
        portalBus.disconnect(kService, request, kRequest, signal, this, slot);
    }
}

void PortalHotkeys::OnResponse(uint response, const QVariantMap& results, const QDBusMessage& message)
{
    WatchResponse(message.path(), false);
    const bool wanted = !createRequest.isEmpty() && message.path() == createRequest;
    if (wanted) {
        createRequest.clear();
    }
    // Only CreateSession answers with a session; BindShortcuts' answer needs
    // nothing more.
    const QVariant handle = results.value(QStringLiteral("session_handle"));
    if (!handle.isValid()) {
        return;
    }
    const QString session = handle.metaType() == QMetaType::fromType<QDBusObjectPath>()
                                ? handle.value<QDBusObjectPath>().path()
                                : handle.toString();
    if (wanted && response == 0) {
        ourSession = session;
        Bind();
    } else {
        Close(session);
    }
}

void PortalHotkeys::Bind()
{
    QList<Shortcut> shortcuts;
    for (const Hotkey& hotkey : wanted) {
        const auto description = described.find(hotkey.id);
        QVariantMap properties{{QStringLiteral("description"), description != described.end()
                                                                   ? description->second
                                                                   : QKeySequence(hotkey.keys).toString()}};
        const QString trigger = Trigger(hotkey.keys);
        if (!trigger.isEmpty()) {
            properties.insert(QStringLiteral("preferred_trigger"), trigger);
        }
        shortcuts.append({QString::number(hotkey.id), properties});
    }
    Request(QStringLiteral("BindShortcuts"),
            {QVariant::fromValue(QDBusObjectPath(ourSession)), QVariant::fromValue(shortcuts), QString()}, {});
}

void PortalHotkeys::Close(const QString& session)
{
    if (!session.isEmpty()) {
        portalBus.send(QDBusMessage::createMethodCall(
            kService, session, QStringLiteral("org.freedesktop.portal.Session"), QStringLiteral("Close")));
    }
}

void PortalHotkeys::OnActivated(const QDBusMessage& message)
{
    // Read from the message: a slot taking QDBusObjectPath finds its type by
    // name, which Qt may not have registered yet.
    const QVariantList arguments = message.arguments();
    if (ourSession.isEmpty() || arguments.size() < 2 || arguments[0].value<QDBusObjectPath>().path() != ourSession) {
        return;
    }
    bool ok = false;
    const int id = arguments[1].toString().toInt(&ok);
    if (ok && std::any_of(wanted.begin(), wanted.end(), [id](const Hotkey& hotkey) { return hotkey.id == id; })) {
        Q_EMIT activated(id);
    }
}

} // namespace vanemark
