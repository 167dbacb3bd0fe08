#pragma once

#include "app/AppInfo.h"
#include "app/WindowGeometry.h"

#include <QFile>
#include <QRect>
#include <QString>

#include <filesystem>

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

// A file name from Qt as the system spells it.
inline std::filesystem::path ToPath(const QString& text)
{
#ifdef _WIN32
    return {text.toStdWString()};
#else
    return {QFile::encodeName(text).toStdString()};
#endif
}

} // namespace vanemark
