#pragma once

#include <QObject>

class FrameHost;
class Locale;
class UserPrompts;
class Workspace;

// File > Import and Export "vCard..." and "iCalendar...": a file dialog, then the records
// moved, an import as one step of the undo history, and what was done said in a message.
class ExchangeController : public QObject {
    Q_OBJECT

public:
    ExchangeController(Workspace& workspace, FrameHost& frame, UserPrompts& prompts,
                       const Locale& locale);

    void importVCard();
    void importICalendar();
    void exportVCard();
    void exportICalendar();

private:
    Workspace& workspace_;
    UserPrompts& prompts_;
    const Locale& locale_;
};
