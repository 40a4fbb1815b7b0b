#include "textio/GroupFiling.h"

#include <algorithm>

#include "records/PimDocument.h"

GroupFiling::GroupFiling(const PimDocument& document)
    : added(document.phGroups()), hasUniversal_(document.phGroups().contains(kUniversalGroupId)) {
    // The first group of a name wins, should a document hold two.
    for (const auto& [id, group] : document.phGroups())
        byName_.emplace(group.Desc, id);
}

std::vector<int32_t> GroupFiling::groupsOf(const std::vector<std::string>& categories) {
    std::vector<int32_t> ids;
    for (const std::string& name : categories) {
        auto it = byName_.find(name);
        if (it == byName_.end()) {
            const int32_t id = added.nextId();
            if (!added.add(PhGroup{0, name})) continue;
            it = byName_.emplace(name, id).first;
        }
        // The universal group comes last, as the person editor files it.
        if ((!hasUniversal_ || it->second != kUniversalGroupId) &&
            std::find(ids.begin(), ids.end(), it->second) == ids.end())
            ids.push_back(it->second);
    }
    if (hasUniversal_) ids.push_back(kUniversalGroupId);
    return ids;
}
