#include "core/Tokenizer.h"

#include <gtest/gtest.h>

#include <string>

using vanemark::Tokenizer;
using vanemark::TrimRight;

TEST(Tokenizer, SplitsOnAnyDelimiterWithoutEmptyTokens)
{
    Tokenizer server("21100 127.0.0.1 127.0.0.1", " ,=\t");
    EXPECT_EQ(server.NextInt(), 21100);
    EXPECT_EQ(server.NextToken(), "127.0.0.1");
    EXPECT_EQ(server.Rest(), "127.0.0.1");

    Tokenizer list(" ,a,,b ", " ,");
    EXPECT_EQ(list.NextToken(), "a");
    EXPECT_EQ(list.NextToken(), "b");
    EXPECT_EQ(list.NextToken(), std::nullopt);
    EXPECT_EQ(list.NextInt(), 0);
    EXPECT_EQ(list.Rest(), "");

    Tokenizer only(" ,, ", " ,");
    EXPECT_EQ(only.NextToken(), std::nullopt);

    Tokenizer none;
    EXPECT_EQ(none.NextToken(), std::nullopt);
    EXPECT_EQ(none.Rest(), std::nullopt);
}

TEST(Tokenizer, KeyValueLineWithOverridesAndPosition)
{
    std::string line = "key = value";
    Tokenizer t(line, "=");
    auto key = t.NextToken();
    EXPECT_EQ(key, "key ");
    t.SkipDelimiters(" =");
    EXPECT_EQ(t.Position(), 6);
    EXPECT_EQ(t.Rest(), "value");
    EXPECT_EQ(t.NextToken(" "), "value"); // Rest did not consume
    EXPECT_EQ(line, "key = value");       // the caller's text is untouched
    EXPECT_EQ(key, "key ");               // earlier tokens stay valid

    Tokenizer numbers("abc -7 12x", " ");
    EXPECT_EQ(numbers.NextInt(), 0);
    EXPECT_EQ(numbers.NextInt(), -7);
    EXPECT_EQ(numbers.NextInt(), 12);

    numbers.SetText("9 8");
    EXPECT_EQ(numbers.NextInt(), 9);
    numbers.SetText(static_cast<const char*>(nullptr)); // changes nothing
    EXPECT_EQ(numbers.NextInt(), 8);
}

TEST(Tokenizer, TrimRight)
{
    std::string a = "abc \t";
    EXPECT_EQ(TrimRight(a), "abc");
    std::string empty;
    EXPECT_EQ(TrimRight(empty), "");
    std::string spaces = "  \r\n\v\f";
    EXPECT_EQ(TrimRight(spaces), "");
    EXPECT_EQ(TrimRight(std::string_view(" x y  ")), " x y");
}
