#pragma once

#include <QString>
#include <variant>

// A control property's value. Integers, booleans (exactly 1 or 0) and colours
// (24-bit, 0x00BBGGRR) travel as qint32; texts as QString, empty when the
// control holds none.
using PropertyValue = std::variant<qint32, QString>;

inline qint32 integerOf(const PropertyValue& value) {
    const auto* n = std::get_if<qint32>(&value);
    return n ? *n : 0;
}

inline QString textOf(const PropertyValue& value) {
    const auto* text = std::get_if<QString>(&value);
    return text ? *text : QString();
}

// Property numbers, per control kind: a kind's own properties start at 8.
namespace property {
inline constexpr int content = 8;         // 编辑框, text
inline constexpr int labelText = 8;       // 透明标签, text
inline constexpr int isChecked = 18;      // 选择框 and 单选框, boolean
inline constexpr int currentPage = 12;    // 高级选择夹, integer
inline constexpr int gridLineColor = 8;   // 高级表格, colour
inline constexpr int fitToPageWidth = 32; // 高级表格, boolean
} // namespace property

// The whole value of a property; the only part the program ever asks for.
inline constexpr int wholeValue = -1;
