#pragma once

#include "platform/Translate.h"

#include <libintl.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>

// The program's texts are looked up in one gettext domain, so that core, the window and the
// command line speak the user's language alike. gettext is part of the C library, so core
// stays free of other libraries. Mark a text with _() where it is shown, with N_() where it
// is only stored (a static table) and translated later with _(), and with P_() where it
// holds a number and needs the language's plural forms.
inline constexpr const char* kTextDomain = "quillmate";

// The text in the user's language, or the text itself where no translation is installed.
[[nodiscard]] inline const char* translatedText(const char* text) {
    // gettext answers "" with the catalogue's header.
    return *text == '\0' ? text : dgettext(kTextDomain, text);
}

// The singular or plural text for `count` in the user's language.
[[nodiscard]] inline const char* translatedPlural(const char* singular, const char* plural,
                                                  unsigned long count) {
    return dngettext(kTextDomain, singular, plural, count);
}

// The text in the user's language where the same English text means different things in
// different places (the "S" of Sunday and of Saturday): gettext keeps the context before a
// \004 in the message id, as NC_() writes it.
[[nodiscard]] inline const char* translatedInContext(const char* contextAndText) {
    const char* translated = dgettext(kTextDomain, contextAndText);
    if (translated != contextAndText) return translated;
    const char* text = std::strchr(contextAndText, '\004');
    return text != nullptr ? text + 1 : contextAndText;
}

// `pattern` with each %s or %d replaced by the next of `values`, %N$s or %N$d by value N
// (a translation may reorder them), and %% by %. Values are text already, and a directive
// without its value becomes nothing, so a faulty translation cannot read past the values.
[[nodiscard]] std::string fillIn(std::string_view pattern,
                                 std::initializer_list<std::string_view> values);

// A text with a number, kept in its singular and plural forms ("%d card", "%d cards") until
// the number is known; countText() then picks the form the language needs.
struct PluralText {
    const char* singular;
    const char* plural;
};

// The text for `count`, the number in place of its %d.
[[nodiscard]] std::string countText(const PluralText& text, unsigned long count);

#define _(text) ::translatedText(text)
#define C_(context, text) ::translatedInContext(context "\004" text)
#define NC_(context, text) context "\004" text
#define N_(text) text
#define P_(singular, plural, count) ::translatedPlural(singular, plural, count)
#define NP_(singular, plural) \
    ::PluralText {            \
        singular, plural      \
    }
