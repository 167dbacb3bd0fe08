#include "timing/TimerResolution.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vanemark;
using std::chrono::milliseconds;

// The system's side as a log: "+" a raise, "-" a lowering.
TEST(TimerResolution, RaisedExactlyWhileAPeriodUnder100MsIsFollowed)
{
    struct Row {
        std::vector<int> periods; // followed in turn, in ms
        bool refuse;              // the system refuses to raise
        const char* during;       // the calls the periods caused
        const char* after;        // ... and the destructor
    };
    for (const Row& row : std::vector<Row>{
             {{25}, false, "+", "+-"},
             {{25, 50, 99}, false, "+", "+-"},
             {{25, 100}, false, "+-", "+-"},
             {{500, 1000}, false, "", ""},
             {{500, 25, 500, 40}, false, "+-+", "+-+-"},
             {{0, -1}, false, "", ""},
             {{25, 0}, false, "+-", "+-"},
             {{25, 50}, true, "++", "++"},
         }) {
        std::string calls;
        {
            TimerResolution guard({[&] {
                                       calls += '+';
                                       return !row.refuse;
                                   },
                                   [&] { calls += '-'; }});
            for (const int period : row.periods) {
                guard.Follow(milliseconds(period));
            }
            EXPECT_EQ(calls, row.during) << testing::PrintToString(row.periods);
            EXPECT_EQ(guard.Raised(), !row.refuse && row.periods.back() > 0 && row.periods.back() < 100);
        }
        EXPECT_EQ(calls, row.after) << testing::PrintToString(row.periods);
    }
}
