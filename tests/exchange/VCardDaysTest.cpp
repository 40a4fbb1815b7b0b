#include <gtest/gtest.h>

#include <map>
#include <string>

#include "ExchangeTexts.h"
#include "exchange/VCardExport.h"
#include "exchange/VCardImport.h"
#include "organizer/BusyDays.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "support/ProcessGuards.h"

namespace {

// Each person's birthday and anniversary as the document holds them, by last name.
std::map<std::string, std::string> days(const PimDocument& document) {
    std::map<std::string, std::string> out;
    for (const auto& [id, person] : document.persons())
        out[std::string(person.LName())] = person.Birthday.text() + " " + person.Anniversary.text();
    return out;
}

class VCardDaysTest : public testing::Test {
protected:
    TzGuard tz_{"Europe/Berlin"};
    // Today is 12 March 2027: an empty BDAY must not land here.
    FixedClock clock_{LocalTime{2027, 3, 12, 10, 0, 0, 0}};
};

TEST_F(VCardDaysTest, BirthdaysOfPhonesShowOnTheirDaysAndGoBackAsTheyCame) {
    const std::string cards = card("N:Yearless\r\nBDAY:--0412\r\n", "4.0") +
                              card("N:Placeholder\r\nBDAY:1604-02-29\r\n") +
                              card("N:Leap\r\nBDAY:1990-02-29\r\n") + card("N:Empty\r\nBDAY:\r\n");
    PimDocument document(clock_);
    document.seedDefaultGroups();
    ASSERT_EQ(importVCardText(document, cards).added, 4);
    const std::map<std::string, std::string> imported = days(document);
    EXPECT_EQ(imported, (std::map<std::string, std::string>{{"Empty", " "},
                                                            {"Leap", "1990-02-29 "},
                                                            {"Placeholder", "--02-29 "},
                                                            {"Yearless", "--04-12 "}}));

    EXPECT_EQ(
        busyDays(document, at(2027, 1, 1), at(2028, 12, 31)),
        (std::vector<DateTime>{at(2027, 2, 28), at(2027, 4, 12), at(2028, 2, 29), at(2028, 4, 12)}))
        << "29 February falls on 28 February in 2027; the empty BDAY on no day at all";
    const std::string v3 = vcardText(document, VCardVersion::V3, std::nullopt);
    const std::string v4 = vcardText(document, VCardVersion::V4, std::nullopt);
    for (const char* line : {"BDAY:1990-02-29\r\n", "BDAY:--0229\r\n", "BDAY:--0412\r\n"})
        EXPECT_NE(v3.find(line), std::string::npos) << line << v3;
    for (const char* line : {"BDAY:19900229\r\n", "BDAY:--0229\r\n", "BDAY:--0412\r\n"})
        EXPECT_NE(v4.find(line), std::string::npos) << line << v4;
    for (const std::string& text : {v3, v4}) {
        PimDocument again(clock_);
        again.seedDefaultGroups();
        ASSERT_EQ(importVCardText(again, text).added, 4);
        EXPECT_EQ(days(again), imported) << text;
    }
}

TEST_F(VCardDaysTest, AnniversariesGoAsEachVersionNamesThem) {
    PimDocument document(clock_);
    document.seedDefaultGroups();
    const VCardImportResult result = importVCardText(
        document, card("N:Wed\r\nX-ANNIVERSARY:2001-06-30\r\nBDAY;VALUE=text:circa 1800\r\n"));
    ASSERT_EQ(result.added, 1);
    EXPECT_EQ(result.valuesLeftOut, 1) << "a birthday in words has no field";
    EXPECT_EQ(days(document).at("Wed"), " 2001-06-30");
    const std::string v3 = vcardText(document, VCardVersion::V3, std::nullopt);
    const std::string v4 = vcardText(document, VCardVersion::V4, std::nullopt);
    EXPECT_NE(v3.find("\r\nX-ANNIVERSARY:2001-06-30\r\n"), std::string::npos) << v3;
    EXPECT_NE(v4.find("\r\nANNIVERSARY:20010630\r\n"), std::string::npos) << v4;
    EXPECT_EQ(v3.find("BDAY"), std::string::npos);
}

}  // namespace
