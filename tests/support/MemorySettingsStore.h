#pragma once

#include <map>
#include <string>
#include <variant>

#include "platform/SettingsStore.h"

// Settings held in memory, for tests and for runs that must leave no trace.
class MemorySettingsStore : public SettingsStore {
public:
    using Value = std::variant<uint32_t, std::string>;
    using Section = std::map<std::string, Value>;

    bool hasSection(const std::string& section) const override;
    std::optional<uint32_t> readNumber(const std::string& section,
                                       const std::string& name) const override;
    std::optional<std::string> readText(const std::string& section,
                                        const std::string& name) const override;
    void writeNumber(const std::string& section, const std::string& name, uint32_t value) override;
    void writeText(const std::string& section, const std::string& name,
                   const std::string& value) override;
    void removeValue(const std::string& section, const std::string& name) override;

    // Everything stored, section by section.
    [[nodiscard]] const std::map<std::string, Section>& sections() const { return sections_; }

private:
    [[nodiscard]] const Value* find(const std::string& section, const std::string& name) const;

    std::map<std::string, Section> sections_;
};
