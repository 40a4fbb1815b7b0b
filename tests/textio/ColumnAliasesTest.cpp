#include "textio/ColumnAliases.h"

#include <gtest/gtest.h>

#include "textio/FormatGuess.h"
#include "textio/HeaderSearch.h"
#include "textio/TextTransferSpec.h"

namespace {

using Names = std::vector<std::string>;

FieldTokenizer tokenizer(char separator, char encloser = '"') {
    FieldTokenizer t;
    t.SetSeparator(separator);
    t.SetEncloser(encloser);
    return t;
}

// The mapped columns only, as "column=Field", so a case reads like the file's header.
Names mapped(const HeaderLine& header) {
    Names out;
    for (size_t i = 0; i < header.fields.size(); ++i) {
        if (!header.fields[i].empty()) out.push_back(header.names[i] + "=" + header.fields[i]);
    }
    return out;
}

// Header lines in the shapes address books, mail services and spreadsheets write them,
// shortened to their interesting columns but in their own order.
TEST(ColumnAliases, MapsTheHeadersOfCommonPrograms) {
    struct Case {
        const char* program;
        TransferKind kind;
        std::string text;
        Names expected;
    };
    const Case cases[] = {
        {"desktop mail program",
         TransferKind::Persons,
         "Title,First Name,Middle Name,Last Name,Company,Job Title,Business Street,"
         "Business City,Business Phone,Business Phone 2,Home Street,Home City,Home Postal Code,"
         "Home Phone,Mobile Phone,Business Fax,Pager,E-mail Address,E-mail Type,Web Page,Notes\n",
         {"First Name=FirstName", "Last Name=LastName", "Company=Company", "Job Title=Position",
          "Business Phone=WorkPhone", "Home Street=Address1", "Home City=City",
          "Home Postal Code=ZipCode", "Home Phone=HomePhone", "Mobile Phone=CelPhone",
          "Business Fax=Fax", "Pager=Pager", "E-mail Address=E-Mail", "Web Page=WebPage",
          "Notes=Notes"}},
        {"web mail, newer layout",
         TransferKind::Persons,
         "First Name,Middle Name,Last Name,Organization Name,Organization Title,"
         "E-mail 1 - Label,E-mail 1 - Value,Phone 1 - Label,Phone 1 - Value\n"
         "Bo,,Ek,,,,bo@x.se,Home Fax,555\n",
         {"First Name=FirstName", "Last Name=LastName", "Organization Name=Company",
          "Organization Title=Position", "E-mail 1 - Value=E-Mail", "Phone 1 - Value=Fax"}},
        {"German spreadsheet, two title lines first",
         TransferKind::Persons,
         "Kontakte\nexportiert am 1.2.2026\n"
         "Vorname;Nachname;Firma;Straße privat;Postleitzahl privat;Ort privat;"
         "Telefon geschäftlich;Mobiltelefon;E-Mail-Adresse;Notizen\n",
         {"Vorname=FirstName", "Nachname=LastName", "Firma=Company", "Straße privat=Address1",
          "Postleitzahl privat=ZipCode", "Ort privat=City", "Telefon geschäftlich=WorkPhone",
          "Mobiltelefon=CelPhone", "E-Mail-Adresse=E-Mail", "Notizen=Notes"}},
        {"calendar",
         TransferKind::Appointments,
         "Subject,Start Date,Start Time,End Date,End Time,All day event,Reminder on/off,"
         "Reminder Date,Reminder Time,Description,Location\n",
         {"Subject=Appointment", "Start Date=Date", "Start Time=StartTime", "End Time=EndTime",
          "Reminder on/off=Alarmed"}},
    };
    for (const Case& c : cases) {
        const FormatGuess guess = guessTextFormat(c.text);
        const char separator = separatorChoices()[guess.separator].value[0];
        const auto header = findHeaderLine(c.kind, c.text, tokenizer(separator));
        ASSERT_TRUE(header) << c.program;
        EXPECT_EQ(mapped(*header), c.expected) << c.program;
    }
}

TEST(ColumnAliases, PrefersTheSpecificNameAndSkipsTheUnknown) {
    EXPECT_EQ(assignColumnsByName(TransferKind::Persons, {"Name", "Given Name", "Surname"}),
              (Names{"", "FirstName", "LastName"}));
    EXPECT_EQ(assignColumnsByName(TransferKind::Persons, {"Full Name", "Birthday"}),
              (Names{"FirstName", ""}));
    EXPECT_EQ(assignColumnsByName(TransferKind::Persons, {"EMAIL", "e-mail", "ZIP", "zip"}),
              (Names{"E-Mail", "", "ZipCode", ""}));
    // A phone whose kind column is missing is a home phone, taken only by want of better.
    EXPECT_EQ(assignColumnsByName(TransferKind::Persons, {"Phone 1 - Value", "Home Phone"}),
              (Names{"", "HomePhone"}));
    EXPECT_EQ(matchColumnName(TransferKind::Tasks, "Nickname").field, "");
}

TEST(ColumnAliases, NoHeaderWithoutAKnownName) {
    EXPECT_FALSE(findHeaderLine(TransferKind::Persons, "1,2,3\nx,y,z\n", tokenizer(',')));
    EXPECT_FALSE(findHeaderLine(TransferKind::Persons, "", tokenizer(',')));
}

}  // namespace
