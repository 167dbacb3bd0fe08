#include "simfeeds/SimReading.h"

#include <cmath>

namespace vanemark {

const char* VerdictName(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Taken:
        return "taken";
    case Verdict::Short:
        return "short";
    case Verdict::Oversized:
        return "oversized";
    case Verdict::WrongId:
        return "wrong id";
    case Verdict::BadValue:
        return "bad value";
    case Verdict::Malformed:
        break;
    }
    return "malformed";
}

bool Plausible(double value, double limit)
{
    return std::isfinite(value) && std::fabs(value) <= limit;
}

} // namespace vanemark
