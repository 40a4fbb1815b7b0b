#include "organizer/ReminderText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ReminderText, CaptionKeepsSeventyNineCharactersWhole) {
    const std::string ascii(100, 'a');
    EXPECT_EQ(reminderCaption(ascii), "Reminder: " + std::string(79, 'a'));

    // Two-byte characters: 79 of them, never half of one.
    std::string umlauts;
    for (int i = 0; i < 90; ++i)
        umlauts += "\xC3\xBC";
    EXPECT_EQ(reminderCaption(umlauts), "Reminder: " + umlauts.substr(0, 158));
    // A four-byte character straddling the cut stays whole.
    const std::string emoji = std::string(78, 'x') + "\xF0\x9F\x93\x85" + "tail";
    EXPECT_EQ(reminderCaption(emoji), "Reminder: " + emoji.substr(0, 82));
}

TEST(ReminderText, StrayBytesCountAsOneCharacterEach) {
    // A stray continuation byte and a lead byte without its follower.
    EXPECT_EQ(firstCharacters("\x80\x80z", 2), "\x80\x80");
    EXPECT_EQ(firstCharacters("ab\xE2", 5), "ab\xE2");
    EXPECT_EQ(firstCharacters("", 79), "");
}

}  // namespace
