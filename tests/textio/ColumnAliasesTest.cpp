#include "textio/ColumnAliases.h"

#include <gtest/gtest.h>

#include "support/ScratchDir.h"
#include "textio/FormatGuess.h"
#include "textio/HeaderSearch.h"
#include "textio/TransferTestSupport.h"

namespace {

using Names = std::vector<std::string>;

// The mapped columns only, as "column=Field", so a case reads like the file's header.
Names mapped(const HeaderLine& header) {
    Names out;
    for (size_t i = 0; i < header.fields.size(); ++i)
        if (!header.fields[i].empty()) out.push_back(header.names[i] + "=" + header.fields[i]);
    return out;
}

// Header lines in the shapes address books, mail services and spreadsheets write them,
// shortened to their interesting columns but in their own order.
TEST(ColumnAliases, MapsTheHeadersOfCommonPrograms) {
    const std::tuple<TransferKind, const char*, Names> cases[] = {
        {TransferKind::Persons,
         "header-desktop-mail.csv",
         {"First Name=FirstName", "Last Name=LastName", "Company=Company", "Job Title=Position",
          "Business Phone=WorkPhone", "Home Street=Address1", "Home City=City",
          "Home Postal Code=ZipCode", "Home Phone=HomePhone", "Mobile Phone=CelPhone",
          "Business Fax=Fax", "Pager=Pager", "E-mail Address=E-Mail", "Web Page=WebPage",
          "Notes=Notes"}},
        {TransferKind::Persons,
         "header-web-mail.csv",
         {"First Name=FirstName", "Last Name=LastName", "Organization Name=Company",
          "Organization Title=Position", "E-mail 1 - Value=E-Mail", "Phone 1 - Value=Fax"}},
        {TransferKind::Persons,
         "header-german-spreadsheet.csv",
         {"Vorname=FirstName", "Nachname=LastName", "Firma=Company", "Straße privat=Address1",
          "Postleitzahl privat=ZipCode", "Ort privat=City", "Telefon geschäftlich=WorkPhone",
          "Mobiltelefon=CelPhone", "E-Mail-Adresse=E-Mail", "Notizen=Notes"}},
        {TransferKind::Appointments,
         "header-calendar.csv",
         {"Subject=Appointment", "Start Date=Date", "Start Time=StartTime", "End Time=EndTime",
          "Reminder on/off=Alarmed"}},
    };
    for (const auto& [kind, file, expected] : cases) {
        const std::string text = fileBytes(QUILLMATE_TEST_DATA "/textio/" + std::string(file));
        const char separator = separatorChoices()[guessTextFormat(text).separator].value[0];
        const auto header = findHeaderLine(kind, text, fieldTokenizer(separator));
        ASSERT_TRUE(header) << file;
        EXPECT_EQ(mapped(*header), expected) << file;
    }
}

TEST(ColumnAliases, PrefersTheSpecificNameAndSkipsTheUnknown) {
    EXPECT_EQ(assignColumnsByName(TransferKind::Persons, {"Name", "Given Name", "Surname"}),
              (Names{"", "FirstName", "LastName"}));
    EXPECT_EQ(assignColumnsByName(TransferKind::Persons,
                                  {"Full Name", "Birthday", "Wedding Anniversary", "Mileage"}),
              (Names{"FirstName", "Birthday", "Anniversary", ""}));
    EXPECT_EQ(assignColumnsByName(TransferKind::Persons, {"EMAIL", "e-mail", "ZIP", "zip"}),
              (Names{"E-Mail", "", "ZipCode", ""}));
    // A phone whose kind column is missing is a home phone, taken only by want of better.
    EXPECT_EQ(assignColumnsByName(TransferKind::Persons, {"Phone 1 - Value", "Home Phone"}),
              (Names{"", "HomePhone"}));
    EXPECT_EQ(matchColumnName(TransferKind::Tasks, "Nickname").field, "");
    EXPECT_FALSE(findHeaderLine(TransferKind::Persons, "1,2,3\nx,y,z\n", fieldTokenizer(',')))
        << "no header without a known name";
}

}  // namespace
