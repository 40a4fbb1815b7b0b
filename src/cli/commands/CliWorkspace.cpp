#include "cli/commands/CliWorkspace.h"

#include "cli/CliCommand.h"

CliWorkspace::CliWorkspace(const CliContext& context)
    : workspace_(context.clock, storage_, prompts_, settings_),
      leaveRecords_(context.processEnds) {}

CliWorkspace::~CliWorkspace() {
    if (leaveRecords_) workspace_.leaveRecordsToExit();
}
