#pragma once

#include <QString>

class QWidget;

// The control kinds a window description may name, by their kind names.
namespace kind {
inline const QString window = QStringLiteral("窗口");
inline const QString editBox = QStringLiteral("编辑框");
inline const QString checkBox = QStringLiteral("选择框");
inline const QString radioButton = QStringLiteral("单选框");
inline const QString pushButton = QStringLiteral("按钮");
inline const QString groupBox = QStringLiteral("分组框");
inline const QString label = QStringLiteral("透明标签");
inline const QString pictureBox = QStringLiteral("图片框");
inline const QString tabControl = QStringLiteral("高级选择夹");
inline const QString grid = QStringLiteral("高级表格");
} // namespace kind

// Creates a control of a kind, or returns nullptr for a name that is not ours.
QWidget* createControl(const QString& kindName, QWidget* parent);

// The kind a control was created as (empty for widgets that are not controls).
QString kindOf(const QWidget* control);
