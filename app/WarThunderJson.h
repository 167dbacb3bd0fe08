#pragma once

#include "simfeeds/SimReading.h"

#include <QByteArrayView>

namespace vanemark {

// War Thunder's local web server describes the battle in two JSON documents:
// /state (controls and speed) and /indicators (the artificial horizon and
// the aircraft's type). Both say "valid": false outside a battle.
inline constexpr qsizetype kMaxWarThunderDocument = qsizetype{256} * 1024;

struct WarThunderRead {
    Verdict verdict = Verdict::Malformed;
    bool inBattle = false;
};

// Each writes the values its document carries into `reading`: a key that is
// missing is absent; one of the wrong type, NaN or absurd is absent too and
// makes the verdict BadValue. A document that is not a JSON object, or one
// outside a battle, changes nothing.
WarThunderRead ReadWarThunderState(QByteArrayView json, SimReading& reading);
WarThunderRead ReadWarThunderIndicators(QByteArrayView json, SimReading& reading);

} // namespace vanemark
