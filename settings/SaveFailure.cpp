#include "settings/SaveFailure.h"

#include "config/SettingsFile.h"

#include <QMessageBox>

namespace vanemark {

void ShowSaveFailure(QWidget* parent, const std::string& path, const std::string& reason)
{
    QMessageBox::warning(parent, QStringLiteral("Vanemark"),
                         QString::fromStdString(settings::SaveFailureText(path, reason)));
}

} // namespace vanemark
