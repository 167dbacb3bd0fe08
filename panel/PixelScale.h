#pragma once

#include <QImage>

namespace vanemark {

// Every pixel of `source` becomes a factor x factor block of `target`, with
// no smoothing: a scaled panel stays as crisp as the 1x one, and its pixel
// (x, y) is exactly the 1x pixel (x / factor, y / factor). `target` is
// reallocated only when its size or format must change. `source` must be a
// 32-bit format, as the panel's back buffer is.
void EnlargeNearest(const QImage& source, int factor, QImage& target);

} // namespace vanemark
