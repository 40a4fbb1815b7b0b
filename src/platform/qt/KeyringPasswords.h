#pragma once

#include <string>

// Passwords in the desktop's keyring (the Secret Service), under the program's name and a
// key per account, through QtKeychain. Each call waits for the keyring's answer in a local
// event loop.
namespace keyring {

// How a look-up went.
enum class Found { Yes, No, NoKeyring };

// Reads the password stored under `key`; `why` says what went wrong with NoKeyring.
Found readPassword(const std::string& key, std::string& password, std::string& why);
// Stores the password under `key`; false, saying why, when there is no keyring to hold it.
bool writePassword(const std::string& key, const std::string& password, std::string& why);
// Removes what is stored under `key`, if anything.
void removePassword(const std::string& key);

}  // namespace keyring
