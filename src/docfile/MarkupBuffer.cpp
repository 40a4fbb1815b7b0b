#include "docfile/MarkupBuffer.h"

#include <algorithm>
#include <array>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "fileio/TextEncoding.h"

namespace {

// Bytes a value cannot hold as they are.
constexpr std::array<bool, 256> kSpecial = [] {
    std::array<bool, 256> table{};
    for (const unsigned char c : {'&', '<', '>', '\'', '"', '\n', '\0'})
        table[c] = true;
    for (int c = 0x80; c < 0x100; ++c)
        table[c] = true;
    return table;
}();

#ifdef __SSE2__
// The bytes of `x` that a value cannot hold as they are, as a bit mask.
unsigned specialBytes(__m128i x) {
    const auto is = [&](char c) { return _mm_cmpeq_epi8(x, _mm_set1_epi8(c)); };
    __m128i hits = _mm_or_si128(is('&'), is('<'));
    hits = _mm_or_si128(hits, _mm_or_si128(is('>'), is('\'')));
    hits = _mm_or_si128(hits, _mm_or_si128(is('"'), is('\n')));
    hits = _mm_or_si128(hits, is('\0'));
    // Bytes from 0x80 up are checked for being UTF-8.
    return static_cast<unsigned>(_mm_movemask_epi8(hits) | _mm_movemask_epi8(x));
}

// Loads `size` (4 or 8) bytes at `p`.
__m128i loadPiece(const char* p, size_t size) {
    if (size == 8) {
        uint64_t piece;
        std::memcpy(&piece, p, sizeof piece);
        return _mm_cvtsi64_si128(static_cast<long long>(piece));
    }
    uint32_t piece;
    std::memcpy(&piece, p, sizeof piece);
    return _mm_cvtsi32_si128(static_cast<int>(piece));
}
#endif

}  // namespace

// The first byte from `p` on that a value cannot hold as it is, or `end`.
const char* findSpecial(const char* p, const char* end) {
#ifdef __SSE2__
    while (end - p >= 16) {
        const unsigned mask = specialBytes(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
        if (mask != 0) return p + __builtin_ctz(mask);
        p += 16;
    }
    // Most values are shorter than sixteen bytes: the rest is looked at as a piece from its
    // start and one that ends at its end, which may overlap, side by side in one register.
    const auto left = static_cast<size_t>(end - p);
    if (left >= 4) {
        const size_t piece = left >= 8 ? 8 : 4;
        const __m128i x = piece == 8 ? _mm_unpacklo_epi64(loadPiece(p, 8), loadPiece(end - 8, 8))
                                     : _mm_unpacklo_epi32(loadPiece(p, 4), loadPiece(end - 4, 4));
        const unsigned mask = specialBytes(x) & ((1u << (2 * piece)) - 1);
        const unsigned head = mask & ((1u << piece) - 1);
        if (head != 0) return p + __builtin_ctz(head);
        if (mask != 0) return end - piece + __builtin_ctz(mask >> piece);
        return end;
    }
#endif
    while (p != end && !kSpecial[static_cast<unsigned char>(*p)])
        ++p;
    return p;
}

bool MarkupBuffer::makeRoom(size_t size) {
    // What is made so far goes out first, mid-record only for a record the buffer cannot
    // hold besides it; then a record larger than the buffer gets a larger one.
    if (at_ != buffer_.get() && !flush()) return false;
    if (capacity_ < size) {
        capacity_ = std::max(size, kChunk + kChunk / 16);
        buffer_ = std::make_unique_for_overwrite<char[]>(capacity_);
        at_ = buffer_.get();
        limit_ = at_ + capacity_;
    }
    return true;
}

void MarkupBuffer::escaped(std::string_view value) {
    const char* const begin = value.data();
    const char* const end = begin + value.size();
    const char* done = begin;
    for (const char* p = findSpecial(begin, end); p != end; p = findSpecial(p + 1, end)) {
        put(std::string_view(done, size_t(p - done)));
        done = p + 1;
        switch (*p) {
            case '&':
                put("&amp;");
                break;
            case '<':
                put("&lt;");
                break;
            case '>':
                put("&gt;");
                break;
            case '\'':
                put("&apos;");
                break;
            case '"':
                put("&quot;");
                break;
            case '\n':
                // Lines end in CR LF; a CR LF already in the value stays one line break.
                put((p != begin && p[-1] == '\r') ? "\n" : "\r\n");
                break;
            case '\0':
                // A raw zero byte would end the text when the file is read back.
                put("&#0;");
                break;
            default:
                // Files are UTF-8. A byte that is not part of a UTF-8 character would make
                // the whole file read as Windows-1252, so it goes as a reference.
                if (const size_t length = utf8CharLength(std::string_view(p, size_t(end - p)))) {
                    put(std::string_view(p, length));
                    done = p + length;
                    p = done - 1;
                } else {
                    put("&#");
                    number(static_cast<unsigned char>(*p));
                    put(';');
                }
                break;
        }
    }
    put(std::string_view(done, size_t(end - done)));
}
