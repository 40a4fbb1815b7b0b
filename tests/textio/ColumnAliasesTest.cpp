#include "textio/ColumnAliases.h"

#include <gtest/gtest.h>

#include "textio/DelimitedTextDecoding.h"
#include "textio/HeaderSearch.h"
#include "textio/TransferTestSupport.h"

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
        {"our own export",
         TransferKind::Persons,
         "\"FirstName\",\"LastName\",\"ZipCode\",\"CelPhone\",\"E-Mail\",\"Notes\"\n",
         {"FirstName=FirstName", "LastName=LastName", "ZipCode=ZipCode", "CelPhone=CelPhone",
          "E-Mail=E-Mail", "Notes=Notes"}},
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
        {"web mail, older layout",
         TransferKind::Persons,
         "Name,Given Name,Additional Name,Family Name,Given Name Yomi,Notes,"
         "E-mail 1 - Type,E-mail 1 - Value,Phone 1 - Type,Phone 1 - Value,Phone 2 - Type,"
         "Phone 2 - Value,Address 1 - Street,Address 1 - City,Address 1 - Postal Code,"
         "Organization 1 - Name,Organization 1 - Title\n"
         "Ann Lee,Ann,,Lee,,,* Home,ann@x.org,Work,555 1,Mobile,555 2,1 Elm St,Oslo,0150,Acme,"
         "Boss\n",
         {"Given Name=FirstName", "Family Name=LastName", "Notes=Notes", "E-mail 1 - Value=E-Mail",
          "Phone 1 - Value=WorkPhone", "Phone 2 - Value=CelPhone", "Address 1 - Street=Address1",
          "Address 1 - City=City", "Address 1 - Postal Code=ZipCode",
          "Organization 1 - Name=Company", "Organization 1 - Title=Position"}},
        {"web mail, newer layout",
         TransferKind::Persons,
         "First Name,Middle Name,Last Name,Organization Name,Organization Title,"
         "E-mail 1 - Label,E-mail 1 - Value,Phone 1 - Label,Phone 1 - Value\n"
         "Bo,,Ek,,,,bo@x.se,Home Fax,555\n",
         {"First Name=FirstName", "Last Name=LastName", "Organization Name=Company",
          "Organization Title=Position", "E-mail 1 - Value=E-Mail", "Phone 1 - Value=Fax"}},
        {"open-source mail client",
         TransferKind::Persons,
         "First Name,Last Name,Display Name,Nickname,Primary Email,Secondary Email,Work Phone,"
         "Home Phone,Fax Number,Pager Number,Mobile Number,Home Address,Home Address 2,"
         "Home City,Home State,Home ZipCode,Work Address,Work City,Job Title,Organization,"
         "Web Page 1,Web Page 2,Notes,\n",
         {"First Name=FirstName", "Last Name=LastName", "Primary Email=E-Mail",
          "Work Phone=WorkPhone", "Home Phone=HomePhone", "Fax Number=Fax", "Pager Number=Pager",
          "Mobile Number=CelPhone", "Home Address=Address1", "Home Address 2=Address2",
          "Home City=City", "Home State=State", "Home ZipCode=ZipCode", "Job Title=Position",
          "Organization=Company", "Web Page 1=WebPage", "Notes=Notes"}},
        {"portal mail service",
         TransferKind::Persons,
         "First,Middle,Last,Nickname,Email,Home,Work,Pager,Fax,Mobile,Personal Website,Title,"
         "Company,Work Address,Home Address,Home City,Home ZIP,Comments\n",
         {"First=FirstName", "Last=LastName", "Email=E-Mail", "Home=HomePhone", "Work=WorkPhone",
          "Pager=Pager", "Fax=Fax", "Mobile=CelPhone", "Personal Website=WebPage", "Title=Position",
          "Company=Company", "Home Address=Address1", "Home City=City", "Home ZIP=ZipCode",
          "Comments=Notes"}},
        {"German spreadsheet, two title lines first",
         TransferKind::Persons,
         "Kontakte\nexportiert am 1.2.2026\n"
         "Vorname;Nachname;Firma;Straße privat;Postleitzahl privat;Ort privat;"
         "Telefon geschäftlich;Mobiltelefon;E-Mail-Adresse;Notizen\n",
         {"Vorname=FirstName", "Nachname=LastName", "Firma=Company", "Straße privat=Address1",
          "Postleitzahl privat=ZipCode", "Ort privat=City", "Telefon geschäftlich=WorkPhone",
          "Mobiltelefon=CelPhone", "E-Mail-Adresse=E-Mail", "Notizen=Notes"}},
        {"French desktop mail program",
         TransferKind::Persons,
         "Prénom;Nom;Société;Fonction;Rue (domicile);Ville (domicile);"
         "Code postal (domicile);Téléphone domicile;Tél. mobile;Adresse de messagerie;"
         "Page Web\n",
         {"Prénom=FirstName", "Nom=LastName", "Société=Company", "Fonction=Position",
          "Rue (domicile)=Address1", "Ville (domicile)=City", "Code postal (domicile)=ZipCode",
          "Téléphone domicile=HomePhone", "Tél. mobile=CelPhone", "Adresse de messagerie=E-Mail",
          "Page Web=WebPage"}},
        {"desktop tasks",
         TransferKind::Tasks,
         "\"Subject\",\"Start Date\",\"Due Date\",\"Reminder On/Off\",\"Notes\",\"Priority\","
         "\"Schedule+ Priority\"\n",
         {"Subject=Task", "Due Date=DueDate", "Priority=Priority"}},
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

// A file saved by a spreadsheet on Windows: Windows-1252, semicolons, a header in German.
TEST(ColumnAliases, ImportsAWindows1252SemicolonFileThroughItsHeader) {
    const std::string bytes =
        "Vorname;Nachname;Stra\xDF"
        "e;Ort;Telefon privat\r\n"
        "J\xFCrgen;M\xFCller;Hauptstra\xDF"
        "e 1;K\xF6ln;0221 1\r\n"
        ";Fran\xE7ois;;;\r\n";
    const std::string text = decodeDelimitedText(bytes);
    const FormatGuess guess = guessTextFormat(text);
    ASSERT_EQ(separatorChoices()[guess.separator].value, std::string(";"));
    const auto header = findHeaderLine(TransferKind::Persons, text, tokenizer(';'));
    ASSERT_TRUE(header);
    EXPECT_EQ(header->fields, (Names{"FirstName", "LastName", "Address1", "City", "HomePhone"}));

    FixedClock clock{testNow()};
    PimDocument doc{clock};
    TextTransferSpec spec = transferSpec(true, TransferKind::Persons, header->fields, true, ";");
    ASSERT_EQ(importText(TransferKind::Persons, doc, spec, bytes, FixedLocale()).added, 2);
    const Person& first = *doc.persons().find(1);
    EXPECT_EQ(first.RName, "M\xC3\xBCller, J\xC3\xBCrgen");
    EXPECT_EQ(first.Addr1,
              "Hauptstra\xC3\x9F"
              "e 1");
    EXPECT_EQ(first.City, "K\xC3\xB6ln");
    EXPECT_EQ(first.HmPhone, "0221 1");
    EXPECT_EQ(doc.persons().find(2)->LName, "Fran\xC3\xA7ois");
}

}  // namespace
