#include "settings/CPageHostDlg.h"
#include "settings/CSettingsPage.h"

#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vanemark::test {
namespace {

using Log = std::vector<std::string>;

class LoggingPage : public CSettingsPage {
public:
    LoggingPage(int pageId, Log& pageLog) : id(pageId), log(pageLog) {}
    ~LoggingPage() override { Note("deleted"); }
    bool OnInitDialog() override
    {
        Note(Host() ? "init" : "init without host");
        setMinimumSize(100 + id, 50);
        return CSettingsPage::OnInitDialog();
    }
    void OnPageShow() override { Note("show"); }
    void OnPageHide() override { Note("hide"); }
    void OnPageAdded() override { Note(isEnabled() ? "added" : "added disabled"); }
    void OnPageRemoved() override { Note("removed"); }

private:
    void Note(const char* what) { log.push_back(std::to_string(id) + " " + what); }
    int id;
    Log& log;
};

class LoggingHost : public CPageHostDlg {
public:
    explicit LoggingHost(Log& hostLog) : log(hostLog)
    {
        area = new QWidget(this);
        area->setGeometry(7, 20, 10, 10);
        SetContainer(area);
    }
    ~LoggingHost() override { RemovePages(); }
    QWidget* area;

protected:
    std::unique_ptr<CSettingsPage> CreatePage(int id) override
    {
        if (id > 2)
            return nullptr;
        return std::make_unique<LoggingPage>(id, log);
    }
    void OnPageShown(int id, bool shown) override
    {
        log.push_back("host " + std::to_string(id) + (shown ? " shown" : " hidden"));
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
        EXPECT_EQ(host.Page(9), nullptr);
        EXPECT_EQ(log, (Log{"1 init", "1 added", "2 init", "2 added"}));
        EXPECT_FALSE(host.Page(1)->isVisibleTo(&host));
        // Laid over the page area, which grew to hold the largest page.
        EXPECT_EQ(host.Page(2)->pos(), QPoint(7, 20));
        EXPECT_GE(host.area->minimumWidth(), 102);

        log.clear();
        host.ShowPage(1);
        host.ShowPage(2);
        host.ShowPage(2); // hidden and shown again
        host.ShowPage(5); // only hides
        EXPECT_EQ(log, (Log{"1 show", "host 1 shown", "1 hide", "host 1 hidden", "2 show", "host 2 shown", "2 hide",
                            "host 2 hidden", "2 show", "host 2 shown", "2 hide", "host 2 hidden"}));
        EXPECT_EQ(host.VisiblePage(), -1);

        host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
        host.area->move(30, 40);
        EXPECT_EQ(host.Page(1)->pos(), QPoint(30, 40));
        host.ShowPage(1);
        log.clear();
    }
    EXPECT_EQ(log, (Log{"1 hide", "1 removed", "1 deleted", "2 hide", "2 removed", "2 deleted"}));
}

} // namespace
} // namespace vanemark::test
