# Installation and the Debian package (cpack -G DEB): the program and its tool in bin, the help
# page and Qt's Chinese translations in share/pelvar, the menu entry, icons and AppStream metainfo,
# the manual pages, the copyright file and the changelog. scripts/package --check runs lintian on it.
include(GNUInstallDirs)

install(TARGETS pelvar pelvar-sql RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# As Debian builds its own: every library symbol bound at start (so the tables can be read-only),
# and the stripped programs without the compiler's notes.
foreach(program pelvar pelvar-sql)
  target_link_options(${program} PRIVATE LINKER:-z,now)
  install(CODE "if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment
      \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${program}\" COMMAND_ERROR_IS_FATAL ANY)
  endif()")
endforeach()
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

# The manual pages carry the version; they and the changelog go in compressed with gzip -9n (no
# name or time inside, so the same sources give the same package).
find_program(PELVAR_GZIP gzip REQUIRED)
set(PELVAR_DOC_FILES)
function(pelvar_gzip source output)
  add_custom_command(OUTPUT ${output} COMMAND sh -c "${PELVAR_GZIP} -9nc \"$1\" > \"$2\"" sh ${source} ${output}
    DEPENDS ${source} VERBATIM)
  set(PELVAR_DOC_FILES ${PELVAR_DOC_FILES} ${output} PARENT_SCOPE)
endfunction()
foreach(page pelvar pelvar-sql)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/${page}.1 ${CMAKE_BINARY_DIR}/man/${page}.1 @ONLY)
  pelvar_gzip(${CMAKE_BINARY_DIR}/man/${page}.1 ${CMAKE_BINARY_DIR}/man/${page}.1.gz)
  install(FILES ${CMAKE_BINARY_DIR}/man/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
pelvar_gzip(${PROJECT_SOURCE_DIR}/packaging/changelog ${CMAKE_BINARY_DIR}/changelog.gz)
add_custom_target(pelvar-docs ALL DEPENDS ${PELVAR_DOC_FILES})
set(PELVAR_DOC ${CMAKE_INSTALL_DATADIR}/doc/pelvar)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${PELVAR_DOC})
# A lintian tag left on purpose is overridden there, each with its reason.
if(EXISTS ${PROJECT_SOURCE_DIR}/packaging/lintian-overrides)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
    RENAME pelvar)
endif()
# The changelog's newest entry names the version being packaged.
file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/changelog PELVAR_CHANGELOG_TOP LIMIT_COUNT 1)
if(NOT PELVAR_CHANGELOG_TOP MATCHES "^pelvar \\(${PROJECT_VERSION}\\) ")
  message(WARNING "packaging/changelog has no entry for version ${PROJECT_VERSION} at its top")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pelvar)
set(CPACK_PACKAGE_VENDOR Orvo)
set(CPACK_PACKAGE_CONTACT "Orvo <support@orvo.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Orvo餐饮收银系统 - restaurant cashier and ordering")
set(CPACK_PACKAGE_DESCRIPTION [=[The front-desk cashier and ordering program of a restaurant. Cashiers
seat guests at tables shown on a board by room, take orders found by the
pinyin initials of the dishes, send kitchen tickets to each station's
printer through CUPS, move, split and merge bills, and check out with
discounts, members and four payment methods. Managers keep rooms, tables,
dishes, operators and their rights, waiters, members, shifts,
reservations, income and expenses, print or export reports, and back up
and restore the database.

The restaurant's data lives in one SQLite file in the user's data folder;
removing the package leaves it. The package also has pelvar-sql, a tool
that runs statements against a restaurant's file.]=])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://orvo.example/pelvar")
# The libraries the program links, as dpkg-shlibdeps finds them, and what it loads at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, fonts-noto-cjk")
# Several terminals share one restaurant's data on a PostgreSQL server.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "postgresql")
include(CPack)
