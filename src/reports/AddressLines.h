#pragma once

#include <string>
#include <string_view>

class Person;

// "First Last", or the last name alone when there is no first name.
[[nodiscard]] std::string addressName(std::string_view first, std::string_view last);

// The name an envelope is addressed to: the person's name, or for a person with no name
// the company, so that the envelope still says whom it is for.
[[nodiscard]] std::string addresseeName(const Person& person);

// The "City, State Zip" line; parts that are empty leave no stray comma or blank.
[[nodiscard]] std::string cityLine(std::string_view city, std::string_view state,
                                   std::string_view zip);

// Whether the phone book lists `a` before `b`: by "Last, First" byte for byte, persons
// without a name first and among themselves by company.
[[nodiscard]] bool phoneBookBefore(const Person& a, const Person& b);
