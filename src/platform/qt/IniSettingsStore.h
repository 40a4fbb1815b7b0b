#pragma once

#include <QString>

#include "platform/SettingsStore.h"

// The settings as an INI file, by default the per-user one under the XDG configuration
// directory ($XDG_CONFIG_HOME/Tarnwick/Quillmate.conf). Every call opens the file, does
// its one read or write and closes it again, so two running copies see each other's
// writes. A file that cannot be read is treated as empty.
class IniSettingsStore : public SettingsStore {
public:
    explicit IniSettingsStore(QString filePath = defaultFilePath());

    // Where the user's settings live.
    [[nodiscard]] static QString defaultFilePath();
    [[nodiscard]] const QString& filePath() const { return filePath_; }

    bool hasSection(const std::string& section) const override;
    std::optional<uint32_t> readNumber(const std::string& section,
                                       const std::string& name) const override;
    std::optional<std::string> readText(const std::string& section,
                                        const std::string& name) const override;
    void writeNumber(const std::string& section, const std::string& name, uint32_t value) override;
    void writeText(const std::string& section, const std::string& name,
                   const std::string& value) override;
    void removeValue(const std::string& section, const std::string& name) override;

private:
    QString filePath_;
};
