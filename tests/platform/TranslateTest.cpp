#include "platform/Translate.h"

#include <gtest/gtest.h>

namespace {

// A translation may reorder the values or leave one out; a faulty one must never read
// past them.
TEST(Translate, FillInPlacesValuesAsTheTextOrdersThemAndUntranslatedTextsStay) {
    const struct {
        const char* label;
        const char* pattern;
        std::string expected;
    } cases[] = {
        {"in order", "%s wants %s, not \"%s\"", "--date wants A, not \"B\""},
        {"numbered", "%3$s, not \"%2$s\" (%1$s)", "B, not \"A\" (--date)"},
        {"number directive", "%d more records skipped", "--date more records skipped"},
        {"percent sign", "100%% of %s", "100% of --date"},
        {"directive without a value", "%s %s %s %s", "--date A B "},
        {"number past the values", "%9$s|%0$s", "|%0$s"},
        {"digits without a dollar", "%12 of %s", "%12 of --date"},
        {"unknown directive", "%x and %", "%x and %"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fillIn(c.pattern, {"--date", "A", "B"}), c.expected) << c.label;
    // Untranslated, a context falls away, and "" is never looked up: gettext would answer
    // with the catalogue's header.
    EXPECT_STREQ(translatedInContext(NC_("Saturday", "S")), "S");
    EXPECT_STREQ(_(""), "");
}

}  // namespace
