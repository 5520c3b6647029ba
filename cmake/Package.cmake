# Installation and the Debian package (cpack -G DEB): the program and its tool in bin, the help
# page and Qt's Chinese translations in share/pelvar, the menu entry, icons and AppStream metainfo.
include(GNUInstallDirs)

install(TARGETS pelvar pelvar-sql RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
set(PELVAR_SHARE ${CMAKE_INSTALL_DATADIR}/pelvar)
install(FILES ${PROJECT_SOURCE_DIR}/src/floor/help.htm DESTINATION ${PELVAR_SHARE})
# The program looks for the translations in share/pelvar/translations first, then in Qt's folder.
find_file(PELVAR_QT_ZH_CN qtbase_zh_CN.qm PATHS /usr/share/qt6/translations NO_DEFAULT_PATH)
if(PELVAR_QT_ZH_CN)
  install(FILES ${PELVAR_QT_ZH_CN} DESTINATION ${PELVAR_SHARE}/translations)
endif()

set(PELVAR_APP_ID com.orvo.pelvar)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/${PELVAR_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${PROJECT_SOURCE_DIR}/packaging/${PELVAR_APP_ID}.metainfo.xml
  ${CMAKE_BINARY_DIR}/${PELVAR_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${PELVAR_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/${PELVAR_APP_ID}.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/icon-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${PELVAR_APP_ID}.png)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pelvar)
set(CPACK_PACKAGE_VENDOR Orvo)
set(CPACK_PACKAGE_CONTACT "Orvo <support@orvo.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Orvo餐饮收银系统 - restaurant cashier and ordering")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://orvo.example/pelvar")
# The libraries the program links, as dpkg-shlibdeps finds them, and what it loads at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, fonts-noto-cjk")
include(CPack)
