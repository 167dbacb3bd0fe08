#include "settings/CPageHostDlg.h"
#include "settings/CSettingsPage.h"

#include <QStackedWidget>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vanemark::test {
namespace {

using Log = std::vector<std::string>;

// Notes every notification; pages grow with their id.
class LoggingPage : public CSettingsPage {
public:
    LoggingPage(int pageId, Log& pageLog) : id(std::to_string(pageId)), log(pageLog) { setMinimumHeight(50 * pageId); }
    ~LoggingPage() override { log.push_back(id + " deleted"); }
    bool OnInitDialog() override { return log.push_back(id + (Host() ? " init" : " no host")), true; }
    void OnPageShow() override { log.push_back(id + " show"); }
    void OnPageHide() override { log.push_back(id + " hide"); }
    void OnPageAdded() override { log.push_back(id + (isEnabled() ? " added" : " disabled")); }
    void OnPageRemoved() override { log.push_back(id + " removed"); }

private:
    std::string id;
    Log& log;
};

class LoggingHost : public CPageHostDlg {
public:
    explicit LoggingHost(Log& hostLog) : log(hostLog) { (new QVBoxLayout(this))->addWidget(&PageStack()); }
    ~LoggingHost() override { RemovePages(); }

protected:
    std::unique_ptr<CSettingsPage> CreatePage(int id) override
    {
        return id > 2 ? nullptr : std::make_unique<LoggingPage>(id, log);
    }
    void OnPageShown(int id, bool shown) override
    {
        log.push_back(std::to_string(id) + (shown ? " shown" : " hidden"));
    }

private:
    Log& log;
};

TEST(PageHostTest, PagesAreAddedShownHiddenAndRemovedInOrder)
{
    Log log;
    {
        LoggingHost host(log);
        EXPECT_EQ(host.AddPage(1), 0);
        EXPECT_EQ(host.AddPage(2), 0);
        EXPECT_EQ(host.AddPage(9), -1);
        EXPECT_EQ(host.VisiblePage(), -1);
        host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
        host.ShowPage(1);
        EXPECT_GE(host.Page(1)->height(), 100); // the page area holds the largest page
        host.ShowPage(2);
        host.ShowPage(2); // hidden and shown again
        EXPECT_FALSE(host.Page(1)->isVisible());
        host.ShowPage(5); // only hides
        EXPECT_FALSE(host.Page(2)->isVisible());
        EXPECT_EQ(host.VisiblePage(), -1);
        host.ShowPage(1);
        EXPECT_EQ(host.VisiblePage(), 1);
    }
    EXPECT_EQ(log, (Log{"1 init", "1 added", "2 init", "2 added",   "1 show",    "1 shown", "1 hide",    "1 hidden",
                        "2 show", "2 shown", "2 hide", "2 hidden",  "2 show",    "2 shown", "2 hide",    "2 hidden",
                        "1 show", "1 shown", "1 hide", "1 removed", "1 deleted", "2 hide",  "2 removed", "2 deleted"}));
}

} // namespace
} // namespace vanemark::test
