#include "cli/commands/CommandSupport.h"

#include <chrono>
#include <ostream>

#include "docfile/DocumentFile.h"
#include "records/PimDocument.h"

namespace {

// How long a command waits for another run that is changing the same document.
constexpr std::chrono::seconds kLockPatience{30};

}  // namespace

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

RecordsLeftToExit::~RecordsLeftToExit() {
    if (document_ != nullptr) document_->leaveRecordsToExit();
}

Status DocumentUpdate::load(PimDocument& document) {
    if (Status locked = lock_.lock(path_, kLockPatience); !locked) return locked;
    return loadDocument(document, path_, &stamp_);
}

Status DocumentUpdate::save(const PimDocument& document) const {
    WriteOptions options;
    options.unchangedSince = stamp_;
    return saveDocument(document, path_, options);
}
