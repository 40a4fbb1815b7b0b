#include <array>

#include "cli/CliCommand.h"

namespace {

const std::array<CliCommand, 0> kCommands = {};

}  // namespace

std::span<const CliCommand> transferCommands() {
    return kCommands;
}
