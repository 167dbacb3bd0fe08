#include "app/EditMode.h"

namespace vanemark {

PixelPoint EditMode::ToBase(QPoint windowPos, int scale)
{
    const int s = scale < 1 ? 1 : scale;
    const auto down = [s](int v) { return v >= 0 ? v / s : -((-v + s - 1) / s); };
    return {down(windowPos.x()), down(windowPos.y())};
}

} // namespace vanemark
