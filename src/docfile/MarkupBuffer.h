#pragma once

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include "fileio/AtomicFile.h"
#include "records/RecordFields.h"
#include "records/ShortCopy.h"

// ` name="` of each field of a record kind, in a piece of fixed size that goes in one copy
// rather than one made to the name's length: a large document writes millions of them.
inline constexpr size_t kStartPiece = 32;
template <class Record>
struct AttributeStarts {
    static constexpr size_t kCount = recordFields<Record>().size();
    alignas(16) char bytes[kCount][kStartPiece] = {};
    uint8_t size[kCount] = {};
};

template <class Record>
constexpr AttributeStarts<Record> attributeStarts() {
    AttributeStarts<Record> starts;
    for (size_t i = 0; i < starts.kCount; ++i) {
        const std::string_view name = recordFields<Record>()[i].documentName;
        if (name.empty()) continue;
        // A longer name would not fit: the table cannot be made, and the build fails.
        if (name.size() + 3 > kStartPiece) throw "an attribute name too long for its piece";
        starts.bytes[i][0] = ' ';
        for (size_t k = 0; k < name.size(); ++k)
            starts.bytes[i][1 + k] = name[k];
        starts.bytes[i][1 + name.size()] = '=';
        starts.bytes[i][2 + name.size()] = '"';
        starts.size[i] = static_cast<uint8_t>(name.size() + 3);
    }
    return starts;
}

// The first byte from `p` on that an attribute value cannot hold as it is, or `end`.
[[nodiscard]] const char* findSpecial(const char* p, const char* end);

// The bytes of a document made in a buffer of their own and handed to a sink in pieces of
// about a megabyte. They are written through a pointer: every piece first makes room for
// the most it can take, so that what follows need not check again.
class MarkupBuffer {
public:
    explicit MarkupBuffer(const ByteSink& sink) : sink_(sink) {}

    // A value takes at most six bytes for each of its own ("&quot;").
    static constexpr size_t kMostPerByte = 6;
    // Room for a number of up to 64 bits.
    static constexpr size_t kNumberRoom = 24;

    // Room for `size` more bytes; false when the sink refused the bytes made so far.
    bool room(size_t size) { return static_cast<size_t>(limit_ - at_) >= size || makeRoom(size); }
    void put(std::string_view text) {
        copyShort(at_, text.data(), text.size());
        at_ += text.size();
    }
    void put(char c) { *at_++ = c; }
    // `tabs` tabs, then `text`.
    void line(int tabs, std::string_view text) {
        std::memset(at_, '\t', static_cast<size_t>(tabs));
        at_ += tabs;
        put(text);
    }
    // `text` and the line end.
    void end(std::string_view text) {
        put(text);
        put("\r\n");
    }
    void number(int64_t value) { at_ = std::to_chars(at_, limit_, value).ptr; }
    // `value` as an attribute value or element text holds it: references for the markup's
    // bytes, CR LF line ends, and bytes that are not UTF-8 as character references.
    void escaped(std::string_view value);
    void attributeStart(std::string_view name) {
        put(' ');
        put(name);
        put("=\"");
    }
    // The start of field `i`'s attribute; takes kStartPiece bytes of room.
    template <class Record>
    void attributeStart(size_t i) {
        static constexpr AttributeStarts<Record> kStarts = attributeStarts<Record>();
        std::memcpy(at_, kStarts.bytes[i], kStartPiece);
        at_ += kStarts.size[i];
    }
    void textAttribute(std::string_view name, std::string_view value) {
        attributeStart(name);
        escaped(value);
        put('"');
    }
    void numberAttribute(std::string_view name, int64_t value) {
        attributeStart(name);
        number(value);
        put('"');
    }
    // Hands the bytes made so far to the sink once there are enough of them.
    bool flushIfFull() { return at_ - buffer_.get() < static_cast<ptrdiff_t>(kChunk) || flush(); }
    // Hands the bytes made so far to the sink; false once it refused any.
    bool flush() {
        failed_ = failed_ || !sink_(std::string_view(buffer_.get(), size_t(at_ - buffer_.get())));
        at_ = buffer_.get();
        return !failed_;
    }

private:
    bool makeRoom(size_t size);

    static constexpr size_t kChunk = 1 << 20;
    const ByteSink& sink_;
    bool failed_ = false;
    std::unique_ptr<char[]> buffer_;
    size_t capacity_ = 0;
    char* at_ = nullptr;     // where the next byte goes
    char* limit_ = nullptr;  // the end of the buffer
};
