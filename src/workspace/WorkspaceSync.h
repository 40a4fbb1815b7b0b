#pragma once

#include <string>
#include <utility>

#include "platform/Status.h"
#include "records/DocumentView.h"
#include "sync/SyncJob.h"
#include "sync/SyncStateHistory.h"

class Workspace;

// Sync as a tool of the workspace: a job over copies of the open records that may run
// elsewhere while the user goes on editing, and its outcome brought in as one step of the
// undo history. The sync state is kept beside the history (undoing a sync takes its state
// back too) and written once the document's file holds the records it describes, so that a
// document closed without saving is never taken for one whose records were deleted.
class WorkspaceSync : public DocumentView {
public:
    explicit WorkspaceSync(Workspace& workspace);
    ~WorkspaceSync() override;
    WorkspaceSync(const WorkspaceSync&) = delete;
    WorkspaceSync& operator=(const WorkspaceSync&) = delete;

    // Fills `job` for a sync of the open document; fails saying why when the document has no
    // file yet or its state cannot be read. `warning` tells of a state read as empty.
    Status prepare(const SyncRequest& request, SyncJob& job, std::string& warning);

    // What bringing a job in did.
    struct Outcome {
        bool applied = false;  // false: the document was closed or replaced meanwhile
        int keptEdits = 0;     // records the user changed meanwhile, kept as they are
    };
    // Brings in the records and state of a job that has run (also one that failed or was
    // cut short: what it did on the server is in them).
    Outcome finish(SyncJob& job);

    // A failure writing the state, once; success when there is none.
    [[nodiscard]] Status takeWriteFailure() { return std::exchange(writeFailure_, Status()); }

    void documentChanged() override;
    void documentPathChanged(const std::string& path) override;

private:
    void writeIfSaved();

    Workspace& workspace_;
    SyncStateHistory states_;
    std::string loadedFor_;  // the path whose state states_ holds; "" for none
    bool running_ = false;
    bool replaced_ = false;  // the document changed its path while a job ran
    bool synced_ = false;    // a sync of this document was brought in this session
    bool changed_ = false;   // the state may differ from its file
    SyncState started_;
    Status writeFailure_;
};
