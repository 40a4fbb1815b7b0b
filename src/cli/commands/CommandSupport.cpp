#include "cli/commands/CommandSupport.h"

#include <ostream>

#include "docfile/DocumentFile.h"
#include "records/PimDocument.h"

void reportError(CliContext& context, const std::string& message) {
    context.err << "quillmate-cli: " << message << '\n';
}

int reportUsage(CliContext& context, const std::string& message) {
    reportError(context, message);
    context.err << "usage: quillmate-cli " << context.command.name << ' ' << context.command.usage
                << '\n';
    return kExitUsage;
}

bool loadForCommand(CliContext& context, PimDocument& document, const std::string& path) {
    const LoadResult loaded = loadDocument(document, path);
    if (!loaded)
        reportError(context, loaded.failure == LoadFailure::Syntax ? path + ": " + loaded.error
                                                                   : loaded.error);
    return loaded.ok;
}

bool saveForCommand(CliContext& context, const PimDocument& document, const std::string& path) {
    const FileResult saved = saveDocument(document, path);
    if (!saved) reportError(context, saved.error);
    return saved.ok;
}
