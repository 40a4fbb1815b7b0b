#pragma once

#include <string>
#include <vector>

// Where the program's own files (its beep.wav) lie, in the order to look: beside the
// program in ../share/quillmate, which holds for an installed program wherever it was
// moved and for the build tree, then the directory it was installed to.
[[nodiscard]] std::vector<std::string> programDataDirs();
