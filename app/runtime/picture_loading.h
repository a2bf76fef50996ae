#pragma once

#include <QImage>
#include <QString>

// A stored picture for the window frame, or a null image after a warning
// that says why: a damaged picture never stops a window from opening.
QImage loadPictureOrWarn(const QString& path);
