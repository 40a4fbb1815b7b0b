#include "fileio/TextEncoding.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// Unicode values of Windows-1252 bytes 0x80 to 0x9F.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The length of the well-formed multi-byte UTF-8 character at `p`, or 0 when the bytes
// there are not one (no overlong forms, surrogates or values beyond U+10FFFF).
size_t multiByteLength(const unsigned char* p, const unsigned char* end) {
    size_t length;
    uint32_t code;
    if ((*p & 0xE0) == 0xC0) {
        length = 2;
        code = *p & 0x1F;
    } else if ((*p & 0xF0) == 0xE0) {
        length = 3;
        code = *p & 0x0F;
    } else if ((*p & 0xF8) == 0xF0) {
        length = 4;
        code = *p & 0x07;
    } else {
        return 0;
    }
    if (static_cast<size_t>(end - p) < length) return 0;
    for (size_t i = 1; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80) return 0;
        code = (code << 6) | (p[i] & 0x3F);
    }
    static constexpr uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

void appendWindows1252(std::string& out, unsigned char byte) {
    if (byte < 0x80)
        out += static_cast<char>(byte);
    else if (byte < 0xA0)
        appendUtf8(out, kHighControls[byte - 0x80]);
    else
        appendUtf8(out, byte);
}

}  // namespace

void Utf8Scanner::scanTo(std::string_view text, size_t end) {
    if (zeroFound_ || end <= scanned_) return;
    // Pieces cut where no character goes on make the same scan as the whole: a character
    // that ran over the cut would go on in a continuation byte.
    const Utf8Scan piece = scanUtf8UpToZero(text.substr(scanned_, end - scanned_));
    scan_.valid = scan_.valid && piece.valid;
    if (piece.length < end - scanned_) {
        zeroFound_ = true;
        scan_.length = scanned_ + piece.length;
    }
    scanned_ = end;
}

void Utf8Scanner::scanMore(std::string_view text) {
    // Up to the start of the last character, which its next bytes may not have reached.
    size_t end = text.size();
    for (size_t back = 0; back < 4 && end > scanned_; ++back) {
        --end;
        if ((static_cast<unsigned char>(text[end]) & 0xC0) != 0x80) break;
    }
    scanTo(text, end);
}

Utf8Scan Utf8Scanner::finish(std::string_view text) {
    scanTo(text, text.size());
    if (!zeroFound_) scan_.length = text.size();
    return scan_;
}

void appendUtf8(std::string& out, uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

bool holdsStrayControls(std::string_view text) {
    const char* p = text.data();
    const char* const end = p + text.size();
#ifdef __SSE2__
    // Bytes below 0x20 are those whose top three bits are clear; the tab and the line breaks
    // among them are let through.
    const __m128i top = _mm_set1_epi8(static_cast<char>(0xE0));
    const __m128i zero = _mm_setzero_si128();
    const __m128i tab = _mm_set1_epi8('\t');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i del = _mm_set1_epi8(0x7F);
    for (; end - p >= 16; p += 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i low = _mm_cmpeq_epi8(_mm_and_si128(x, top), zero);
        const __m128i allowed = _mm_or_si128(
            _mm_or_si128(_mm_cmpeq_epi8(x, tab), _mm_cmpeq_epi8(x, lf)), _mm_cmpeq_epi8(x, cr));
        const __m128i stray = _mm_or_si128(_mm_andnot_si128(allowed, low), _mm_cmpeq_epi8(x, del));
        if (_mm_movemask_epi8(stray) != 0) return true;
    }
#endif
    return std::any_of(p, end, isStrayControl);
}

Utf8Scan scanUtf8UpToZero(std::string_view bytes) {
    const auto* const begin = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* p = begin;
    const auto* end = p + bytes.size();
    Utf8Scan scan{bytes.size(), true};
    while (p < end) {
        // Plain ASCII without zero bytes is by far the most common: skip it sixty-four,
        // sixteen or eight bytes at a time.
#ifdef __SSE2__
        // A byte from 0x80 up or a zero byte is one not above 0 as a signed byte.
        const __m128i one = _mm_set1_epi8(1);
        const auto stopsAt = [&](const unsigned char* at) {
            return _mm_cmpgt_epi8(one, _mm_loadu_si128(reinterpret_cast<const __m128i*>(at)));
        };
        while (end - p >= 64) {
            const __m128i stops = _mm_or_si128(_mm_or_si128(stopsAt(p), stopsAt(p + 16)),
                                               _mm_or_si128(stopsAt(p + 32), stopsAt(p + 48)));
            if (_mm_movemask_epi8(stops) != 0) break;
            p += 64;
        }
        while (end - p >= 16) {
            const int stops = _mm_movemask_epi8(stopsAt(p));
            if (stops != 0) {
                p += __builtin_ctz(static_cast<unsigned>(stops));
                break;
            }
            p += 16;
        }
        if (p == end) break;
#endif
        if (*p < 0x80 && *p != 0) {
            ++p;
            while (end - p >= 8) {
                uint64_t word;
                std::memcpy(&word, p, sizeof word);
                constexpr uint64_t kLow = 0x0101010101010101ull;
                constexpr uint64_t kHigh = 0x8080808080808080ull;
                // A byte with its high bit set, or a zero byte (the classic test).
                if (((word | ((word - kLow) & ~word)) & kHigh) != 0) break;
                p += 8;
            }
            continue;
        }
        if (*p == 0) {
            scan.length = static_cast<size_t>(p - begin);
            return scan;
        }
        if (!scan.valid) {
            ++p;  // only the zero byte is still looked for
            continue;
        }
        const size_t length = multiByteLength(p, end);
        if (length == 0) {
            scan.valid = false;
            continue;
        }
        p += length;
    }
    return scan;
}

bool isValidUtf8(std::string_view bytes) {
    for (;;) {
        const Utf8Scan scan = scanUtf8UpToZero(bytes);
        if (!scan.valid) return false;
        if (scan.length == bytes.size()) return true;
        bytes.remove_prefix(scan.length + 1);  // a zero byte is valid UTF-8: look on past it
    }
}

std::string windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (const char c : bytes)
        appendWindows1252(out, static_cast<unsigned char>(c));
    return out;
}

size_t utf8CharLength(std::string_view bytes) {
    if (bytes.empty()) return 0;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    return *p < 0x80 ? 1 : multiByteLength(p, p + bytes.size());
}

size_t convertWithWindows1252Fallback(std::string_view bytes, size_t from, size_t stop, char* out,
                                      size_t& made) {
    const auto* const begin = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = begin + bytes.size();
    const auto* const last = begin + std::min(stop, bytes.size());
    const auto* p = begin + from;
    char* o = out;
    size_t count = 0;
    while (p < last) {
        // A run of ASCII, eight bytes at a time where it is long.
        const auto* run = p;
        while (last - p >= 8) {
            uint64_t word;
            std::memcpy(&word, p, sizeof word);
            if ((word & 0x8080808080808080ull) != 0) break;
            p += 8;
        }
        while (p < last && *p < 0x80)
            ++p;
        const auto ascii = static_cast<size_t>(p - run);
        if (o != nullptr) {
            std::memcpy(o, run, ascii);
            o += ascii;
        }
        count += ascii;
        if (p == last) break;
        size_t length = multiByteLength(p, end);
        if (length != 0) {
            if (o != nullptr) {
                std::memcpy(o, p, length);
                o += length;
            }
            count += length;
            p += length;
            continue;
        }
        const uint32_t code = *p < 0xA0 ? kHighControls[*p - 0x80] : *p;
        length = code < 0x800 ? 2 : 3;
        if (o != nullptr) {
            if (length == 2) {
                *o++ = static_cast<char>(0xC0 | (code >> 6));
            } else {
                *o++ = static_cast<char>(0xE0 | (code >> 12));
                *o++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            }
            *o++ = static_cast<char>(0x80 | (code & 0x3F));
        }
        count += length;
        ++p;
    }
    made += count;
    return static_cast<size_t>(p - begin);
}

std::string utf8WithWindows1252Fallback(std::string_view bytes) {
    size_t size = 0;
    (void)convertWithWindows1252Fallback(bytes, 0, bytes.size(), nullptr, size);
    std::string out(size, '\0');
    size_t made = 0;
    (void)convertWithWindows1252Fallback(bytes, 0, bytes.size(), out.data(), made);
    return out;
}

std::string valueAsUtf8(std::string_view bytes) {
    return isValidUtf8(bytes) ? std::string(bytes) : windows1252ToUtf8(bytes);
}

std::string_view withoutUtf8Bom(std::string_view bytes) {
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    return bytes.substr(0, kBom.size()) == kBom ? bytes.substr(kBom.size()) : bytes;
}

std::string decodeText(std::string_view bytes) {
    const std::string_view text = withoutUtf8Bom(bytes);
    return utf8WithWindows1252Fallback(text);
}

std::string utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size() / 2);
    auto unit = [&](size_t i) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<uint32_t>(bigEndian ? (a << 8 | b) : (b << 8 | a));
    };
    constexpr uint32_t kReplacement = 0xFFFD;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const uint32_t u = unit(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 3 < bytes.size()) {
            const uint32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                appendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        appendUtf8(out, u >= 0xD800 && u <= 0xDFFF ? kReplacement : u);
    }
    return out;
}
