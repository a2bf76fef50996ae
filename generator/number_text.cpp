#include "number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

namespace {

constexpr double Nudge = 1e-12;
constexpr double HalfTolerance = 1e-7;

// floorToInt's rule without its 32-bit limit.
double floorWhole(double v) {
    const double f = std::floor(v);
    return (f + 1.0) - v < Nudge ? f + 1.0 : f;
}

double powerOfTen(int places) {
    double p = 1.0;
    for (int i = 0; i < (places < 0 ? -places : places); ++i)
        p *= 10.0;
    return places < 0 ? 1.0 / p : p;
}

qint32 clampTo32(qint64 v) {
    if (v > std::numeric_limits<qint32>::max())
        return std::numeric_limits<qint32>::max();
    if (v < std::numeric_limits<qint32>::min())
        return std::numeric_limits<qint32>::min();
    return static_cast<qint32>(v);
}

bool isAsciiSpace(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

char16_t halfWidth(char16_t c) {
    if (c >= 0xFF01 && c <= 0xFF5E)
        return static_cast<char16_t>(c - 0xFEE0);
    if (c == 0x3000)
        return u' ';
    return c;
}

// Leading white space, one optional sign, then decimal digits up to the first
// other character; no digits give 0. The value saturates to 32 bits however
// many digits follow.
template <typename Map> qint32 readLeadingInteger(QStringView text, Map map) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isAsciiSpace(map(text[i].unicode())))
        ++i;
    bool negative = false;
    if (i < n) {
        const char16_t c = map(text[i].unicode());
        if (c == u'+' || c == u'-') {
            negative = c == u'-';
            ++i;
        }
    }
    constexpr qint64 Limit = qint64(std::numeric_limits<qint32>::max()) + 1;
    qint64 value = 0;
    for (; i < n; ++i) {
        const char16_t c = map(text[i].unicode());
        if (c < u'0' || c > u'9')
            break;
        value = std::min(value * 10 + (c - u'0'), Limit);
    }
    return clampTo32(negative ? -value : value);
}

QString fromUtf16(const char16_t* text, qsizetype length) {
    return QString(reinterpret_cast<const QChar*>(text), length);
}

// Whole hundredths, the form every quotient takes: written straight from the
// integer. Returns false when v is not such a value, or has more than 13 digits.
bool writeHundredths(double v, QString& text) {
    if (!(std::fabs(v) < 1e11))
        return false;
    const long long n = std::llround(v * 100.0);
    if (double(n) / 100.0 != v)
        return false;
    char16_t buffer[IntTextCapacity + 2];
    qsizetype length = writeIntText(n / 100, buffer);
    if (n < 0 && n > -100) { // -0.xx
        buffer[0] = u'-';
        buffer[1] = u'0';
        length = 2;
    }
    const int cents = static_cast<int>(n < 0 ? -(n % 100) : n % 100);
    if (cents != 0) {
        buffer[length++] = u'.';
        buffer[length++] = static_cast<char16_t>(u'0' + cents / 10);
        if (cents % 10 != 0)
            buffer[length++] = static_cast<char16_t>(u'0' + cents % 10);
    }
    text = fromUtf16(buffer, length);
    return true;
}

// The general rule: round to 13 significant digits, then write the digits in
// plain form without trailing zeros.
QString writeSignificant(double v) {
    char buffer[40];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::scientific, 12);
    if (error != std::errc())
        return QString();
    // buffer holds [-]d.dddddddddddde[+-]xx
    const char* p = buffer;
    const bool negative = *p == '-';
    if (negative)
        ++p;
    char digits[13];
    int count = 0;
    for (; *p != 'e'; ++p)
        if (*p != '.')
            digits[count++] = *p;
    int exponent = 0;
    std::from_chars(*(p + 1) == '+' ? p + 2 : p + 1, end, exponent);
    while (count > 1 && digits[count - 1] == '0')
        --count;
    if (count == 1 && digits[0] == '0')
        return QStringLiteral("0");

    QString text;
    text.reserve(count + (exponent < 0 ? -exponent : exponent) + 3);
    if (negative)
        text += u'-';
    if (exponent < 0) {
        text += u"0.";
        for (int i = 0; i < -exponent - 1; ++i)
            text += u'0';
        for (int i = 0; i < count; ++i)
            text += QLatin1Char(digits[i]);
    } else {
        for (int i = 0; i <= exponent || i < count; ++i) {
            if (i == exponent + 1)
                text += u'.';
            text += QLatin1Char(i < count ? digits[i] : '0');
        }
    }
    return text;
}

} // namespace

qint32 floorToInt(double v) {
    const double f = floorWhole(v);
    if (std::isnan(f))
        return 0;
    if (f >= 2147483647.0)
        return std::numeric_limits<qint32>::max();
    if (f <= -2147483648.0)
        return std::numeric_limits<qint32>::min();
    return static_cast<qint32>(f);
}

double roundToPlaces(double v, int places) {
    if (v == 0)
        return v;
    const double p = powerOfTen(places);
    const double s = std::fabs(v) * p;
    const double t = s + Nudge;
    double k = std::trunc(t);
    if (t - k >= 0.5)
        k += 1.0;
    const double r = k / p;
    return v < 0 ? -r : r;
}

double roundQuotient(double q, int places) {
    const double p = powerOfTen(places);
    const double y = q * p;
    // Judged in double precision without a 32-bit limit; for every value that fits
    // 32 bits this is floorToInt(y).
    const double f = floorWhole(y);
    if (std::fabs((y - f) - 0.5) > HalfTolerance)
        return roundToPlaces(q, places);
    if (std::fmod(f, 2.0) == 0)
        return roundToPlaces(q - powerOfTen(-places), places);
    return roundToPlaces(q, places);
}

qsizetype writeIntText(qint64 n, char16_t* out) {
    char16_t reversed[IntTextCapacity];
    quint64 magnitude = n < 0 ? 0 - static_cast<quint64>(n) : static_cast<quint64>(n);
    qsizetype count = 0;
    do {
        reversed[count++] = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    qsizetype length = 0;
    if (n < 0)
        out[length++] = u'-';
    while (count > 0)
        out[length++] = reversed[--count];
    return length;
}

QString intToText(qint64 n) {
    char16_t buffer[IntTextCapacity];
    return fromUtf16(buffer, writeIntText(n, buffer));
}

QString realToText(double v) {
    if (!std::isfinite(v))
        return QString::number(v);
    QString text;
    if (writeHundredths(v, text))
        return text;
    return writeSignificant(v);
}

qint32 textToInt(QStringView text) {
    return readLeadingInteger(text, halfWidth);
}

QString normaliseIntegerText(QStringView text) {
    const qint32 value = readLeadingInteger(text, [](char16_t c) { return c; });
    return value == 0 ? QString() : intToText(value);
}
