#include "organizer/AddressBookCommits.h"

#include "organizer/PersonForm.h"
#include "records/PimDocument.h"
#include "records/UndoHistory.h"

int32_t addPerson(PimDocument& document, UndoHistory* history, const PersonForm& form) {
    if (!form.canConfirm()) return 0;
    UndoHistory::Step step(history, UndoStep::AddPerson);
    return document.add(form.written());
}

bool updatePerson(PimDocument& document, UndoHistory* history, const PersonForm& form) {
    if (!form.canConfirm() || !document.persons().contains(form.person.ID)) return false;
    UndoHistory::Step step(history, UndoStep::EditPerson);
    return document.replace(form.written());
}

void updateUser(PimDocument& document, UndoHistory* history, const User& user) {
    UndoHistory::Step step(history, UndoStep::EditUser);
    document.setUser(user);
}

GroupChange addGroup(PimDocument& document, UndoHistory* history, const std::string& desc) {
    if (document.isGroupDescTaken(desc, -1)) return GroupChange::Duplicate;
    UndoHistory::Step step(history, UndoStep::AddGroup);
    return document.add(PhGroup{0, desc}) != 0 ? GroupChange::Done : GroupChange::Missing;
}

GroupChange renameGroup(PimDocument& document, UndoHistory* history, int32_t id,
                        const std::string& desc) {
    const PhGroup* group = document.phGroups().find(id);
    if (group == nullptr) return GroupChange::Missing;
    if (document.isGroupDescTaken(desc, id)) return GroupChange::Duplicate;
    if (group->Desc == desc) return GroupChange::Done;  // nothing to undo
    UndoHistory::Step step(history, UndoStep::EditGroup);
    document.replace(PhGroup{id, desc});
    return GroupChange::Done;
}

GroupChange groupDeletion(const PimDocument& document, int32_t id) {
    if (!document.phGroups().contains(id)) return GroupChange::Missing;
    return document.isGroupInUse(id) ? GroupChange::InUse : GroupChange::Done;
}

GroupChange deleteGroup(PimDocument& document, UndoHistory* history, int32_t id) {
    const GroupChange allowed = groupDeletion(document, id);
    if (allowed != GroupChange::Done) return allowed;
    UndoHistory::Step step(history, UndoStep::DeleteGroup);
    return document.deleteGroup(id) ? GroupChange::Done : GroupChange::InUse;
}
