#pragma once

#include <string>
#include <string_view>
#include <vector>

struct Person;

// The filter box of the phone book: a person matches when the typed text occurs, without
// regard to case, in the name, company, a phone number or the e-mail address. A text of
// digits also finds a number written with spaces, dashes or brackets between them.
class PersonFilter {
public:
    // The text the filter box holds; "" lets every person through.
    explicit PersonFilter(std::string_view typed = {});

    [[nodiscard]] bool empty() const { return needle_.empty(); }
    // Whether every person this filter lets through also passes `wider` (the text typed
    // before a key was added), so that narrowing need only look at what is listed.
    [[nodiscard]] bool narrows(const PersonFilter& wider) const;

    // The text a person is searched in, made once per listed person.
    [[nodiscard]] static std::string haystack(const Person& person);
    // Whether the person's haystack holds the text.
    [[nodiscard]] bool matches(std::string_view haystack) const;

private:
    std::string needle_;  // folded
};

// Folds ASCII and the Latin-1 letters of UTF-8 to lower case, byte for byte in length.
[[nodiscard]] std::string foldCase(std::string_view text);
