#pragma once

#include <string>

class QWidget;

namespace vanemark {

// Tells the user that a settings file could not be written: which file and
// why. The running window has taken the new values all the same.
void ShowSaveFailure(QWidget* parent, const std::string& path, const std::string& reason);

} // namespace vanemark
