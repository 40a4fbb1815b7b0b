#include "organizer/MissingProgram.h"
#include "platform/Translate.h"

#include "organizer/ContactActions.h"

std::string missingProgramMessage(ContactProgram program, const std::string& text) {
    std::string message;
    switch (program) {
        case ContactProgram::Dialer:
            message = dialFailureMessage(DialOutcome::NoDialer) + "\n\n" +
                      _("No program on this computer places telephone calls: none is set to "
                        "open tel: links.");
            break;
        case ContactProgram::Mail:
            message =
                _("Error opening E-mail client\n\nNo e-mail program could be started: none is "
                  "set to open mailto: links.");
            break;
        case ContactProgram::Browser:
            message =
                _("Error opening web browser\n\nNo web browser could be started: none is set "
                  "to open web pages.");
            break;
    }
    if (text.empty()) return message;
    const char* question = program == ContactProgram::Dialer
                               ? _("Copy the number %s to the clipboard?")
                               : _("Copy the address %s to the clipboard?");
    return message + "\n\n" + fillIn(question, {text});
}
