#include <gtest/gtest.h>

#include <string>

#include "records/PackedText.h"

namespace {

TEST(PackedText, HoldsItsOwnCopyAndTakesAPieceOfItself) {
    std::string source = "event-1@example.org";
    PackedText text(source);
    source.assign("changed");
    EXPECT_EQ(text, "event-1@example.org");

    PackedText copy = text;
    copy = "other";
    EXPECT_EQ(text, "event-1@example.org");
    EXPECT_EQ(copy.size(), 5u);

    // A piece of its own bytes: read before the old block goes.
    text = text.view().substr(8);
    EXPECT_EQ(std::string(text), "example.org");

    // Empty holds nothing, yet hands out a view callers may copy from.
    text = "";
    EXPECT_TRUE(text.empty());
    EXPECT_NE(text.view().data(), nullptr);
    EXPECT_EQ(text, PackedText());
}

}  // namespace
