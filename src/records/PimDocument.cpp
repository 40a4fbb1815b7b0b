#include "records/PimDocument.h"

#include <algorithm>
#include <utility>

#include "platform/Clock.h"

PimDocument::PimDocument(const Clock& clock)
    : clock_(clock), currentDate_(DateTime::today(clock)) {}

PimDocument::~PimDocument() {
    const auto views = views_;
    for (DocumentView* view : views)
        view->documentClosing();
}

void PimDocument::attachView(DocumentView& view) {
    if (std::find(views_.begin(), views_.end(), &view) == views_.end()) views_.push_back(&view);
}

void PimDocument::detachView(DocumentView& view) {
    std::erase(views_, &view);
}

void PimDocument::notifyViews() {
    // A view may detach itself while being told.
    const auto views = views_;
    for (DocumentView* view : views)
        view->documentChanged();
}

void PimDocument::setModified(bool modified, bool notify) {
    modified_ = modified;
    if (notify) notifyViews();
}

void PimDocument::setPath(std::string path) {
    path_ = std::move(path);
    const auto views = views_;
    for (DocumentView* view : views)
        view->documentPathChanged(path_);
}

void PimDocument::resetContents() {
    persons_.clear();
    tasks_.clear();
    appointments_.clear();
    phGroups_.clear();
    user_ = User{};
    setModified(false, true);
}

void PimDocument::takeContents(PimDocument& other) {
    persons_ = std::exchange(other.persons_, {});
    tasks_ = std::exchange(other.tasks_, {});
    appointments_ = std::exchange(other.appointments_, {});
    phGroups_ = std::exchange(other.phGroups_, {});
    user_ = std::exchange(other.user_, {});
    setModified(false, true);
}

void PimDocument::makeNew() {
    resetContents();
    setPath("");
}

void PimDocument::seedDefaultGroups() {
    for (const char* desc : {"All", "White Pages", "Yellow Pages"}) {
        phGroups_.addNew(PhGroup{0, desc});
    }
    notifyViews();
}

void PimDocument::setUser(const User& user) {
    user_ = user;
    changed();
}

bool PimDocument::isGroupInUse(int32_t groupId) const {
    return std::any_of(persons_.begin(), persons_.end(), [&](const auto& entry) {
        const auto& groups = entry.second.PhGroups;
        return std::find(groups.begin(), groups.end(), groupId) != groups.end();
    });
}

bool PimDocument::isGroupDescTaken(const std::string& desc, int32_t exceptId) const {
    return std::any_of(phGroups_.begin(), phGroups_.end(), [&](const auto& entry) {
        return entry.first != exceptId && entry.second.Desc == desc;
    });
}

bool PimDocument::deleteGroup(int32_t groupId) {
    if (isGroupInUse(groupId)) return false;
    remove<PhGroup>(groupId);
    return true;
}

CompactResult PimDocument::compact(const WriteStep& write) {
    CompactResult result;
    const DateTime today = DateTime::today(clock_);
    result.tasksRemoved =
        tasks_.eraseIf([&](const Task& task) { return task.isDone() && task.DueDate < today; });
    result.written = !path_.empty() && write(*this, path_);
    if (result.written)
        modified_ = false;
    else if (result.tasksRemoved > 0)
        modified_ = true;
    notifyViews();
    return result;
}

void PimDocument::changed() {
    setModified(true, true);
}
