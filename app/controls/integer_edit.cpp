#include "integer_edit.h"

#include "number_text.h"

#include <QKeyEvent>

IntegerEdit::IntegerEdit(QWidget* parent) : QLineEdit(parent) {}

static bool isAcceptedCharacter(QChar c) {
    // Control characters (backspace, the clipboard shortcuts) pass unchanged.
    return c.unicode() < 32 || c == u'-' || (c >= u'0' && c <= u'9');
}

void IntegerEdit::keyPressEvent(QKeyEvent* event) {
    // Shortcuts such as Ctrl+V are not typing, whatever text a platform
    // attaches to them: pasting is not filtered.
    const bool shortcut =
        event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (m_integerInput && !shortcut) {
        const QString typed = event->text();
        for (QChar c : typed) {
            if (!isAcceptedCharacter(c)) {
                event->accept(); // dropped silently
                return;
            }
        }
    }
    QLineEdit::keyPressEvent(event);
}

void IntegerEdit::focusOutEvent(QFocusEvent* event) {
    // Normalise before anything else sees the focus change, so a button
    // click that took the focus away reads the normalised text.
    if (m_integerInput)
        normalise();
    QLineEdit::focusOutEvent(event);
}

void IntegerEdit::normalise() {
    const QString normalised = normaliseIntegerText(text());
    if (normalised == text())
        return;
    const int caret = hasSelectedText() ? selectionStart() : cursorPosition();
    setText(normalised);
    setCursorPosition(qMin(caret, int(normalised.size())));
}
