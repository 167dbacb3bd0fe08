#include "settings/SaveFailure.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace vanemark {

void ShowSaveFailure(QWidget* parent, const std::string& path, const std::string& reason)
{
    // The same words as settings::SaveFailureText, in the user's language.
    const QString why =
        reason.empty() ? QCoreApplication::translate("vanemark", "unknown error") : QString::fromStdString(reason);
    QMessageBox::warning(parent, QStringLiteral("Vanemark"),
                         QCoreApplication::translate("vanemark", "The settings could not be saved to %1: %2.")
                             .arg(QString::fromStdString(path), why));
}

} // namespace vanemark
