#pragma once

#include <array>
#include <cstddef>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

// The byte classes and fast scans that the XML readers share.
namespace xml {

enum CharClass : unsigned char {
    kWhitespace = 1,
    kNameStart = 2,
    kNameChar = 4,
};

inline constexpr std::array<unsigned char, 256> kClasses = [] {
    std::array<unsigned char, 256> table{};
    for (const unsigned char c : {' ', '\t', '\r', '\n'})
        table[c] = kWhitespace;
    for (int c = 0; c < 256; ++c) {
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (letter || c == '_' || c == ':') table[c] |= kNameStart | kNameChar;
        if ((c >= '0' && c <= '9') || c == '.' || c == '-') table[c] |= kNameChar;
    }
    return table;
}();

inline bool is(int c, CharClass kind) {
    return (kClasses[static_cast<unsigned char>(c)] & kind) != 0;
}

// The first of the bytes from `p` to `end` that is one of a, b, c or d; `end` if none is.
inline const char* findAnyOf(const char* p, const char* end, char a, char b, char c, char d) {
#ifdef __SSE2__
    // Sixteen bytes at a time, and never a load past `end`.
    const __m128i va = _mm_set1_epi8(a);
    const __m128i vb = _mm_set1_epi8(b);
    const __m128i vc = _mm_set1_epi8(c);
    const __m128i vd = _mm_set1_epi8(d);
    while (end - p >= 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i hits =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(x, va), _mm_cmpeq_epi8(x, vb)),
                         _mm_or_si128(_mm_cmpeq_epi8(x, vc), _mm_cmpeq_epi8(x, vd)));
        const int mask = _mm_movemask_epi8(hits);
        if (mask != 0) return p + __builtin_ctz(static_cast<unsigned>(mask));
        p += 16;
    }
#endif
    while (p != end && *p != a && *p != b && *p != c && *p != d)
        ++p;
    return p;
}

// How many bytes from `p` on are name characters: the length of a name of up to 15 bytes,
// or 16 when the name is longer (or the bytes run on past it). Reads 16 bytes from `p`.
inline size_t nameLength16(const char* p) {
#ifdef __SSE2__
    // Without a branch per byte: the end of a name is where a loop would guess wrong.
    // Name characters are 0x2D-0x2E ("-."), 0x30-0x3A (digits and ':'), '_' and the
    // letters, which or-ing 0x20 folds onto a-z. A byte lies in [lo, hi] when, shifted by
    // -128 - lo, it compares below -128 + (hi - lo + 1) as a signed byte.
    const auto within = [](__m128i x, char lo, char hi) {
        const __m128i shifted = _mm_add_epi8(x, _mm_set1_epi8(static_cast<char>(-128 - lo)));
        return _mm_cmplt_epi8(shifted, _mm_set1_epi8(static_cast<char>(-128 + (hi - lo + 1))));
    };
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    __m128i name = _mm_or_si128(within(x, '-', '.'), within(x, '0', ':'));
    name = _mm_or_si128(name, within(_mm_or_si128(x, _mm_set1_epi8(0x20)), 'a', 'z'));
    name = _mm_or_si128(name, _mm_cmpeq_epi8(x, _mm_set1_epi8('_')));
    const auto others = static_cast<unsigned>(~_mm_movemask_epi8(name)) | 0x10000u;
    return static_cast<size_t>(__builtin_ctz(others));
#else
    size_t n = 0;
    while (n < 16 && is(p[n], kNameChar))
        ++n;
    return n;
#endif
}

// `c` with an ASCII capital letter made small.
inline int asciiLower(int c) {
    return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
}

// The value of a hexadecimal digit, -1 for any other byte.
inline int hexValue(int c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace xml
