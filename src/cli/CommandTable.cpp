#include "cli/CliCommand.h"

#include <vector>

// Each group of commands lives in its own file under commands/.
std::span<const CliCommand> documentCommands();
std::span<const CliCommand> transferCommands();
std::span<const CliCommand> dayCommands();
std::span<const CliCommand> occurrenceCommands();
std::span<const CliCommand> findCommands();
std::span<const CliCommand> editorCommands();
std::span<const CliCommand> addressBookCommands();
std::span<const CliCommand> reportCommands();
std::span<const CliCommand> backupCommands();
std::span<const CliCommand> syncCommands();

std::span<const CliCommand> cliCommands() {
    static const std::vector<CliCommand> all = [] {
        std::vector<CliCommand> commands;
        for (const auto group :
             {documentCommands(), editorCommands(), addressBookCommands(), dayCommands(),
              occurrenceCommands(), findCommands(), transferCommands(), reportCommands(),
              backupCommands(), syncCommands()}) {
            commands.insert(commands.end(), group.begin(), group.end());
        }
        return commands;
    }();
    return all;
}
