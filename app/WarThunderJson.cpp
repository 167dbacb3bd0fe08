#include "app/WarThunderJson.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

#include <algorithm>
#include <optional>

namespace vanemark {

namespace {

constexpr double kMaxPercent = 1000.0;
constexpr double kMaxSpeedKmh = 5000.0;
constexpr double kMaxDegrees = 360.0;
constexpr qsizetype kMaxNameLength = 255;

// The object of a document in a battle; nullopt (with the verdict set) otherwise.
std::optional<QJsonObject> BattleObject(QByteArrayView json, WarThunderRead& read)
{
    if (json.size() > kMaxWarThunderDocument) {
        read.verdict = Verdict::Oversized;
        return std::nullopt;
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json.toByteArray(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        read.verdict = json.isEmpty() ? Verdict::Short : Verdict::Malformed;
        return std::nullopt;
    }
    QJsonObject object = document.object();
    const QJsonValue valid = object.value(QLatin1String("valid"));
    if (!valid.isBool()) {
        read.verdict = Verdict::Malformed;
        return std::nullopt;
    }
    read.verdict = Verdict::Taken;
    read.inBattle = valid.toBool();
    if (!read.inBattle) {
        return std::nullopt;
    }
    return object;
}

// The number under `key` scaled by `factor`, or absent; `ok` turns false for
// a value present but unusable.
double Number(const QJsonObject& object, const char* key, double limit, double factor, bool& ok)
{
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined() || value.isNull()) {
        return SimReading::kAbsent;
    }
    if (!value.isDouble() || !Plausible(value.toDouble(), limit)) {
        ok = false;
        return SimReading::kAbsent;
    }
    return value.toDouble() * factor;
}

} // namespace

WarThunderRead ReadWarThunderState(QByteArrayView json, SimReading& reading)
{
    WarThunderRead read;
    const auto object = BattleObject(json, read);
    if (!object) {
        return read;
    }
    bool ok = true;
    const auto control = [](double percent) { return std::clamp(percent, -1.0, 1.0); };
    const auto ratio = [](double fraction) { return FromRatio(std::clamp(fraction, 0.0, 1.0)); };
    reading[Reading::StickX] = control(Number(*object, "aileron, %", kMaxPercent, 0.01, ok));
    reading[Reading::StickY] = control(Number(*object, "elevator, %", kMaxPercent, 0.01, ok));
    reading[Reading::Rudder] = control(Number(*object, "rudder, %", kMaxPercent, 0.01, ok));
    reading[Reading::Flaps] = ratio(Number(*object, "flaps, %", kMaxPercent, 0.01, ok));
    // War emergency power reads past 100 %: the bar is simply full.
    reading[Reading::Power] = ratio(Number(*object, "throttle 1, %", kMaxPercent, 0.01, ok));
    reading[Reading::Speed] = Number(*object, "IAS, km/h", kMaxSpeedKmh, 1.0, ok);
    read.verdict = ok ? Verdict::Taken : Verdict::BadValue;
    return read;
}

WarThunderRead ReadWarThunderIndicators(QByteArrayView json, SimReading& reading)
{
    WarThunderRead read;
    const auto object = BattleObject(json, read);
    if (!object) {
        return read;
    }
    bool ok = true;
    reading[Reading::Bank] = Number(*object, "aviahorizon_roll", kMaxDegrees, 1.0, ok);
    reading[Reading::Pitch] = Number(*object, "aviahorizon_pitch", kMaxDegrees, 1.0, ok);
    const QJsonValue type = object->value(QLatin1String("type"));
    if (type.isString()) {
        QString name = type.toString().left(kMaxNameLength);
        for (QChar& c : name) {
            if (c.unicode() < 0x20 || c.unicode() >= 0x7F) {
                c = QLatin1Char('?');
            }
        }
        reading.aircraft = name.toStdString();
    } else {
        ok = ok && type.isUndefined();
        reading.aircraft.reset();
    }
    read.verdict = ok ? Verdict::Taken : Verdict::BadValue;
    return read;
}

} // namespace vanemark
