#include "picture_loading.h"

#include "picture_box.h"

QImage loadPictureOrWarn(const QString& path) {
    const DecodedPicture picture = loadPicture(path);
    if (!picture.ok()) {
        qWarning("%s", qPrintable(picture.error));
        return {};
    }
    return picture.image;
}
