#pragma once

#include <string>

// Where the program keeps per-user files besides its settings, under the folders the
// desktop names for them (a relative or empty variable counts as unset). Created on demand
// by whoever writes there, owner-only.

// $XDG_STATE_HOME/Tarnwick/Quillmate (~/.local/state/...): what only this program's next
// run needs, such as recovery copies of unsaved changes.
[[nodiscard]] std::string userStateFolder();
// $XDG_DATA_HOME/Tarnwick/Quillmate (~/.local/share/...): the user's own data, such as the
// earlier versions of saved documents.
[[nodiscard]] std::string userDataFolder();

// Names the document at `path` the same under any of its names (relative, through a
// link) and in every run: sixteen hex digits of its resolved path.
[[nodiscard]] std::string documentKey(const std::string& path);
// A folder or file name for what the program keeps of that document: its stem and key.
[[nodiscard]] std::string documentKeyedName(const std::string& path);

// Makes `folder` and the folders above it that are missing, with owner-only permissions
// for the ones made; "" on success, else why not.
[[nodiscard]] std::string makePrivateFolder(const std::string& folder);
