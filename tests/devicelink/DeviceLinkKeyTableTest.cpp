#include "devicelink/DeviceLinkKeyTable.h"

#include "../support/TempDir.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace vanemark {
namespace {

std::vector<std::string> WalkNames(const DeviceLinkKeyTable& table)
{
    std::vector<std::string> names;
    table.ForEachUsed([&names](DeviceLinkKey& key) { names.push_back(key.Name()); });
    return names;
}

TEST(DeviceLinkKeyTable, ReadsFieldsFlagsTypesAndIndexes)
{
    test::TempDir dir;
    DeviceLinkKeyTable table;
    ASSERT_EQ(table.Load(dir.Write("keys.ini", "; a comment line\r\n\r\n"
                                               "  rpm[3], 40, r, d  ; engine three\r\n"
                                               "lonely\r\n"
                                               "bare 30\r\n"
                                               "title\t22\trw\tstring\r\n"
                                               "odd 50 w x\r\n"
                                               "clock 20 r i extra fields\r\n")),
              5); // "lonely" has no id and takes no record

    struct Expected {
        int id;
        const char* name;
        int index;
        std::uint32_t flags;
        TypedValue::Type type;
    };
    for (const Expected& e : {Expected{40, "rpm[3]", 2, TypedValue::Readable, TypedValue::Double},
                              {30, "bare", -1, 0u, TypedValue::Double},
                              {22, "title", -1, TypedValue::Readable | TypedValue::Writable, TypedValue::String},
                              {50, "odd", -1, TypedValue::Writable, TypedValue::Double},
                              {20, "clock", -1, TypedValue::Readable, TypedValue::Integer}}) {
        const DeviceLinkKey* key = table.KeyById(e.id);
        ASSERT_NE(key, nullptr) << e.id;
        EXPECT_EQ(key->Name(), e.name);
        EXPECT_EQ(std::tuple(key->Index(), key->Flags(), key->ValueType(), key->Precision()),
                  std::tuple(e.index, e.flags, e.type, 0))
            << e.id;
    }
}

TEST(DeviceLinkKeyTable, IndexChainsAndWalk)
{
    test::TempDir dir;
    DeviceLinkKeyTable table;
    ASSERT_EQ(table.Load(dir.Write("keys.ini", "b1 7 r\nzero 0 r\nfar 600 r\nnegative -5 r\neng[1] 64 r\na 3 r\n"
                                               "eng[2] 64 r\nb2 7 r\ntop 511 r\n")),
              9);
    EXPECT_EQ(table.KeyById(7)->Name(), "b1");
    EXPECT_EQ(table.KeyById(7)->NextOfId()->Name(), "b2");
    EXPECT_EQ(table.KeyById(7)->NextOfId()->NextOfId(), nullptr);
    EXPECT_EQ(table.KeyByIdIndex(64, 1)->Name(), "eng[2]");
    EXPECT_EQ(table.KeyByIdIndex(64, 2), nullptr);
    EXPECT_EQ(table.KeyById(0)->Name(), "zero");
    for (int id : {600, -5, 512}) {
        EXPECT_EQ(table.KeyById(id), nullptr) << id;
    }
    EXPECT_EQ(table.Count(), 9); // unindexed ids stay in the table
    EXPECT_EQ(WalkNames(table), (std::vector<std::string>{"a", "b1", "b2", "eng[1]", "eng[2]", "top"}));
}

TEST(DeviceLinkKeyTable, LongLinesAndMissingOrEmptyFiles)
{
    test::TempDir dir;
    DeviceLinkKeyTable table;
    // The id lies beyond the first 256 characters of a long line, so that line has no id.
    ASSERT_EQ(table.Load(dir.Write("keys.ini", std::string(300, 'n') + " 30 r\nshort 31 r\n")), 1);
    EXPECT_EQ(table.KeyById(30), nullptr);
    EXPECT_EQ(table.Load(dir.File("missing.ini")), -1);
    EXPECT_EQ(table.KeyById(31), nullptr);
    EXPECT_TRUE(WalkNames(table).empty());
    EXPECT_EQ(table.Load(dir.Write("empty.ini", "; only comments\r\n\r\n")), -1);
    EXPECT_EQ(table.Count(), 0);
}

} // namespace
} // namespace vanemark
