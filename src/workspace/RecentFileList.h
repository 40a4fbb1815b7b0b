#pragma once

#include <optional>
#include <string>
#include <vector>

// The recently used documents, newest first, at most `maximum()` of them. Paths that
// differ only in letter case name different files and are different entries.
class RecentFileList {
public:
    static constexpr int kDefaultMaximum = 4;
    static constexpr int kSmallestMaximum = 2;
    static constexpr int kLargestMaximum = 16;
    // Shown, disabled, in place of the entries while the list is empty.
    static constexpr const char* kEmptyPlaceholder = "(Empty)";

    explicit RecentFileList(int maximum = kDefaultMaximum);

    // The number of entries kept, always within 2..16.
    [[nodiscard]] int maximum() const { return maximum_; }
    // Clamps the value into 2..16 and drops the oldest entries that no longer fit.
    void setMaximum(int maximum);

    // Puts the path first, replacing an equal entry and dropping the oldest entry when
    // the list is full.
    void add(const std::string& path);
    // Removes the entry equal to the path, if any.
    void remove(const std::string& path);

    // The entries, newest first.
    [[nodiscard]] const std::vector<std::string>& entries() const { return entries_; }
    [[nodiscard]] bool empty() const { return entries_.empty(); }
    [[nodiscard]] size_t size() const { return entries_.size(); }

    // The path of the entry at `index` (0 is the newest); nothing past the end.
    [[nodiscard]] std::optional<std::string> pathAt(size_t index) const;
    // The menu labels, newest first: "&1 /home/ann/home.pgr". Ampersands of the path are
    // doubled so that they show instead of becoming mnemonics.
    [[nodiscard]] std::vector<std::string> menuLabels() const;

private:
    std::vector<std::string> entries_;
    int maximum_;
};
