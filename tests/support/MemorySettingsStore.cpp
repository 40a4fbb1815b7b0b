#include "support/MemorySettingsStore.h"

bool MemorySettingsStore::hasSection(const std::string& section) const {
    return sections_.count(section) != 0;
}

const MemorySettingsStore::Value* MemorySettingsStore::find(const std::string& section,
                                                            const std::string& name) const {
    const auto s = sections_.find(section);
    if (s == sections_.end()) return nullptr;
    const auto v = s->second.find(name);
    return v == s->second.end() ? nullptr : &v->second;
}

std::optional<uint32_t> MemorySettingsStore::readNumber(const std::string& section,
                                                        const std::string& name) const {
    const Value* value = find(section, name);
    if (value == nullptr || !std::holds_alternative<uint32_t>(*value)) return std::nullopt;
    return std::get<uint32_t>(*value);
}

std::optional<std::string> MemorySettingsStore::readText(const std::string& section,
                                                         const std::string& name) const {
    const Value* value = find(section, name);
    if (value == nullptr || !std::holds_alternative<std::string>(*value)) return std::nullopt;
    return std::get<std::string>(*value);
}

void MemorySettingsStore::writeNumber(const std::string& section, const std::string& name,
                                      uint32_t value) {
    sections_[section][name] = value;
}

void MemorySettingsStore::writeText(const std::string& section, const std::string& name,
                                    const std::string& value) {
    sections_[section][name] = value;
}

void MemorySettingsStore::removeValue(const std::string& section, const std::string& name) {
    const auto s = sections_.find(section);
    if (s != sections_.end()) s->second.erase(name);
}
