#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The per-user settings: named values in named sections, each a 32-bit number or a text.
// Reads that fail give nothing; writes that fail are ignored, since settings are never
// worth stopping the program for.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // Whether the section exists at all.
    [[nodiscard]] virtual bool hasSection(const std::string& section) const = 0;
    // The number stored under the name; nothing when missing or not a number.
    [[nodiscard]] virtual std::optional<uint32_t> readNumber(const std::string& section,
                                                             const std::string& name) const = 0;
    // The text stored under the name; nothing when missing.
    [[nodiscard]] virtual std::optional<std::string> readText(const std::string& section,
                                                              const std::string& name) const = 0;
    // Stores a value, creating the section when it is missing.
    virtual void writeNumber(const std::string& section, const std::string& name,
                             uint32_t value) = 0;
    virtual void writeText(const std::string& section, const std::string& name,
                           const std::string& value) = 0;
    // Removes the value if it exists.
    virtual void removeValue(const std::string& section, const std::string& name) = 0;
};
