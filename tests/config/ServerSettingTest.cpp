#include "config/ServerSetting.h"

#include <gtest/gtest.h>

using namespace vanemark::settings;

// Each stored value reads as the setting; a setting written back reads the
// same again, so start-up and the General page agree on every value.
TEST(ServerSetting, ParsesAnySeparatorAndRoundTrips)
{
    const std::pair<const char*, ServerSetting> cases[] = {
        {"21100 127.0.0.1 127.0.0.1", {21100, "127.0.0.1", "127.0.0.1"}},
        {"4000,sim.local,\t192.168.1.5", {4000, "sim.local", "192.168.1.5"}},
        {"65535=h", {65535, "h", ""}},
        {"7", {7, "127.0.0.1", ""}},
        {"", {21100, "127.0.0.1", ""}},
        {"abc host", {0, "host", ""}},
    };
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(ParseServer(value), expected) << value;
        EXPECT_EQ(ParseServer(FormatServer(expected)), expected) << value;
    }
    for (const char* address : {"a b", "a,b", "a=b", "a\tb", "a#b", "sim.local"}) {
        EXPECT_EQ(IsStorableAddress(address), std::string_view(address) == "sim.local") << address;
    }
}
