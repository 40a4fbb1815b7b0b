#pragma once

#include <QLocale>

#include "platform/Locale.h"

// The user's regional settings (LC_ALL / LC_TIME / LANG) through QLocale, with
// four-digit years in every date form so that years never lose their century. The C and
// POSIX locales write times in the English (US) forms.
class QtLocale : public Locale {
public:
    explicit QtLocale(QLocale locale = QLocale::system());

    std::string shortDatePicture() const override { return shortDate_; }
    std::string longDatePicture() const override { return longDate_; }
    std::string timePicture() const override { return time_; }
    std::string shortTimePicture() const override { return shortTime_; }
    std::string monthName(int month, bool abbreviated) const override;
    std::string dayName(int dayOfWeek, bool abbreviated) const override;
    std::string amText() const override;
    std::string pmText() const override;
    int firstDayOfWeek() const override;

    // Turns a Qt date or time format into the picture letters core reads.
    [[nodiscard]] static std::string pictureFromQtFormat(const QString& format);

private:
    QLocale locale_;
    QLocale timeLocale_;  // where the time forms and the AM/PM texts come from
    std::string shortDate_;
    std::string longDate_;
    std::string time_;
    std::string shortTime_;
};
