#pragma once

#include <QMainWindow>

// The window kind "窗口": a top-level window whose frame, buttons and keys
// come from its stored description.
class FormWindow : public QMainWindow {
    Q_OBJECT
    Q_PROPERTY(bool resizable READ isResizable WRITE setResizable)
    Q_PROPERTY(bool minimiseButton READ hasMinimiseButton WRITE setMinimiseButton)
    Q_PROPERTY(bool maximiseButton READ hasMaximiseButton WRITE setMaximiseButton)
    Q_PROPERTY(bool escapeCloses READ escapeCloses WRITE setEscapeCloses)
    Q_PROPERTY(QString iconSource READ iconSource WRITE setIconSource)

public:
    explicit FormWindow(QWidget* parent = nullptr);

    bool isResizable() const { return m_resizable; }
    void setResizable(bool on) { m_resizable = on; }
    bool hasMinimiseButton() const { return m_minimiseButton; }
    void setMinimiseButton(bool on) { m_minimiseButton = on; }
    bool hasMaximiseButton() const { return m_maximiseButton; }
    void setMaximiseButton(bool on) { m_maximiseButton = on; }
    bool escapeCloses() const { return m_escapeCloses; }
    void setEscapeCloses(bool on);
    QString iconSource() const { return m_iconSource; }
    void setIconSource(const QString& path);

    // Applies the stored frame settings, centres the window on its screen and
    // shows it in the normal state.
    void showAsDescribed();

private:
    bool m_resizable = true;
    bool m_minimiseButton = true;
    bool m_maximiseButton = true;
    bool m_escapeCloses = false;
    QString m_iconSource;
    class QShortcut* m_escape = nullptr;
};
