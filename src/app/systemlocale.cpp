// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/systemlocale.h"

#include <QLocale>

namespace quorbel {
namespace {

char asciiOr(QString text, char fallback) {
    return text.size() == 1 && text.at(0).unicode() < 128 ? static_cast<char>(text.at(0).unicode())
                                                          : fallback;
}

} // namespace

LocaleFormat systemLocaleFormat() {
    const QLocale locale = QLocale::system();
    LocaleFormat format;
    format.decimalSeparator = asciiOr(locale.decimalPoint(), '.');
    format.thousandsSeparator = asciiOr(locale.groupSeparator(), ',');
    const QString shortDate = locale.dateFormat(QLocale::ShortFormat);
    const qsizetype y = shortDate.indexOf(u'y');
    const qsizetype m = shortDate.indexOf(u'M');
    const qsizetype d = shortDate.indexOf(u'd');
    if (y >= 0 && m >= 0 && d >= 0) {
        if (y < m)
            format.dateOrder = DateOrder::YearMonthDay;
        else if (m < d)
            format.dateOrder = DateOrder::MonthDayYear;
        else
            format.dateOrder = DateOrder::DayMonthYear;
    }
    for (QChar c : shortDate) {
        if (!c.isLetter()) {
            format.dateSeparator = asciiOr(QString(c), '/');
            break;
        }
    }
    return format;
}

} // namespace quorbel
