#pragma once

#include <QStringList>
#include <QUiLoader>

// Qt's loader looks for Designer plugins in the library paths as it is made.
// Those plugins (Qt Quick's among them) are not ours and cost tens of
// milliseconds to load, so the paths are hidden while the loader is made.
class LibraryPathsHidden {
protected:
    LibraryPathsHidden();
    QStringList m_hiddenPaths;
};

// Builds window descriptions with our control kinds; every other class name
// goes to Qt's own loader, without any Designer plugin.
class ControlLoader : private LibraryPathsHidden, public QUiLoader {
public:
    explicit ControlLoader(QObject* parent = nullptr);

    QWidget* createWidget(const QString& className, QWidget* parent, const QString& name) override;
};
