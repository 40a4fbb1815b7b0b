#include "shell/RecentFileList.h"

#include <algorithm>

#include "shell/CommandId.h"

namespace {

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

RecentFileList::RecentFileList(int maximum) : maximum_(kDefaultMaximum) {
    setMaximum(maximum);
}

void RecentFileList::setMaximum(int maximum) {
    maximum_ = std::clamp(maximum, kSmallestMaximum, kLargestMaximum);
    if (entries_.size() > static_cast<size_t>(maximum_)) entries_.resize(maximum_);
}

bool RecentFileList::samePath(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return lower(x) == lower(y); });
}

void RecentFileList::add(const std::string& path) {
    remove(path);
    if (entries_.size() >= static_cast<size_t>(maximum_)) entries_.resize(maximum_ - 1);
    entries_.insert(entries_.begin(), path);
}

void RecentFileList::remove(const std::string& path) {
    std::erase_if(entries_, [&](const std::string& entry) { return samePath(entry, path); });
}

std::optional<std::string> RecentFileList::pathForCommand(int commandId) const {
    const int index = commandId - cmd::kRecentFirst;
    if (index < 0 || static_cast<size_t>(index) >= entries_.size()) return std::nullopt;
    return entries_[index];
}

int RecentFileList::commandForIndex(size_t index) {
    return cmd::kRecentFirst + static_cast<int>(index);
}

std::vector<std::string> RecentFileList::menuLabels() const {
    std::vector<std::string> labels;
    for (size_t i = 0; i < entries_.size(); ++i) {
        std::string label = "&" + std::to_string(i + 1) + " ";
        for (char c : entries_[i]) {
            label += c;
            if (c == '&') label += '&';
        }
        labels.push_back(std::move(label));
    }
    return labels;
}
