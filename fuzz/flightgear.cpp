// FlightGear datagrams of our generic protocol (the whole input one
// datagram, then each half again): a datagram that does not read changes
// nothing, and what is read is always something the panel can draw.
#include "SimReadingCheck.h"
#include "simfeeds/FlightGearLine.h"

#include <string_view>

using namespace vanemark;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    SimReading reading;
    for (const std::string_view datagram : {input, input.substr(0, size / 2), input.substr(size / 2)}) {
        const SimReading before = reading;
        const Verdict verdict = ReadFlightGearDatagram(datagram, reading);
        CheckUnchangedUnlessTaken(verdict, before, reading);
        CheckReading(reading);
    }
    return 0;
}
