#include "workspace/RecentFileList.h"

#include <algorithm>

RecentFileList::RecentFileList(int maximum) : maximum_(kDefaultMaximum) {
    setMaximum(maximum);
}

void RecentFileList::setMaximum(int maximum) {
    maximum_ = std::clamp(maximum, kSmallestMaximum, kLargestMaximum);
    if (entries_.size() > static_cast<size_t>(maximum_)) entries_.resize(maximum_);
}

void RecentFileList::add(const std::string& path) {
    remove(path);
    if (entries_.size() >= static_cast<size_t>(maximum_)) entries_.resize(maximum_ - 1);
    entries_.insert(entries_.begin(), path);
}

void RecentFileList::remove(const std::string& path) {
    // Paths are compared byte for byte: Linux file names differ by letter case.
    std::erase(entries_, path);
}

std::optional<std::string> RecentFileList::pathAt(size_t index) const {
    if (index >= entries_.size()) return std::nullopt;
    return entries_[index];
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
