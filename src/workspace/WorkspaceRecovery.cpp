// The workspace's recovery copies: kept while changes are unsaved, offered at start.
#include "fileio/FileStamp.h"
#include "platform/Translate.h"
#include "records/PimContents.h"
#include "workspace/DocumentStorage.h"
#include "workspace/Workspace.h"

namespace {

// The question about one left copy, saying when the file changed since.
std::string question(const LeftCopy& copy) {
    const std::string& path = copy.documentPath;
    const std::string kept = DateTime::fromSeconds(copy.keptAt).format("%Y-%m-%d %H:%M");
    std::string text =
        (path.empty() ? fillIn(_("Quillmate found changes to an untitled document that were not "
                                 "saved when it last ended (kept %s)."),
                               {kept})
                      : fillIn(_("Quillmate found changes to %s that were not saved when it last "
                                 "ended (kept %s)."),
                               {path, kept})) +
        "\n\n";
    if (!path.empty()) {
        const auto now = currentStamp(path);
        if (!now) {
            text += fillIn(_("%s is no longer there; restoring brings the changes back under "
                             "that name, to be saved there."),
                           {path}) +
                    "\n\n";
        } else if (copy.base && *now != *copy.base) {
            text += fillIn(_("%s was changed on disk after these changes began. Restoring puts "
                             "them in place of what the file holds now; Undo brings the file's "
                             "version back."),
                           {path}) +
                    "\n\n";
        }
    }
    return text + _("Restore: bring the changes back; they stay unsaved until you save.\n"
                    "Discard: throw them away.\n"
                    "Later: keep them and ask again at the next start.");
}

}  // namespace

void Workspace::keepRecoveryCopiesIn(const std::string& folder) {
    if (recovery_) recovery_->drop();
    recovery_.reset();
    if (!folder.empty()) recovery_ = std::make_unique<RecoveryCopies>(folder);
}

void Workspace::recoveryChanged() {
    if (!recovery_) return;
    recovery_->changed();
    // A save, an undo back to the saved records, or another document: nothing to recover.
    if (!document_.isModified())
        recovery_->drop();
    else if (recoveryDue_)
        recoveryDue_();
}

void Workspace::keepRecoveryCopy() {
    if (!recovery_) return;
    if (!document_.isModified()) {
        recovery_->drop();
        return;
    }
    // The window waits only for a copy of the records; they are written on the copies'
    // own thread, and the window asked back to hear how that went.
    Status failure;
    if (!recovery_->current())
        failure = recovery_->keepLater(document_, storage_.knownStamp(document_.path()));
    const RecoveryCopies::Outcome outcome = recovery_->collect();
    if (failure) failure = outcome.failure;
    // Counted once the copy on disk holds every change, so that the count never promises
    // more than a crash would leave.
    if (outcome.holdsEveryChange && outcome.written > 0) ++recoveryCopiesWritten_;
    if (outcome.written > 0 && failure) recoveryFailureShown_ = false;
    if (!failure && !recoveryFailureShown_) {
        // Once until it works again: the user can still save, and should know to.
        recoveryFailureShown_ = true;
        prompts_.showMessage(
            fillIn(_("Unsaved changes cannot be kept for recovery: %s"), {failure.message()}) +
                "\n\n" + _("Save your work to keep it safe."),
            "Quillmate", MessageIcon::Exclamation);
    }
    if (outcome.busy && recoveryDue_) recoveryDue_();
}

void Workspace::offerRecovery() {
    if (!recovery_) return;
    for (LeftCopy& copy : recovery_->leftBehind()) {
        if (offer(copy)) break;
    }
}

bool Workspace::offer(LeftCopy& copy) {
    switch (prompts_.showMessage(question(copy), "Quillmate", MessageIcon::Exclamation,
                                 MessageButtons::RestoreDiscardLater)) {
        case MessageAnswer::Yes:
            break;
        case MessageAnswer::No:
            RecoveryCopies::discard(copy);
            return false;
        default:
            return false;
    }
    PimContents version;
    if (const Status read = RecoveryCopies::read(copy, version, DateTime::now(document_.clock()));
        !read) {
        prompts_.showMessage(fillIn(_("The recovery copy cannot be read: %s"), {read.message()}),
                             "Quillmate", MessageIcon::Error);
        return false;
    }
    if (!openForRestore(copy)) return false;
    restoreVersion(std::move(version));
    // This run's own copy is on disk before the left one goes.
    keepRecoveryCopy();
    recovery_->settle();
    keepRecoveryCopy();
    if (recovery_->kept()) RecoveryCopies::discard(copy);
    return true;
}

bool Workspace::openForRestore(const LeftCopy& copy) {
    const std::string& path = copy.documentPath;
    if (!path.empty() && path == document_.path()) return true;
    if (!lifecycle_.askSaveChanges()) return false;
    if (path.empty() || !currentStamp(path)) {
        lifecycle_.startNewDocument();
        if (!path.empty()) document_.setPath(path);
        return true;
    }
    if (const Status opened = lifecycle_.openPath(path); !opened) {
        prompts_.showMessage(fillIn(_("The changes belong to %s, which cannot be opened: %s"),
                                    {path, opened.message()}) +
                                 "\n\n" +
                                 _("They are kept; Quillmate asks again at the next start."),
                             "Quillmate", MessageIcon::Error);
        return false;
    }
    return true;
}
