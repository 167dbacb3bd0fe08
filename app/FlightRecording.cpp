#include "app/FlightRecording.h"

#include "app/AppInfo.h"
#include "app/FrameColumns.h"
#include "app/QtConversions.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>

#include <cstdio>

namespace vanemark {

bool FlightRecording::Start(const std::filesystem::path& file)
{
    if (recorder.Open(file)) {
        return true;
    }
    Report(tr("Cannot record the flight into %1").arg(QString::fromStdString(recorder.Error())));
    return false;
}

void FlightRecording::Stop()
{
    if (recorder.IsOpen() && !recorder.Close()) {
        Report(tr("The flight recording stopped: %1").arg(QString::fromStdString(recorder.Error())));
    }
}

void FlightRecording::Choose(const QString& folder)
{
    const QString suggested = QDir(folder).filePath(DefaultFileName(QDateTime::currentDateTime()));
    const QString chosen = QFileDialog::getSaveFileName(parent, tr("Record flight"), suggested,
                                                        tr("Flight recordings (*.csv);;All files (*)"));
    if (!chosen.isEmpty()) {
        Start(ToPath(chosen));
    }
}

bool FlightRecording::StartNew(const QString& folder)
{
    // Two recordings within one second would otherwise share a name, and the
    // second would wipe out the first.
    const QString name = DefaultFileName(QDateTime::currentDateTime());
    QString path = QDir(folder).filePath(name);
    for (int n = 2; QFileInfo::exists(path); ++n) {
        path = QDir(folder).filePath(name.chopped(4) + QStringLiteral("-%1.csv").arg(n));
    }
    return Start(ToPath(path));
}

void FlightRecording::Take(const Frame& frame, std::uint32_t /*nowMs*/)
{
    if (!recorder.IsOpen()) {
        return;
    }
    if (!frame.live) {
        recorder.FlushIfDue();
        CheckFailure();
        return;
    }
    aircraft = frame.aircraft.value_or(std::string());
    recorder.Record(ColumnValues(frame), aircraft, frame.hand);
    CheckFailure();
}

void FlightRecording::CheckFailure()
{
    if (!recorder.IsOpen() && !recorder.Error().empty()) {
        Report(tr("The flight recording stopped: %1").arg(QString::fromStdString(recorder.Error())));
    }
}

QString FlightRecording::DefaultFileName(const QDateTime& when)
{
    return when.toString(QStringLiteral("'vanemark-'yyyyMMdd-HHmmss'.csv'"));
}

void FlightRecording::Report(const QString& message) const
{
    std::fprintf(stderr, "vanemark: %s\n", message.toLocal8Bit().constData());
    // Nobody could dismiss a box on the offscreen platform. Elsewhere the box
    // stands on its own, so the panel keeps moving while it waits to be read.
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
        return;
    }
    auto* box = new QMessageBox(QMessageBox::Warning,
                                QString::fromLatin1(kAppTitle.data(), static_cast<qsizetype>(kAppTitle.size())),
                                message, QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}

} // namespace vanemark
