#pragma once

#include <string>
#include <vector>

// Where the sound file named in the settings is. A name with a directory part is used as
// it is; a bare name such as "beep.wav" is looked for in the current directory, then in
// each of `dataDirs` in turn. "" when no such file exists, which means silence.
[[nodiscard]] std::string findSoundFile(const std::string& name,
                                        const std::vector<std::string>& dataDirs);
