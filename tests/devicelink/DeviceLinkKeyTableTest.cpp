#include "devicelink/DeviceLinkKeyTable.h"
#include "devicelink/DeviceLinkClient.h"

#include "../support/TempDir.h"

#include <gtest/gtest.h>

#include <vector>

namespace vanemark {
namespace {

std::vector<std::string> WalkNames(const DeviceLinkKeyTable& table)
{
    std::vector<std::string> names;
    table.ForEachUsed([&names](DeviceLinkKey& key) { names.push_back(key.name); });
    return names;
}

TEST(DeviceLinkKeyTable, ReadsFieldsFlagsTypesAndIndexes)
{
    test::TempDir dir;
    const std::string path = dir.Write("keys.ini", "; a comment line\r\n"
                                                   "\r\n"
                                                   "  rpm[3], 40, r, d  ; engine three\r\n"
                                                   "lonely\r\n"
                                                   "bare 30\r\n"
                                                   "title\t22\trw\tstring\r\n"
                                                   "odd 50 w x\r\n"
                                                   "clock 20 r i extra fields\r\n");
    DeviceLinkKeyTable table;
    ASSERT_EQ(table.Load(path), 5); // "lonely" has no id and takes no record

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
        EXPECT_EQ(key->name, e.name);
        EXPECT_EQ(key->index, e.index) << e.id;
        EXPECT_EQ(key->flags, e.flags) << e.id;
        EXPECT_EQ(key->type, e.type) << e.id;
        EXPECT_EQ(key->precision, 0) << e.id;
    }
}

TEST(DeviceLinkKeyTable, IndexChainsAndWalk)
{
    test::TempDir dir;
    const std::string path = dir.Write("keys.ini", "b1 7 r\n"
                                                   "zero 0 r\n"
                                                   "far 600 r\n"
                                                   "negative -5 r\n"
                                                   "eng[1] 64 r\n"
                                                   "a 3 r\n"
                                                   "eng[2] 64 r\n"
                                                   "b2 7 r\n"
                                                   "top 511 r\n");
    DeviceLinkKeyTable table;
    ASSERT_EQ(table.Load(path), 9);

    EXPECT_EQ(table.KeyById(7)->name, "b1");
    EXPECT_EQ(table.KeyById(7)->NextOfId()->name, "b2");
    EXPECT_EQ(table.KeyById(7)->NextOfId()->NextOfId(), nullptr);
    EXPECT_EQ(table.KeyByIdIndex(64, 1)->name, "eng[2]");
    EXPECT_EQ(table.KeyByIdIndex(64, 2), nullptr);
    EXPECT_EQ(table.KeyById(0)->name, "zero");
    EXPECT_EQ(table.KeyById(600), nullptr);
    EXPECT_EQ(table.KeyById(-5), nullptr);
    EXPECT_EQ(table.KeyById(512), nullptr);
    EXPECT_EQ(table.Count(), 9); // unindexed ids stay in the table

    EXPECT_EQ(WalkNames(table), (std::vector<std::string>{"a", "b1", "b2", "eng[1]", "eng[2]", "top"}));
    EXPECT_EQ(table.NextUsedId(0), 3);
    EXPECT_EQ(table.NextUsedId(64), 511);
    EXPECT_EQ(table.NextUsedId(511), 0);
}

TEST(DeviceLinkKeyTable, LongLinesAndMissingOrEmptyFiles)
{
    test::TempDir dir;
    DeviceLinkKeyTable table;
    // The id lies beyond the first 256 characters of a long line, so that line has no id.
    ASSERT_EQ(table.Load(dir.Write("keys.ini", std::string(300, 'n') + " 30 r\nshort 31 r\n")), 1);
    EXPECT_EQ(table.KeyById(30), nullptr);
    EXPECT_NE(table.KeyById(31), nullptr);
    EXPECT_EQ(table.Load(dir.File("missing.ini")), -1);
    EXPECT_EQ(table.Count(), 0);
    EXPECT_EQ(table.KeyById(30), nullptr);
    EXPECT_TRUE(WalkNames(table).empty());

    EXPECT_EQ(table.Load(dir.Write("empty.ini", "; only comments\r\n\r\n")), -1);
    EXPECT_EQ(table.Count(), 0);
}

TEST(DeviceLinkKeyTable, ShippedTableDeclaresWhatTheApplicationNeeds)
{
    DeviceLinkClient client;
    ASSERT_GT(client.LoadKeys(VANEMARK_SOURCE_DIR "/res/dlkeys.ini"), 0);

    EXPECT_EQ(client.KeyById(20)->type, TypedValue::Integer);
    for (int id : {2, 22}) {
        ASSERT_NE(client.KeyById(id), nullptr) << id;
        EXPECT_EQ(client.KeyById(id)->type, TypedValue::String) << id;
        EXPECT_TRUE(client.KeyById(id)->Has(TypedValue::Readable)) << id;
    }
    for (int id : {20, 30, 80, 82, 84, 86, 88, 48, 46, 92, 90, 42, 94, 96, 98}) {
        const DeviceLinkKey* key = client.KeyById(id);
        ASSERT_NE(key, nullptr) << id;
        EXPECT_TRUE(key->Has(TypedValue::Readable)) << id;
        EXPECT_FALSE(key->IsIndexed()) << id;
    }
    for (int id = 81; id <= 99; id += 2) {
        ASSERT_NE(client.KeyById(id), nullptr) << id;
        EXPECT_TRUE(client.KeyById(id)->Has(TypedValue::Writable)) << id;
        EXPECT_FALSE(client.KeyById(id)->Has(TypedValue::Readable)) << id;
    }
    for (int id = 62; id <= 74; id += 2) {
        EXPECT_EQ(client.KeyById(id)->index, 0) << id;
        EXPECT_NE(client.KeyByIdIndex(id, 3), nullptr) << id;
        EXPECT_EQ(client.KeyByIdIndex(id, 4), nullptr) << id;
    }
}

} // namespace
} // namespace vanemark
