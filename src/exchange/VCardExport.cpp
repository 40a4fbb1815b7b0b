#include "exchange/VCardExport.h"

#include <algorithm>

#include "exchange/RecordUids.h"
#include "fileio/AtomicFile.h"
#include "records/PimDocument.h"

std::string vcardText(const PimDocument& document, VCardVersion version,
                      std::optional<int32_t> groupId, int32_t* records) {
    std::string out;
    int32_t count = 0;
    std::vector<std::string_view> categories;
    UidMaker uids;
    for (const auto& [id, person] : document.persons()) {
        const auto& groups = person.PhGroups;
        if (groupId && std::find(groups.begin(), groups.end(), *groupId) == groups.end()) continue;
        categories.clear();
        for (const int32_t group : groups) {
            const PhGroup* named = document.phGroups().find(group);
            if (group != kUniversalGroupId && named != nullptr && !named->Desc.empty())
                categories.push_back(named->Desc);
        }
        appendVCard(out, person, categories, version, uids.of(person));
        ++count;
    }
    if (records) *records = count;
    return out;
}

ExportResult exportVCardFile(const PimDocument& document, const std::string& path,
                             VCardVersion version, std::optional<int32_t> groupId) {
    ExportResult result;
    const std::string text = vcardText(document, version, groupId, &result.records);
    result.status = writeFileAtomically(path, text);
    if (!result.status) result.records = 0;
    return result;
}
