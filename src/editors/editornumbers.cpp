#include "editors/editornumbers.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarnel {

std::optional<double> decimalNumber(const QString& text)
{
    // The C locale with group separators refused: "1,5" is not fifteen.
    static const QLocale c = [] {
        QLocale locale = QLocale::c();
        locale.setNumberOptions(QLocale::RejectGroupSeparator);
        return locale;
    }();
    bool ok = false;
    const double value = c.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<qint64> wholeNumber(const QString& text)
{
    const QString trimmed = text.trimmed();
    qsizetype digitsFrom = 0;
    if (!trimmed.isEmpty() && (trimmed[0] == u'+' || trimmed[0] == u'-'))
        digitsFrom = 1;
    if (digitsFrom == trimmed.size())
        return std::nullopt;
    for (qsizetype i = digitsFrom; i < trimmed.size(); ++i) {
        if (trimmed[i] < u'0' || trimmed[i] > u'9')
            return std::nullopt;
    }
    bool ok = false;
    const qint64 value = trimmed.toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

qint64 roundHalfEven(double value)
{
    constexpr double limit = 9.0e18;
    if (!(value < limit))
        return std::numeric_limits<qint64>::max();
    if (!(value > -limit))
        return std::numeric_limits<qint64>::min();
    double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    return qint64(whole);
}

int colourLevel(const QString& text)
{
    return int(std::clamp<qint64>(roundHalfEven(decimalNumber(text).value_or(0.0)), 0, 255));
}

} // namespace tarnel
