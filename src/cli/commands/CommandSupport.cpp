#include "cli/commands/CommandSupport.h"

#include <ostream>

Status usageFailure(std::string reason) {
    return Status::failure(FailureKind::Usage, "", std::move(reason));
}

void reportWarning(CliContext& context, const std::string& message) {
    context.err << "quillmate-cli: " << message << '\n';
}

Status parseArguments(const std::vector<std::string>& args, size_t count,
                      const std::vector<std::string>& valued, const std::vector<std::string>& flags,
                      CliArgs& parsed) {
    if (Status status = parsed.parse(args, valued, flags); !status) return status;
    if (parsed.positional().size() != count) return usageFailure("wrong number of arguments");
    return {};
}
