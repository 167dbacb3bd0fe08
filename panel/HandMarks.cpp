#include "panel/PanelValues.h"

#include <algorithm>
#include <cmath>

namespace vanemark {

namespace {

bool SameMark(double a, double b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

bool Drawn(double v)
{
    return std::isfinite(v);
}

} // namespace

bool HandMarks::Any() const
{
    return (Drawn(stickX) && Drawn(stickY)) || std::any_of(bars.begin(), bars.end(), Drawn);
}

bool operator==(const HandMarks& a, const HandMarks& b)
{
    return SameMark(a.stickX, b.stickX) && SameMark(a.stickY, b.stickY) &&
           std::equal(a.bars.begin(), a.bars.end(), b.bars.begin(), SameMark);
}

} // namespace vanemark
