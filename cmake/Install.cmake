# Installing Numvale as a desktop application, and packaging it.
# The binary itself is installed by app/CMakeLists.txt.

set(NUMVALE_APP_ID org.numvale.Numvale)

# Menu entry, software-centre metadata and icons follow the freedesktop.org
# layout, which only Linux and the BSDs read.
if(UNIX AND NOT APPLE)
    set(app_resources ${PROJECT_SOURCE_DIR}/resources)
    install(FILES ${app_resources}/${NUMVALE_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${app_resources}/${NUMVALE_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    install(FILES ${app_resources}/icon.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps
        RENAME ${NUMVALE_APP_ID}.png)
    install(FILES ${app_resources}/icon-256.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps
        RENAME ${NUMVALE_APP_ID}.png)
endif()

set(CPACK_PACKAGE_NAME numvale)
set(CPACK_PACKAGE_VENDOR "Numvale developers")
set(CPACK_PACKAGE_CONTACT "Numvale developers <developers@numvale.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://numvale.org/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arithmetic worksheets for primary-school classes")
set(CPACK_PACKAGE_DESCRIPTION
"Numvale makes arithmetic worksheets with their answer sheets: choose the
number range, how many problems, the operations and which term the pupils
fill in, then preview and print the problem sheet and the answer sheet.")
set(CPACK_STRIP_FILES ON)

if(UNIX AND NOT APPLE)
    set(CPACK_GENERATOR DEB)
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # numvale_<version>_<arch>.deb
    set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
    set(CPACK_DEBIAN_PACKAGE_SECTION education)
    # The teachers read Chinese: say it once more in their words.
    set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}
为小学教师生成四则运算口算试卷及答案，可预览和打印。")
    # dpkg-shlibdeps (dpkg-dev) finds the libraries the binary links; Qt's
    # platform plugins and a font that shows Chinese are loaded at run time,
    # so they are named here.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-wqy-microhei | fonts-noto-cjk")
    # Qt's own print and page set-up dialogs in Chinese.
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
endif()

include(CPack)
