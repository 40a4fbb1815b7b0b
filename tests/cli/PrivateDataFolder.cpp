// Saves keep earlier versions under the data folder: in these tests, never the user's own.
#include <cstdlib>

#include "support/ScratchDir.h"

namespace {

const ScratchDir kDataFolder;
const int kSet = setenv("XDG_DATA_HOME", kDataFolder.path().c_str(), 1);

}  // namespace
