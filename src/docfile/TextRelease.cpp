#include "docfile/TextRelease.h"

#include <algorithm>

#include "fileio/FileBytes.h"

namespace {

// How far the reader goes between two counts of the lines behind it: little enough that
// the lines are still in the caches when they are counted. The memory goes back in whole
// huge pages all the same, so that little more than one is held behind the reader.
constexpr size_t kStep = size_t{128} << 10;

// How many line feeds the text holds.
int32_t countLineFeeds(std::string_view text) {
    const char* p = text.data();
    const char* const end = p + text.size();
    int64_t count = 0;
#ifdef __SSE2__
    // Sixteen counters of one byte each, summed before any of them can overflow.
    const __m128i lf = _mm_set1_epi8('\n');
    const auto lineFeedsAt = [&](const char* at) {
        return _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at)), lf);
    };
    // Four pieces a round, so that the loop's own work is shared among sixty-four bytes.
    while (end - p >= 64) {
        __m128i counters = _mm_setzero_si128();
        for (int round = 0; round < 63 && end - p >= 64; ++round, p += 64) {
            counters = _mm_sub_epi8(counters, lineFeedsAt(p));
            counters = _mm_sub_epi8(counters, lineFeedsAt(p + 16));
            counters = _mm_sub_epi8(counters, lineFeedsAt(p + 32));
            counters = _mm_sub_epi8(counters, lineFeedsAt(p + 48));
        }
        const __m128i sums = _mm_sad_epu8(counters, _mm_setzero_si128());
        count += _mm_cvtsi128_si32(sums) + _mm_extract_epi16(sums, 4);
    }
    while (end - p >= 16) {
        __m128i counters = _mm_setzero_si128();
        for (int round = 0; round < 255 && end - p >= 16; ++round, p += 16) {
            const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            counters = _mm_sub_epi8(counters, _mm_cmpeq_epi8(x, lf));
        }
        const __m128i sums = _mm_sad_epu8(counters, _mm_setzero_si128());
        count += _mm_cvtsi128_si32(sums) + _mm_extract_epi16(sums, 4);
    }
#endif
    for (; p != end; ++p)
        count += *p == '\n';
    return static_cast<int32_t>(count);
}

}  // namespace

void TextRelease::reachedAt(const char* p) {
    if (owner_ == nullptr || p < text_.data() || p >= text_.data() + text_.size()) return;
    const auto offset = static_cast<size_t>(p - text_.data());
    if (offset - kept_ < kStep) return;
    const size_t newline = text_.rfind('\n', offset);
    if (newline == std::string_view::npos || newline < kept_) return;
    const size_t lineStart = newline + 1;
    lines_ += countLineFeeds(text_.substr(kept_, lineStart - kept_));
    kept_ = lineStart;
    owner_->releaseBefore(static_cast<size_t>(text_.data() - owner_->view().data()) + kept_);
}

TextPosition TextRelease::positionOf(size_t offset) const {
    TextPosition at = ::positionOf(text_.substr(kept_), offset - std::min(offset, kept_));
    at.line += lines_;
    return at;
}
