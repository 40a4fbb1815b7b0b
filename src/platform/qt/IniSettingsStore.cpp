#include "platform/qt/IniSettingsStore.h"

#include <QSettings>
#include <QStandardPaths>

#include <cstdint>
#include <limits>

namespace {

QString key(const std::string& section, const std::string& name) {
    return QString::fromStdString(section) + u'/' + QString::fromStdString(name);
}

}  // namespace

IniSettingsStore::IniSettingsStore(QString filePath) : filePath_(std::move(filePath)) {}

QString IniSettingsStore::defaultFilePath() {
    // Follows XDG_CONFIG_HOME, falling back to ~/.config.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Tarnwick/Quillmate.conf");
}

bool IniSettingsStore::hasSection(const std::string& section) const {
    const QSettings settings(filePath_, QSettings::IniFormat);
    return settings.childGroups().contains(QString::fromStdString(section));
}

std::optional<uint32_t> IniSettingsStore::readNumber(const std::string& section,
                                                     const std::string& name) const {
    const QSettings settings(filePath_, QSettings::IniFormat);
    const QVariant value = settings.value(key(section, name));
    if (!value.isValid()) return std::nullopt;
    bool ok = false;
    const qlonglong number = value.toString().trimmed().toLongLong(&ok);
    // Negative numbers are accepted as the 32-bit two's complement they stand for.
    if (!ok || number < std::numeric_limits<int32_t>::min() ||
        number > std::numeric_limits<uint32_t>::max())
        return std::nullopt;
    return static_cast<uint32_t>(number);
}

std::optional<std::string> IniSettingsStore::readText(const std::string& section,
                                                      const std::string& name) const {
    const QSettings settings(filePath_, QSettings::IniFormat);
    const QVariant value = settings.value(key(section, name));
    if (!value.isValid() || !value.canConvert<QString>()) return std::nullopt;
    return value.toString().toStdString();
}

void IniSettingsStore::writeNumber(const std::string& section, const std::string& name,
                                   uint32_t value) {
    QSettings settings(filePath_, QSettings::IniFormat);
    settings.setValue(key(section, name), static_cast<qulonglong>(value));
}

void IniSettingsStore::writeText(const std::string& section, const std::string& name,
                                 const std::string& value) {
    QSettings settings(filePath_, QSettings::IniFormat);
    settings.setValue(key(section, name), QString::fromStdString(value));
}

void IniSettingsStore::removeValue(const std::string& section, const std::string& name) {
    QSettings settings(filePath_, QSettings::IniFormat);
    settings.remove(key(section, name));
}
