#include "platform/qt/QtLocale.h"

namespace {

// Counts how often the character at `i` repeats.
qsizetype runLength(const QString& text, qsizetype i) {
    qsizetype n = 1;
    while (i + n < text.size() && text[i + n] == text[i])
        ++n;
    return n;
}

bool hasAmPmMarker(const QString& format) {
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        else if (!quoted && (c == u'A' || c == u'a' || c == u'B'))
            return true;
    }
    return false;
}

std::string toStd(const QString& text) {
    return text.toStdString();
}

// The C and POSIX locales have no short time form of their own (Qt gives them seconds in
// both); their times take the English (US) forms, which write "10:00 AM" where times are
// shown without seconds and read it back.
QLocale timeLocaleFor(const QLocale& locale) {
    return locale.language() == QLocale::C ? QLocale(QLocale::English, QLocale::UnitedStates)
                                           : locale;
}

// LANGUAGE can name a language while the C library's time form stays the C locale's (seconds,
// 24 hours); a short form with seconds is that one, and the language's own short form is
// taken from Qt's data instead.
QString shortTimeFormat(const QLocale& locale) {
    const QString format = locale.timeFormat(QLocale::ShortFormat);
    if (!format.contains(u's')) return format;
    return QLocale(locale.language(), locale.territory()).timeFormat(QLocale::ShortFormat);
}

}  // namespace

QtLocale::QtLocale(QLocale locale)
    : locale_(std::move(locale)),
      timeLocale_(timeLocaleFor(locale_)),
      shortDate_(pictureFromQtFormat(locale_.dateFormat(QLocale::ShortFormat))),
      longDate_(pictureFromQtFormat(locale_.dateFormat(QLocale::LongFormat))),
      time_(pictureFromQtFormat(timeLocale_.timeFormat(QLocale::LongFormat))),
      shortTime_(pictureFromQtFormat(shortTimeFormat(timeLocale_))) {}

std::string QtLocale::pictureFromQtFormat(const QString& format) {
    // Qt's h is 24-hour unless the format has an AM/PM marker; the picture's h is 12-hour.
    const bool twelveHour = hasAmPmMarker(format);
    QString out;
    qsizetype i = 0;
    while (i < format.size()) {
        const QChar c = format[i];
        if (c == u'\'') {
            const qsizetype close = format.indexOf(u'\'', i + 1);
            const qsizetype end = close < 0 ? format.size() : close + 1;
            out += format.mid(i, end - i);
            i = end;
            continue;
        }
        const qsizetype run = runLength(format, i);
        if (c == u'y') {
            out += QStringLiteral("yyyy");
        } else if (c == u'A' || c == u'a' || c == u'B') {
            // Qt 6.4 writes the day period B ("Bh:mm" in Taiwan) as a literal "B", which
            // loses the afternoon; the AM/PM marker keeps it.
            out += QStringLiteral("tt");
            // "AP" and "ap" are one marker.
            const qsizetype next = i + run;
            if (next < format.size() && (format[next] == u'P' || format[next] == u'p')) ++i;
        } else if (c == u't' || c == u'z') {
            // Time zone and milliseconds have no place in a picture; drop a blank before.
            while (out.endsWith(u' ') || out.endsWith(QChar(0x202F)) || out.endsWith(QChar(0xA0)))
                out.chop(1);
        } else if (c == u'h' && !twelveHour) {
            out += QString(run, u'H');
        } else {
            out += format.mid(i, run);
        }
        i += run;
    }
    return toStd(out);
}

std::string QtLocale::monthName(int month, bool abbreviated) const {
    if (month < 1 || month > 12) return "";
    return toStd(
        locale_.monthName(month, abbreviated ? QLocale::ShortFormat : QLocale::LongFormat));
}

std::string QtLocale::dayName(int dayOfWeek, bool abbreviated) const {
    if (dayOfWeek < 1 || dayOfWeek > 7) return "";
    // Qt counts from Monday (1) to Sunday (7).
    const int qtDay = dayOfWeek == 1 ? 7 : dayOfWeek - 1;
    return toStd(locale_.dayName(qtDay, abbreviated ? QLocale::ShortFormat : QLocale::LongFormat));
}

std::string QtLocale::amText() const {
    return toStd(timeLocale_.amText());
}
std::string QtLocale::pmText() const {
    return toStd(timeLocale_.pmText());
}

int QtLocale::firstDayOfWeek() const {
    // Qt counts Monday 1 to Sunday 7.
    return locale_.firstDayOfWeek() % 7 + 1;
}
