#pragma once

#include <libintl.h>

// The program's texts are looked up in one gettext domain, so that core, the window and the
// command line speak the user's language alike. gettext is part of the C library, so core
// stays free of other libraries. Mark a text with _() where it is shown, with N_() where it
// is only stored (a static table) and translated later with _(), and with P_() where it
// holds a number and needs the language's plural forms.
inline constexpr const char* kTextDomain = "quillmate";

// The text in the user's language, or the text itself where no translation is installed.
[[nodiscard]] inline const char* translatedText(const char* text) {
    return dgettext(kTextDomain, text);
}

// The singular or plural text for `count` in the user's language.
[[nodiscard]] inline const char* translatedPlural(const char* singular, const char* plural,
                                                  unsigned long count) {
    return dngettext(kTextDomain, singular, plural, count);
}

#define _(text) ::translatedText(text)
#define N_(text) text
#define P_(singular, plural, count) ::translatedPlural(singular, plural, count)
