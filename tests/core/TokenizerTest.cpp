#include "core/Tokenizer.h"

#include <gtest/gtest.h>

#include <string>

using vanemark::Tokenizer;
using vanemark::TrimRight;

// Tokens split on any delimiter, never empty; a key-value line with overrides.
TEST(Tokenizer, Rules)
{
    Tokenizer list(" ,a,,b ", " ,");
    EXPECT_EQ(list.NextToken(), "a");
    EXPECT_EQ(list.NextToken(), "b");
    EXPECT_EQ(list.NextToken(), std::nullopt);
    EXPECT_EQ(list.NextInt(), 0);
    EXPECT_EQ(list.Rest(), "");
    EXPECT_EQ(Tokenizer().NextToken(), std::nullopt);
    EXPECT_EQ(Tokenizer().Rest(), std::nullopt);

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

    list.SetText("9 8"); // starts afresh
    EXPECT_EQ(list.NextInt(), 9);
    list.SetText(static_cast<const char*>(nullptr)); // changes nothing
    EXPECT_EQ(list.NextInt(), 8);

    for (const auto& [text, trimmed] : {std::pair{"abc \t", "abc"}, {"", ""}, {"  \r\n\v\f", ""}, {" x y  ", " x y"}}) {
        std::string copy = text;
        EXPECT_EQ(TrimRight(copy), trimmed);
        EXPECT_EQ(copy, trimmed);
        EXPECT_EQ(TrimRight(std::string_view(text)), trimmed);
    }
}
