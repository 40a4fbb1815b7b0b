#include "organizer/MissingProgram.h"

#include "organizer/ContactActions.h"

std::string missingProgramMessage(ContactProgram program, const std::string& text) {
    std::string message;
    switch (program) {
        case ContactProgram::Dialer:
            message = dialFailureMessage(DialOutcome::NoDialer) +
                      "\n\nNo program on this computer places telephone calls: none is set to "
                      "open tel: links.";
            break;
        case ContactProgram::Mail:
            message =
                "Error opening E-mail client\n\nNo e-mail program could be started: none is "
                "set to open mailto: links.";
            break;
        case ContactProgram::Browser:
            message =
                "Error opening web browser\n\nNo web browser could be started: none is set "
                "to open web pages.";
            break;
    }
    if (text.empty()) return message;
    const char* what = program == ContactProgram::Dialer ? "number" : "address";
    return message + "\n\nCopy the " + what + " " + text + " to the clipboard?";
}
