#pragma once

#include <QLineEdit>

// The edit box kind "编辑框". In integer input mode typing accepts only digits
// and "-", and leaving the box rewrites its text as the number it holds.
class IntegerEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(bool integerInput READ integerInput WRITE setIntegerInput)

public:
    explicit IntegerEdit(QWidget* parent = nullptr);

    bool integerInput() const { return m_integerInput; }
    void setIntegerInput(bool on) { m_integerInput = on; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void normalise();

    bool m_integerInput = false;
};
