#include "records/PackedText.h"

#include <cstdint>
#include <cstring>
#include <new>

#include "records/ShortCopy.h"

std::string_view PackedText::view() const {
    // Never a null pointer, as a std::string's never was: callers copy from it.
    if (block_ == nullptr) return std::string_view("", 0);
    uint32_t length;
    std::memcpy(&length, block_.get(), sizeof length);
    return {block_.get() + sizeof length, length};
}

void PackedText::assign(std::string_view text) {
    if (text.empty()) {
        block_.reset();
        return;
    }
    // The length is 32 bits: a longer text cannot be held, like one beyond memory.
    if (text.size() > UINT32_MAX) throw std::bad_alloc();
    const auto length = static_cast<uint32_t>(text.size());
    // Made in full before the old block goes: `text` may lie in it.
    auto block = std::make_unique_for_overwrite<char[]>(sizeof length + text.size());
    std::memcpy(block.get(), &length, sizeof length);
    copyShort(block.get() + sizeof length, text.data(), text.size());
    block_ = std::move(block);
}
