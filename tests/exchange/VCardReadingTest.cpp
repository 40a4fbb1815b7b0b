#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exchange/PhoneExtension.h"
#include "exchange/VCardLine.h"
#include "exchange/VCardLineReader.h"
#include "exchange/VCardValue.h"

namespace {

std::vector<std::string> contentLines(const std::string& text) {
    VCardLineReader reader(text);
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.next(line))
        lines.emplace_back(line);
    return lines;
}

TEST(VCardReading, UnfoldsLinesAsEachVersionFoldsThem) {
    struct Case {
        const char* text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"A:1\r\nB:2\r\n", {"A:1", "B:2"}},
        {"A:1\rB:2\r", {"A:1", "B:2"}},
        // The break and one blank go; a second blank is text.
        {"NOTE:ab\r\n cd\r\n\t ef\r\n", {"NOTE:abcd ef"}},
        // A UTF-8 character folded in two comes back whole.
        {"FN:cr\xC3\r\n \xA8me\r\n", {"FN:cr\xC3\xA8me"}},
        // Quoted-printable soft breaks join with the next line as it stands.
        {"NOTE;ENCODING=QUOTED-PRINTABLE:a=0D=0A=\r\nb=\r\n c\r\nX:1\r\n",
         {"NOTE;ENCODING=QUOTED-PRINTABLE:a=0D=0Ab c", "X:1"}},
        // A trailing "=" of anything else is text.
        {"PHOTO;ENCODING=BASE64:AAA=\r\nX:1\r\n", {"PHOTO;ENCODING=BASE64:AAA=", "X:1"}},
        // Blank lines (the end of a version 2.1 photo) are passed over.
        {"A:1\r\n\r\n\r\nB:2\r\n", {"A:1", "B:2"}},
        {"NOTE;ENCODING=QUOTED-PRINTABLE:a=", {"NOTE;ENCODING=QUOTED-PRINTABLE:a="}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(contentLines(c.text), c.lines) << c.text;

    VCardLineReader reader("A:1\r\n b\r\nB:2\r\n");
    std::string_view line;
    ASSERT_TRUE(reader.next(line) && reader.next(line));
    EXPECT_EQ(reader.lineNumber(), 3u) << "a folded line counts every physical line";
}

TEST(VCardReading, ReadsGroupsNamesAndParametersInEverySpelling) {
    VCardLine line;
    ASSERT_TRUE(parseVCardLine("item1.tel;type=WORK,voice;Type=pref:+1 555", 7, line));
    EXPECT_EQ(std::tuple(line.group, line.name, line.value, line.lineNumber),
              std::tuple("item1", "TEL", "+1 555", 7u));
    for (const char* type : {"work", "VOICE", "Pref"})
        EXPECT_TRUE(line.has("TYPE", type)) << type;
    // A copy keeps the name it was given when the line it came from reads another.
    const VCardLine copy = line;
    ASSERT_TRUE(parseVCardLine("x-abc:1", 1, line));
    EXPECT_EQ(std::tuple(copy.name, line.name), std::tuple("TEL", "X-ABC"));

    // Version 2.1 bare words, and the encodings among them.
    ASSERT_TRUE(parseVCardLine("TEL;HOME;VOICE;QUOTED-PRINTABLE:1", 1, line));
    EXPECT_TRUE(line.has("TYPE", "home") && line.has("ENCODING", "quoted-printable"));
    EXPECT_FALSE(line.has("TYPE", "quoted-printable"));

    // Quoted values hold separators; a list inside the quotes still splits.
    ASSERT_TRUE(
        parseVCardLine("ADR;LABEL=\"1 Main St; Phoenix: AZ\";TYPE=\"work,home\":;;x", 1, line));
    EXPECT_EQ(std::tuple(line.parameter("LABEL"), line.has("TYPE", "home"), line.value),
              std::tuple("1 Main St; Phoenix: AZ", true, ";;x"));
    ASSERT_TRUE(parseVCardLine("URL:http://a.example/b:c", 1, line));
    EXPECT_EQ(line.value, "http://a.example/b:c");

    for (const char* broken :
         {"no colon", ":value", ";TYPE=HOME:x", "item1.:x", "TEL;TYPE=\"open:x"})
        EXPECT_FALSE(parseVCardLine(broken, 1, line)) << broken;
}

TEST(VCardReading, DecodesEncodingsCharacterSetsAndEscapes) {
    EXPECT_EQ(decodeQuotedPrintable("J=FCrgen=3D=\xff=4"), "J\xFCrgen==\xff=4");
    const std::pair<const char*, const char*> charsets[] = {
        {"", "K\xC3\xB6ln"},            // stray byte: Windows-1252
        {"UTF-8", "K\xC3\xB6ln"},       // still no valid UTF-8: Windows-1252
        {"ISO-8859-2", "K\xC3\xB6ln"},  // the system converts the rest
        {"no-such-set", "K\xC3\xB6ln"},
    };
    for (const auto& [charset, expected] : charsets)
        EXPECT_EQ(toUtf8("K\xF6ln", charset), expected) << charset;
    EXPECT_EQ(toUtf8("\xB3\xF3"
                     "d\xBF",
                     "ISO-8859-2"),
              "\xC5\x82\xC3\xB3"
              "d\xC5\xBC");
    EXPECT_EQ(toUtf8("Caf\xC3\xA9", "windows-1252"), "Caf\xC3\x83\xC2\xA9")
        << "a named set is believed even when the bytes look like UTF-8";

    EXPECT_EQ(unescapeValue("a\\,b\\;c\\\\d\\ne\\Nf\\:g", VCardEscaping::Backslash),
              "a,b;c\\d\ne\nf:g");
    EXPECT_EQ(unescapeValue("C:\\temp\\;x\\", VCardEscaping::Version21), "C:\\temp;x\\");
    EXPECT_EQ(splitValue("Lee\\;Ann;Bo\\,b;;", ';', VCardEscaping::Backslash),
              (std::vector<std::string>{"Lee;Ann", "Bo,b", "", ""}));
    EXPECT_EQ(splitValue("a\\,b,c", ',', VCardEscaping::Version21),
              (std::vector<std::string>{"a\\", "b", "c"}));
}

TEST(VCardReading, SplitsAndJoinsWorkExtensions) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"555-0100 ext. 12", "555-0100", "12"},
        {"555-0100, ext. 12 b", "555-0100", "12 b"},
        {"555-0100x12", "555-0100", "12"},
        {"555-0100 x 12", "555-0100 x 12", ""},
        {"ext. 7", "", "7"},
        {"Next 5", "Next 5", ""},
        {"+1 555 TAXI", "+1 555 TAXI", ""},
    };
    for (const auto& [text, number, extension] : cases) {
        const PhoneWithExtension split = splitPhoneExtension(text);
        EXPECT_EQ(split.number + "|" + split.extension, std::string(number) + "|" + extension);
        const PhoneWithExtension again =
            splitPhoneExtension(joinPhoneExtension(split.number, split.extension));
        EXPECT_EQ(std::pair(again.number, again.extension),
                  std::pair(split.number, split.extension))
            << text;
    }
}

}  // namespace
