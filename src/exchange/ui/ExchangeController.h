#pragma once

#include <QObject>

#include "exchange/RecordUids.h"

class FrameHost;
class Locale;
class UserPrompts;
class Workspace;

// File > Import and Export "vCard..." and "iCalendar...": a file dialog, then the records
// moved, an import as one step of the undo history, and what was done said in a message. An
// export gives the records it writes that have no UID yet one, as a step of its own.
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
    void giveUidsFirst(UidKinds kinds);

    Workspace& workspace_;
    UserPrompts& prompts_;
    const Locale& locale_;
};
