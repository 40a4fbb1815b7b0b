#pragma once

#include <QObject>

#include "textio/TextTransferSpec.h"

class FrameHost;
class Locale;
class UserPrompts;
class Workspace;

// The File menu's Import and Export commands: each runs the wizard for its record type
// and then moves the records, an import as one step of the undo history.
class TextTransferController : public QObject {
    Q_OBJECT

public:
    TextTransferController(Workspace& workspace, FrameHost& frame, UserPrompts& prompts,
                           const Locale& locale);

    // Runs one command: the wizard, then the export or the import.
    void run(TransferKind kind, bool import);

private:
    Workspace& workspace_;
    FrameHost& frame_;
    UserPrompts& prompts_;
    const Locale& locale_;
};
