#include "workspace/StartupPlan.h"

#include <filesystem>

#include "workspace/DocumentSettings.h"
#include "workspace/UntitledName.h"

StartupPlan planStartup(const std::vector<std::string>& arguments, DocumentSettings& settings) {
    StartupPlan plan;
    if (!arguments.empty()) {
        // A relative path is made absolute now: it goes into the recent list and the last
        // file setting, which must name the same file whatever folder the next start is in.
        for (const std::string& argument : arguments) {
            std::error_code error;
            const auto absolute = std::filesystem::absolute(argument, error);
            plan.files.push_back(error ? argument : absolute.string());
        }
        // Read without writing anything, so that the menu shows the stored option.
        plan.openLastFile = settings.readOpenLastFile(false).value_or(false);
        return plan;
    }
    plan.openLastFile = settings.readOpenLastFile().value_or(false);
    if (!plan.openLastFile) return plan;
    const auto last = settings.readLastFileUsed();
    // An empty value names no file, and "Untitled" is what a never-saved document leaves
    // behind: there is nothing to reopen and nothing to report.
    if (last && !isUntitled(*last)) {
        plan.files.push_back(*last);
        plan.fromLastFile = true;
    }
    return plan;
}
