// War Thunder's JSON documents: the input read as /state and as
// /indicators into one reading. A document that does not read, or one
// outside a battle, changes nothing; what is read is always something the
// panel can draw.
#include "SimReadingCheck.h"
#include "app/WarThunderJson.h"

#include <QByteArrayView>

using namespace vanemark;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView json(data, static_cast<qsizetype>(size));
    SimReading reading;
    for (const auto read : {&ReadWarThunderState, &ReadWarThunderIndicators}) {
        const SimReading before = reading;
        const WarThunderRead result = read(json, reading);
        CheckUnchangedUnlessTaken(result.inBattle ? result.verdict : Verdict::Malformed, before, reading);
        CheckReading(reading);
    }
    return 0;
}
