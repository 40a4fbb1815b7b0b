#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

// Splits one record of a delimited text file into fields. Plain fields run to the next
// separator; enclosed fields may hold separators, line breaks, doubled enclosers (one
// encloser each) and backslash escapes (\a \b \f \n \r \t \v, up to three octal digits,
// a backslash before any other character stands for that character).
class FieldTokenizer {
public:
    // What reading one enclosed field found.
    struct EnclosedScan {
        size_t end = 0;       // index just past the field and the separator that ends it
        bool closed = false;  // a closing encloser was found before the end of the text
    };

    // The character around enclosed fields; 0 reads every field as plain.
    void SetEncloser(char encloser) { encloser_ = encloser; }
    // The character between fields.
    void SetSeparator(char separator) { separator_ = separator; }
    [[nodiscard]] char encloser() const { return encloser_; }
    [[nodiscard]] char separator() const { return separator_; }

    // Takes the next field off the front of `line` and appends its value to `field`.
    // False, leaving `field` alone, when nothing but white space is left of `line`.
    bool NextField(std::string_view& line, std::string& field) const;
    bool NextField(std::string& line, std::string& field) const;
    // NextField that also tells whether an enclosed field closed before the end of `line`
    // (a plain field always counts as closed). With `field` nullptr the field is read past.
    bool takeField(std::string_view& line, std::string* field, bool& closed) const;

    // Reads the enclosed field at the start of `text` (text[0] is the encloser) and
    // appends its value to `field` when one is given. After the closing encloser,
    // anything up to the next separator or line feed belongs to the field as well.
    [[nodiscard]] EnclosedScan scanEnclosed(std::string_view text, std::string* field) const;

    // Whether the character counts as white space around fields.
    [[nodiscard]] static bool isBlank(char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
    }
    // The first of the bytes from `p` to `end` that is `a` or `b`; `end` when none is.
    // Inline: an import calls it for nearly every field, most of them a few bytes long.
    [[nodiscard]] static const char* findEither(const char* p, const char* end, char a, char b) {
#ifdef __SSE2__
        // Sixteen bytes at a time, and never a load past `end`.
        const __m128i va = _mm_set1_epi8(a);
        const __m128i vb = _mm_set1_epi8(b);
        for (; end - p >= 16; p += 16) {
            const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            const int mask =
                _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(x, va), _mm_cmpeq_epi8(x, vb)));
            if (mask != 0) return p + __builtin_ctz(static_cast<unsigned>(mask));
        }
#endif
        while (p != end && *p != a && *p != b)
            ++p;
        return p;
    }

    // Whether white space before a field may be skipped. A tab separator never is: in
    // tab-separated text, as spreadsheets write it, two tabs in a row hold an empty value.
    [[nodiscard]] bool skipsBeforeField(char c) const {
        return isBlank(c) && !(c == '\t' && separator_ == '\t');
    }

private:
    char encloser_ = 0;
    char separator_ = 0;
};
