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

    bool hasSection(const std::string& section) const override {
        return sections_.count(section) != 0;
    }
    std::optional<uint32_t> readNumber(const std::string& section,
                                       const std::string& name) const override {
        return read<uint32_t>(section, name);
    }
    std::optional<std::string> readText(const std::string& section,
                                        const std::string& name) const override {
        return read<std::string>(section, name);
    }
    void writeNumber(const std::string& section, const std::string& name, uint32_t value) override {
        sections_[section][name] = value;
    }
    void writeText(const std::string& section, const std::string& name,
                   const std::string& value) override {
        sections_[section][name] = value;
    }
    void removeValue(const std::string& section, const std::string& name) override {
        if (const auto s = sections_.find(section); s != sections_.end()) s->second.erase(name);
    }

    // Everything stored, section by section.
    [[nodiscard]] const std::map<std::string, Section>& sections() const { return sections_; }

private:
    // The value of a name when it holds a T.
    template <typename T>
    [[nodiscard]] std::optional<T> read(const std::string& section, const std::string& name) const {
        const auto s = sections_.find(section);
        if (s == sections_.end()) return std::nullopt;
        const auto v = s->second.find(name);
        if (v == s->second.end() || !std::holds_alternative<T>(v->second)) return std::nullopt;
        return std::get<T>(v->second);
    }

    std::map<std::string, Section> sections_;
};
