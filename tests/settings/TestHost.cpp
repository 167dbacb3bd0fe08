#include "TestHost.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTimer>

#include <fstream>
#include <sstream>

namespace vanemark::test {

TestHost::TestHost(std::string settingsPath) : path(std::move(settingsPath))
{
    // As the main window starts the panel.
    panel.resize(140, 140);
    panel.backgroundColour = 0;
    panel.SetInstrumentColour(0xC0FFC0);
    panel.flapsColour = 0xC2C2C2;
    panel.pitchUpColour = 0x808080;
    panel.pitchDownColour = 0x80FF80;
    panel.stickColour = 0x00FF00;
    panel.showTitle = 0;
    panel.SetFont(QString::fromStdString(fontName), fontSize);
}

void TestHost::SetInterval(std::int32_t milliseconds)
{
    ++setIntervalCalls;
    if (milliseconds == interval)
        return;
    milliseconds = std::max(milliseconds, 25);
    interval = milliseconds / 25 * 25;
}

void TestHost::SetPanelFont(const std::string& faceName, std::int32_t pointSize)
{
    ++setFontCalls;
    fontName = faceName;
    fontSize = pointSize;
    panel.SetFont(QString::fromStdString(faceName), pointSize);
}

void TestHost::SetShowTitle(bool show)
{
    ++setShowTitleCalls;
    showTitle = show;
    panel.showTitle = show ? 1 : 0;
    panel.Refresh();
}

TempFolder::TempFolder() : previous(QDir::currentPath())
{
    QDir::setCurrent(dir.path());
}

TempFolder::~TempFolder()
{
    QDir::setCurrent(previous);
}

std::string TempFolder::File(const char* name) const
{
    return dir.filePath(QString::fromLatin1(name)).toStdString();
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

bool HandleModal(const std::function<void()>& action, const std::function<bool(QWidget&)>& handler)
{
    bool handled = false;
    int ticks = 0;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!handled && modal && handler(*modal))
            handled = true;
        // A test fails cleanly rather than hanging on a dialog nobody closes.
        if (++ticks > 1000 && modal)
            modal->close();
    });
    poll.start();
    action();
    poll.stop();
    return handled;
}

std::optional<QString> AnswerMessageBox(const std::function<void()>& action)
{
    std::optional<QString> text;
    HandleModal(action, [&](QWidget& modal) {
        auto* box = qobject_cast<QMessageBox*>(&modal);
        if (!box)
            return false;
        text = box->text();
        box->done(QMessageBox::Ok);
        return true;
    });
    return text;
}

} // namespace vanemark::test
