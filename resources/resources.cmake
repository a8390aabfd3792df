# Compiled-in resources: style sheet, translations and icons.
# The Russian catalogue is compiled from the project's .ts file; Qt's own
# catalogue comes from Debian's qttranslations5-l10n.
set(TUNDRACK_RES_BIN ${CMAKE_BINARY_DIR}/resources)
file(MAKE_DIRECTORY ${TUNDRACK_RES_BIN})

get_target_property(_tundrack_qmake Qt5::qmake IMPORTED_LOCATION)
get_filename_component(_tundrack_qt_bin ${_tundrack_qmake} DIRECTORY)
find_program(TUNDRACK_LRELEASE NAMES lrelease HINTS ${_tundrack_qt_bin} NO_DEFAULT_PATH)
find_program(TUNDRACK_LRELEASE NAMES lrelease-qt5 lrelease)
if(NOT TUNDRACK_LRELEASE)
    message(FATAL_ERROR "lrelease not found (package qttools5-dev-tools)")
endif()

set(TUNDRACK_TS_FILE ${CMAKE_SOURCE_DIR}/translations/tundrack_ru.ts)
add_custom_command(OUTPUT ${TUNDRACK_RES_BIN}/RU.qm
    COMMAND ${TUNDRACK_LRELEASE} -silent ${TUNDRACK_TS_FILE} -qm ${TUNDRACK_RES_BIN}/RU.qm
    DEPENDS ${TUNDRACK_TS_FILE}
    COMMENT "Compiling the Russian translation")

execute_process(COMMAND ${_tundrack_qmake} -query QT_INSTALL_TRANSLATIONS
    OUTPUT_VARIABLE _tundrack_qt_translations OUTPUT_STRIP_TRAILING_WHITESPACE)
set(TUNDRACK_QTBASE_RU ${_tundrack_qt_translations}/qtbase_ru.qm)
if(NOT EXISTS ${TUNDRACK_QTBASE_RU})
    message(FATAL_ERROR "Qt's Russian catalogue ${TUNDRACK_QTBASE_RU} is missing (package qttranslations5-l10n)")
endif()
add_custom_command(OUTPUT ${TUNDRACK_RES_BIN}/qtbase_ru.qm
    COMMAND ${CMAKE_COMMAND} -E copy ${TUNDRACK_QTBASE_RU} ${TUNDRACK_RES_BIN}/qtbase_ru.qm
    DEPENDS ${TUNDRACK_QTBASE_RU})

set(TUNDRACK_QRC_ENTRIES "")
string(APPEND TUNDRACK_QRC_ENTRIES
    "    <file alias=\"txt/StyleSheet.txt\">${CMAKE_SOURCE_DIR}/resources/txt/StyleSheet.txt</file>\n"
    "    <file alias=\"qm/RU.qm\">${TUNDRACK_RES_BIN}/RU.qm</file>\n"
    "    <file alias=\"qm/qtbase_ru.qm\">${TUNDRACK_RES_BIN}/qtbase_ru.qm</file>\n")

include(${CMAKE_SOURCE_DIR}/resources/icons.cmake)

configure_file(${CMAKE_SOURCE_DIR}/resources/tundrack.qrc.in ${TUNDRACK_RES_BIN}/tundrack.qrc @ONLY)
qt5_add_resources(TUNDRACK_RESOURCE_SOURCES ${TUNDRACK_RES_BIN}/tundrack.qrc)

find_program(TUNDRACK_LUPDATE NAMES lupdate HINTS ${_tundrack_qt_bin} NO_DEFAULT_PATH)
find_program(TUNDRACK_LUPDATE NAMES lupdate-qt5 lupdate)
