#pragma once

#include <string>
#include <string_view>

// A work number and its extension, which a person keeps apart and a vCard writes as one.
struct PhoneWithExtension {
    std::string number;
    std::string extension;
};

// Splits "555-0100 ext. 12", "555-0100 ext 12", "555-0100 x12" and "ext. 12" into number and
// extension; a number without one comes back whole.
[[nodiscard]] PhoneWithExtension splitPhoneExtension(std::string_view text);

// "NUMBER ext. EXTENSION", or whichever of the two is not empty.
[[nodiscard]] std::string joinPhoneExtension(std::string_view number, std::string_view extension);

// A card's TEL value (unescaped) as the number it holds, trimmed: vCard 4.0 may write it as a
// tel: address, which loses its scheme and parameters but for its extension
// ("tel:+1-555;ext=2" is "+1-555 ext. 2").
[[nodiscard]] std::string telNumber(std::string number);
// Whether `number` starts with the tel: scheme, in any case.
[[nodiscard]] bool hasTelScheme(std::string_view number);
