#pragma once

#include <QUiLoader>

// Builds window descriptions with our control kinds; every other class name
// goes to Qt's own loader.
class ControlLoader : public QUiLoader {
public:
    using QUiLoader::QUiLoader;

    QWidget* createWidget(const QString& className, QWidget* parent, const QString& name) override;
};
