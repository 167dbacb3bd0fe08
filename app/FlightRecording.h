#pragma once

#include "app/FrameOutput.h"
#include "flightlog/FlightRecorder.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QString>

#include <filesystem>
#include <string>

class QWidget;

namespace vanemark {

// The window's flight recording: what "Record flight..." and --record start,
// one row per cycle while there is something to record, and the end of it
// when the disk refuses a write. A failure is told once (standard error and,
// where someone can dismiss it, a message box that does not block the
// window) and leaves the rows written so far readable.
class FlightRecording final : public FrameOutput {
    Q_DECLARE_TR_FUNCTIONS(FlightRecording)

public:
    // `parent` owns the dialogs and message boxes; may be nullptr.
    explicit FlightRecording(QWidget* parent = nullptr) : parent(parent) {}

    // false when the file cannot be created; the failure has been told.
    bool Start(const std::filesystem::path& file);
    // Writes what waits and closes; a failed last write is told.
    void Stop();
    bool IsRecording() const { return recorder.IsOpen(); }
    // Asks for a file, offering DefaultFileName in `folder`, and starts;
    // nothing happens when the user cancels.
    void Choose(const QString& folder);
    // Starts at once in `folder`, on a DefaultFileName no file has yet.
    bool StartNew(const QString& folder);
    // One cycle. A row of the frame's values, aircraft and hand while the frame is
    // live (the link is up, or the demo runs); otherwise only a due flush, so
    // an idle link still gets its earlier rows onto the disk within a second.
    void Take(const Frame& frame, std::uint32_t nowMs) override;
    // "FILE: reason" of the failure that ended the last recording; empty without one.
    const std::string& Error() const { return recorder.Error(); }

    // vanemark-YYYYMMDD-HHMMSS.csv
    static QString DefaultFileName(const QDateTime& when);

private:
    void Report(const QString& message) const;
    void CheckFailure();

    QWidget* parent;
    FlightRecorder recorder;
    std::string aircraft; // reused between rows
};

} // namespace vanemark
