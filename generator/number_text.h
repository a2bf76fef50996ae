#pragma once

#include <QString>
#include <QStringView>

// How numbers become texts and texts become numbers on the worksheets.

// The greatest whole number not above v, except that a v less than 10^-12 below
// the next whole number counts as that number. Values outside 32 bits saturate
// and NaN gives 0.
qint32 floorToInt(double v);
// Rounds |v| * 10^places + 10^-12 half up to a whole number and scales it back,
// keeping the sign of v.
double roundToPlaces(double v, int places);
// Rounds to `places` decimals with exact halves going to the even last digit.
double roundQuotient(double q, int places);

QString intToText(qint64 n);
// Room for the longest 64-bit number with its sign.
inline constexpr qsizetype IntTextCapacity = 20;
// Writes the text of intToText(n) into `out`, which has room for
// IntTextCapacity characters, and returns its length.
qsizetype writeIntText(qint64 n, char16_t* out);
// At most 13 significant digits, trailing zeros and a bare point dropped.
QString realToText(double v);
// Reads a range text: full-width forms count as ASCII, leading white space,
// one sign, digits up to the first non-digit; saturates to 32 bits.
qint32 textToInt(QStringView text);
// What a range box shows after it loses the focus: the number it holds,
// clamped to 32 bits, with 0 written as the empty text.
QString normaliseIntegerText(QStringView text);
