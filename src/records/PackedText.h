#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

// A text in the room of one pointer: nothing while it is empty, else one block of its
// length and its bytes. For a text every record has room for and few fill, such as a UID:
// a std::string takes the room of four pointers in each of a hundred thousand records.
class PackedText {
public:
    PackedText() = default;
    // Holds a copy of `text`.
    explicit PackedText(std::string_view text) { assign(text); }
    PackedText(const PackedText& other) { assign(other.view()); }
    PackedText(PackedText&&) noexcept = default;
    PackedText& operator=(const PackedText& other) {
        if (this != &other) assign(other.view());
        return *this;
    }
    PackedText& operator=(PackedText&&) noexcept = default;
    // Holds a copy of `text`, which may lie in this one's own block.
    PackedText& operator=(std::string_view text) {
        assign(text);
        return *this;
    }
    ~PackedText() = default;

    // The bytes; valid until this text changes or goes.
    [[nodiscard]] std::string_view view() const;
    // As a std::string_view and as a std::string, so that it stands where one of them did.
    operator std::string_view() const { return view(); }
    operator std::string() const { return std::string(view()); }
    [[nodiscard]] bool empty() const { return block_ == nullptr; }
    [[nodiscard]] size_t size() const { return view().size(); }
    void clear() { block_.reset(); }

    friend bool operator==(const PackedText& a, const PackedText& b) {
        return a.view() == b.view();
    }
    friend bool operator==(const PackedText& a, std::string_view b) { return a.view() == b; }

private:
    void assign(std::string_view text);

    // A 32-bit length, then the bytes; null for the empty text.
    std::unique_ptr<char[]> block_;
};
