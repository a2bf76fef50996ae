#pragma once

#include <QtGlobal>

// Window and control numbers as the window descriptions store them.
namespace mainwindow {
inline constexpr quint32 window = 0x52010001;

inline constexpr quint32 编辑框_最小整数 = 0x16012CA5;
inline constexpr quint32 编辑框_最大整数 = 0x16012CA3;
inline constexpr quint32 单选框_10道 = 0x16015D52;
inline constexpr quint32 单选框_50道 = 0x16015D53;
inline constexpr quint32 单选框_70道 = 0x16015D69;
inline constexpr quint32 单选框_100道 = 0x16015D54;
inline constexpr quint32 选择框_加法 = 0x16015D4C;
inline constexpr quint32 选择框_减法 = 0x16015D4A;
inline constexpr quint32 选择框_乘法 = 0x16015D48;
inline constexpr quint32 选择框_除法 = 0x16015D49;
inline constexpr quint32 选择框_算法1 = 0x16015D60;
inline constexpr quint32 选择框_算法2 = 0x16015D5F;
inline constexpr quint32 选择框_算法3 = 0x16015D5E;
inline constexpr quint32 透明标签_总体数字 = 0x1601B632;
inline constexpr quint32 按钮1 = 0x1601B62F;
inline constexpr quint32 打印预览 = 0x1601B630;
inline constexpr quint32 打印 = 0x1601B631;
inline constexpr quint32 高级选择夹1 = 0x1601B624;
inline constexpr quint32 高级表格1 = 0x1601B625; // the answer sheet
inline constexpr quint32 高级表格2 = 0x1601B626; // the problem sheet
} // namespace mainwindow

namespace aboutwindow {
inline constexpr quint32 window = 0x5201B6A2;
} // namespace aboutwindow
