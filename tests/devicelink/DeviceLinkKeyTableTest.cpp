#include "devicelink/DeviceLinkKeyTable.h"

#include "../support/TempDir.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace vanemark {
namespace {

TEST(DeviceLinkKeyTable, ReadsFieldsIdsAndIndexesAndRefusesMissingOrEmptyFiles)
{
    test::TempDir dir;
    DeviceLinkKeyTable table;
    // "lonely" has no id, nor has the long line within its first 256 characters: neither takes a record.
    ASSERT_EQ(table.Load(dir.Write("keys.ini", "; a comment line\r\n\r\n  rpm[3], 40, r, d  ; engine three\r\n"
                                               "lonely\r\nbare 30\r\ntitle\t22\trw\tstring\r\nodd 50 w x\r\n" +
                                                   std::string(300, 'n') + " 31 r\nclock 20 r i extra fields\r\n")),
              5);
    using Expected = std::tuple<int, std::string, int, std::uint32_t, TypedValue::Type>;
    for (const auto& [id, name, index, flags, type] :
         {Expected{40, "rpm[3]", 2, TypedValue::Readable, TypedValue::Double},
          {30, "bare", -1, 0u, TypedValue::Double},
          {22, "title", -1, TypedValue::Readable | TypedValue::Writable, TypedValue::String},
          {50, "odd", -1, TypedValue::Writable, TypedValue::Double},
          {20, "clock", -1, TypedValue::Readable, TypedValue::Integer}}) {
        const DeviceLinkKey* key = table.KeyById(id);
        ASSERT_NE(key, nullptr) << id;
        EXPECT_EQ(std::tuple(key->Name(), key->Index(), key->Flags(), key->ValueType(), key->Precision()),
                  std::tuple(name, index, flags, type, 0))
            << id;
    }

    // Keys sharing an id are all kept; ids outside 0..511 are dropped.
    const auto walk = [&table] {
        std::vector<std::string> names;
        table.ForEachUsed([&names](DeviceLinkKey& key) { names.push_back(key.Name()); });
        return names;
    };
    ASSERT_EQ(table.Load(dir.Write("keys.ini", "b1 7 r\nzero 0 r\nfar 600 r\nnegative -5 r\neng[1] 64 r\na 3 r\n"
                                               "eng[2] 64 r\nb2 7 r\ntop 511 r\n")),
              9);
    EXPECT_EQ(table.KeyByIdIndex(64, 1)->Name(), "eng[2]");
    EXPECT_EQ(table.KeyByIdIndex(64, 2), nullptr);
    EXPECT_EQ(table.KeyById(0)->Name(), "zero");
    EXPECT_TRUE(table.KeyById(600) == nullptr && table.KeyById(-5) == nullptr);
    EXPECT_EQ(table.Count(), 9); // unindexed ids stay in the table
    EXPECT_EQ(walk(), (std::vector<std::string>{"a", "b1", "b2", "eng[1]", "eng[2]", "top"}));

    EXPECT_EQ(table.Load(dir.File("missing.ini")), -1);
    EXPECT_EQ(table.KeyById(7), nullptr);
    EXPECT_TRUE(walk().empty());
    EXPECT_EQ(table.Load(dir.Write("empty.ini", "; only comments\r\n\r\n")), -1);
    EXPECT_EQ(table.Count(), 0);
}

} // namespace
} // namespace vanemark
