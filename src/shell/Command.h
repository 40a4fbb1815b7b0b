#pragma once

#include <string>

// When a command is offered. Each rule reads one fact of the frame's state.
enum class EnableRule {
    Always,
    DocumentModified,
    DocumentHasPath,
    HasTask,
    HasPerson,
    HasAppointment,
    TaskSelectedInFocus,
    PersonSelectedInFocus,
    AppointmentSelectedInFocus,
    DayHasRows,
    DayHasTasks,
    DayHasAppointments,
    ReportChosen,
    CanUndo,
    CanRedo,
};

// Which flag a command's check mark shows, if any.
enum class CheckRule { None, OpenLastFile, UseAlarmSound, ToolbarVisible, StatusBarVisible };

// Who carries a command out. The frame does its own; the others are reached through
// handlers that later parts of the program install.
enum class CommandOwner { Frame, Organizer, Transfer, Report, Print };

// One row of the command table.
struct Command {
    int id = 0;
    const char* menuText = "";     // with its mnemonic: "&New"
    const char* accelerator = "";  // "Ctrl+N", or "" for none
    const char* prompt = "";       // status-bar text while the item is highlighted
    const char* tooltip = "";      // toolbar tooltip
    CommandOwner owner = CommandOwner::Frame;
    EnableRule enable = EnableRule::Always;
    CheckRule check = CheckRule::None;

    // The menu text in the user's language without the mnemonic marker and the trailing
    // dots: "Save As".
    [[nodiscard]] std::string plainText() const;
};
