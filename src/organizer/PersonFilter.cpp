#include "organizer/PersonFilter.h"

#include "records/Person.h"

std::string foldCase(std::string_view text) {
    std::string folded(text);
    for (size_t i = 0; i < folded.size(); ++i) {
        auto c = static_cast<unsigned char>(folded[i]);
        if (c >= 'A' && c <= 'Z') {
            folded[i] = static_cast<char>(c + ('a' - 'A'));
        } else if (c == 0xC3 && i + 1 < folded.size()) {
            // U+00C0..U+00DE (but the multiplication sign) have their lower case 0x20 on.
            auto next = static_cast<unsigned char>(folded[i + 1]);
            if (next >= 0x80 && next <= 0x9E && next != 0x97)
                folded[i + 1] = static_cast<char>(next + 0x20);
            ++i;
        }
    }
    return folded;
}

namespace {

// The digits of a phone number, so that "5551234" finds "555-1234".
void appendDigits(std::string& out, const std::string& number) {
    for (const char c : number) {
        if (c >= '0' && c <= '9') out.push_back(c);
    }
}

}  // namespace

PersonFilter::PersonFilter(std::string_view typed) : needle_(foldCase(typed)) {}

bool PersonFilter::narrows(const PersonFilter& wider) const {
    return needle_.find(wider.needle_) != std::string::npos;
}

std::string PersonFilter::haystack(const Person& person) {
    const std::string* phones[] = {&person.HmPhone, &person.WkPhone, &person.Pager, &person.Fax,
                                   &person.CelPhone};
    std::string text;
    // A NUL separates the fields: no typed text holds one, so no match spans two. (A line
    // break would not do: a text given on the command line may hold one.)
    for (const std::string* field : {&person.RName, &person.Company, &person.EMail}) {
        text.append(*field).push_back('\0');
    }
    for (const std::string* phone : phones)
        text.append(*phone).push_back('\0');
    for (const std::string* phone : phones) {
        appendDigits(text, *phone);
        text.push_back('\0');
    }
    return foldCase(text);
}

bool PersonFilter::matches(std::string_view haystack) const {
    if (needle_.empty()) return true;
    return haystack.find(needle_) != std::string_view::npos;
}
