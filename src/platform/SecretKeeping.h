#pragma once

#include <string>

// Keeps a password the process holds out of places it could be read from later.

// While one lives, the process writes no core dump (nor may another process of the user
// trace it), so that a crash leaves no copy of the password anywhere; this covers every copy
// of it, the network library's too. The setting before it comes back when it goes.
class NoCoreDumps {
public:
    NoCoreDumps();
    ~NoCoreDumps();
    NoCoreDumps(const NoCoreDumps&) = delete;
    NoCoreDumps& operator=(const NoCoreDumps&) = delete;

    // Whether the process may write a core dump now.
    [[nodiscard]] static bool dumpable();

private:
    int before_ = -1;
};

// Overwrites the characters of `secret`, then empties it, so that the freed memory holds no
// copy.
void wipeSecret(std::string& secret);
