#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

// Copies `size` bytes as memcpy does. The texts of records and the names of attributes are
// mostly a few bytes long, too short for a call of the library's memcpy to pay, and of many
// lengths, where a loop over their bytes would guess its end wrong: up to 32 bytes they go
// as two pieces of one size that may overlap.
inline void copyShort(char* to, const char* from, size_t size) {
    const auto twoPieces = [&]<class Piece>(Piece) {
        Piece head;
        Piece tail;
        std::memcpy(&head, from, sizeof head);
        std::memcpy(&tail, from + size - sizeof tail, sizeof tail);
        std::memcpy(to, &head, sizeof head);
        std::memcpy(to + size - sizeof tail, &tail, sizeof tail);
    };
    struct Sixteen {
        uint64_t low, high;
    };
    if (size > 32)
        std::memcpy(to, from, size);
    else if (size >= 16)
        twoPieces(Sixteen{});
    else if (size >= 8)
        twoPieces(uint64_t{});
    else if (size >= 4)
        twoPieces(uint32_t{});
    else if (size >= 2)
        twoPieces(uint16_t{});
    else if (size == 1)
        *to = *from;
}
