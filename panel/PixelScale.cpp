#include "panel/PixelScale.h"

#include <algorithm>
#include <cstring>

namespace vanemark {

void EnlargeNearest(const QImage& source, int factor, QImage& target)
{
    factor = std::max(factor, 1);
    const QSize size(source.width() * factor, source.height() * factor);
    if (target.size() != size || target.format() != source.format()) {
        target = QImage(size, source.format());
    }
    if (target.isNull()) {
        return;
    }
    const auto rowBytes = static_cast<std::size_t>(size.width()) * sizeof(QRgb);
    for (int y = 0; y < source.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(target.scanLine(y * factor));
        for (int x = 0; x < source.width(); ++x) {
            std::fill_n(out + static_cast<std::ptrdiff_t>(x) * factor, factor, in[x]);
        }
        // The block's other rows are copies of its first: one memcpy each.
        for (int k = 1; k < factor; ++k) {
            std::memcpy(target.scanLine(y * factor + k), out, rowBytes);
        }
    }
}

} // namespace vanemark
