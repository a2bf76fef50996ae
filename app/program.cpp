#include "program.h"

#include "form_style.h"
#include "main_window_handlers.h"
#include "main_window_ids.h"
#include "picture_loading.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <cfenv>

Program::Program() {
    m_runtime.setHandlers(mainWindowHandlers(m_runtime, m_random));
}

// The windows are laid out in pixels for a 12-pixel Chinese GUI face: prefer
// such a face, and the platform's own after it, so no caption is clipped.
static void useGuiLook() {
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("SimSun"),
                      QStringLiteral("Noto Sans CJK SC"), font.family()});
    font.setPixelSize(12);
    QApplication::setFont(font);
    QApplication::setStyle(new FormStyle);
}

bool Program::start() {
    useGuiLook();
    // Without Qt's translations installed the dialogs stay in English.
    if (m_qtTranslator.load(QStringLiteral("qtbase_zh_CN"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&m_qtTranslator);
    const QImage icon = loadPictureOrWarn(QStringLiteral(":/pictures/icon.png"));
    if (!icon.isNull())
        QApplication::setWindowIcon(QIcon(QPixmap::fromImage(icon)));
    return m_runtime.loadDescriptions() && m_runtime.openWindow(mainwindow::window, nullptr, false);
}

void configureFloatingPoint() {
    std::fesetround(FE_TONEAREST);
    std::fenv_t previous;
    std::feholdexcept(&previous); // non-stop mode: all exceptions masked
}
