#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstring>

// The fuzzer's bytes as UTF-16 code units, low byte first: every character a
// box can hold is reachable, full-width forms, ideographs and lone surrogates
// included. An odd last byte is dropped.
inline QString textFromBytes(const std::uint8_t* data, std::size_t size) {
    QString text(qsizetype(size / 2), Qt::Uninitialized);
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text[qsizetype(i / 2)] = QChar(char16_t(data[i] | (data[i + 1] << 8)));
    return text;
}
