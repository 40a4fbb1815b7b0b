#include "shell/CommandState.h"
#include "platform/Translate.h"
#include "workspace/Workspace.h"

bool isCommandEnabled(const Command& command, const ShellSnapshot& s) {
    switch (command.enable) {
        case EnableRule::Always:
            return true;
        case EnableRule::DocumentModified:
            return s.documentModified;
        case EnableRule::DocumentHasPath:
            return s.documentHasPath;
        case EnableRule::HasTask:
            return s.taskCount > 0;
        case EnableRule::HasPerson:
            return s.personCount > 0;
        case EnableRule::HasAppointment:
            return s.appointmentCount > 0;
        case EnableRule::TaskSelectedInFocus:
            return s.taskSelected;
        case EnableRule::PersonSelectedInFocus:
            return s.personSelected;
        case EnableRule::AppointmentSelectedInFocus:
            return s.appointmentSelected;
        case EnableRule::DayHasRows:
            return s.dayTaskRows > 0 || s.dayAppointmentRows > 0;
        case EnableRule::DayHasTasks:
            return s.dayTaskRows > 0;
        case EnableRule::DayHasAppointments:
            return s.dayAppointmentRows > 0;
        case EnableRule::ReportChosen:
            return s.reportChosen;
        case EnableRule::CanUndo:
            return !s.undoName.empty();
        case EnableRule::CanRedo:
            return !s.redoName.empty();
    }
    return false;
}

namespace {

// The step an Undo or Redo command would act on; "" for other commands.
const std::string& namedStep(const Command& command, const ShellSnapshot& s) {
    static const std::string none;
    return command.enable == EnableRule::CanUndo   ? s.undoName
           : command.enable == EnableRule::CanRedo ? s.redoName
                                                   : none;
}

std::string withStep(const char* text, const std::string& step) {
    return step.empty() ? std::string(_(text))
                        : fillIn(C_("a command and the step it acts on", "%s %s"), {_(text), step});
}

}  // namespace

std::string commandMenuText(const Command& command, const ShellSnapshot& s) {
    return withStep(command.menuText, namedStep(command, s));
}

std::string commandPrompt(const Command& command, const ShellSnapshot& s) {
    const std::string& step = namedStep(command, s);
    return step.empty() ? std::string(_(command.prompt)) : withStep(command.tooltip, step);
}

std::optional<bool> commandCheckMark(const Command& command, const ShellSnapshot& s) {
    switch (command.check) {
        case CheckRule::None:
            return std::nullopt;
        case CheckRule::OpenLastFile:
            return s.openLastFile;
        case CheckRule::UseAlarmSound:
            return s.useAlarmSound;
        case CheckRule::ToolbarVisible:
            return s.toolbarVisible;
        case CheckRule::StatusBarVisible:
            return s.statusBarVisible;
    }
    return std::nullopt;
}

void fillFromWorkspace(ShellSnapshot& state, const Workspace& workspace) {
    const PimDocument& document = workspace.document();
    state.documentModified = document.isModified();
    state.documentHasPath = !document.path().empty();
    state.taskCount = document.tasks().size();
    state.personCount = document.persons().size();
    state.appointmentCount = document.appointments().size();
    state.openLastFile = workspace.openLastFile();
    state.undoName = workspace.history().undoName();
    state.redoName = workspace.history().redoName();
}
