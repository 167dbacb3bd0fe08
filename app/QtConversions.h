#pragma once

#include "app/AppInfo.h"
#include "app/WindowGeometry.h"

#include <QRect>
#include <QString>

namespace vanemark {

inline QString AppTitleText()
{
    return QString::fromLatin1(kAppTitle.data(), static_cast<qsizetype>(kAppTitle.size()));
}

// QRect's right() and bottom() are inclusive; ScreenRect's are not.
inline ScreenRect ToScreenRect(const QRect& r)
{
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

} // namespace vanemark
