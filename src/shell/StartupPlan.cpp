#include "shell/StartupPlan.h"

#include "shell/ShellSettings.h"

StartupPlan planStartup(const std::vector<std::string>& arguments, ShellSettings& settings) {
    StartupPlan plan;
    if (!arguments.empty()) {
        plan.files = arguments;
        // Read without writing anything, so that the menu shows the stored option.
        plan.openLastFile = settings.readOpenLastFile(false).value_or(false);
        return plan;
    }
    plan.openLastFile = settings.readOpenLastFile().value_or(false);
    if (!plan.openLastFile) return plan;
    const auto last = settings.readLastFileUsed();
    // An empty value names no file: there is nothing to reopen and nothing to report.
    if (last && !last->empty()) {
        plan.files.push_back(*last);
        plan.fromLastFile = true;
    }
    return plan;
}
