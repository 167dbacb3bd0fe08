#include "AppTestSupport.h"

#include "core/ProfileFile.h"

#include <QFile>
#include <QTest>

#include <gtest/gtest.h>

namespace vanemark::test {

WorkFolder::WorkFolder() : previous(QDir::currentPath())
{
    if (dir.isValid()) {
        QDir::setCurrent(dir.path());
    } else {
        ADD_FAILURE() << "no temporary working folder";
    }
}

WorkFolder::~WorkFolder()
{
    QDir::setCurrent(previous);
}

void WorkFolder::Write(const QString& name, const std::string& text) const
{
    std::string crlf;
    for (char c : text) {
        if (c == '\n') {
            crlf += '\r';
        }
        crlf += c;
    }
    QFile file(Path(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(crlf.data(), static_cast<qint64>(crlf.size()));
}

std::string WorkFolder::Read(const QString& name) const
{
    QFile file(Path(name));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll().toStdString();
}

void WorkFolder::CopyShippedFiles() const
{
    const QString res = QStringLiteral(VANEMARK_SOURCE_DIR "/res/");
    for (const QString& name : {QStringLiteral("Vanemark.cfg"), QStringLiteral("dlkeys.ini")}) {
        QFile::remove(Path(name));
        ASSERT_TRUE(QFile::copy(res + name, Path(name))) << name.toStdString();
    }
}

std::unique_ptr<CVanemarkDlg> StartWindow(WorkFolder& folder, const std::string& settings, bool show,
                                          LaunchOptions options)
{
    if (!settings.empty()) {
        folder.Write("Vanemark.ini", "[settings]\n" + settings);
    }
    auto window = std::make_unique<CVanemarkDlg>(std::move(options));
    window->OnInitDialog();
    if (show) {
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    return window;
}

void OnEvent(QObject& target, QEvent::Type type, std::function<void()> handler)
{
    class Hook : public QObject {
    public:
        Hook(QObject& t, QEvent::Type ty, std::function<void()> h) : QObject(&t), type(ty), handler(std::move(h))
        {
            t.installEventFilter(this);
        }
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == type) {
                handler();
            }
            return false;
        }
        QEvent::Type type;
        std::function<void()> handler;
    };
    new Hook(target, type, std::move(handler));
}

std::string SettingsValue(const WorkFolder& folder, const std::string& key)
{
    ProfileFile profile(folder.Path(QStringLiteral("Vanemark.ini")).toStdString(), '#');
    return profile.GetString("settings", key, std::string_view(""), 1024);
}

} // namespace vanemark::test
