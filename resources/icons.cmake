# The icons are drawn by our own program at build time and compiled in under
# ":/png/". The names here are the files that resources/iconmaker writes.
add_executable(tundrack-iconmaker ${CMAKE_SOURCE_DIR}/resources/iconmaker/iconmaker.cpp)
target_link_libraries(tundrack-iconmaker PRIVATE Qt5::Gui)
set_target_properties(tundrack-iconmaker PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)

set(TUNDRACK_ICON_NAMES
    logo new save open disk.read disk.write table.export add preferences processing
    convert about qt fit image.export v h delete move view rotate scale info
    distribution profile EN RU)

set(TUNDRACK_ICON_DIR ${TUNDRACK_RES_BIN}/png)
set(TUNDRACK_ICON_FILES "")
foreach(icon ${TUNDRACK_ICON_NAMES})
    list(APPEND TUNDRACK_ICON_FILES ${TUNDRACK_ICON_DIR}/${icon}.png)
    string(APPEND TUNDRACK_QRC_ENTRIES
        "    <file alias=\"png/${icon}.png\">${TUNDRACK_ICON_DIR}/${icon}.png</file>\n")
endforeach()

# Leak reports of a sanitized build must not fail the drawing step.
add_custom_command(OUTPUT ${TUNDRACK_ICON_FILES}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
            $<TARGET_FILE:tundrack-iconmaker> ${TUNDRACK_ICON_DIR}
    DEPENDS tundrack-iconmaker
    COMMENT "Drawing the icons"
    VERBATIM)

# All icons on one sheet, enlarged, for checking them by eye:
#   cmake --build build --target tundrack-icon-sheet
add_custom_target(tundrack-icon-sheet
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
            $<TARGET_FILE:tundrack-iconmaker> ${CMAKE_BINARY_DIR}/icon-sheet
            --sheet ${CMAKE_BINARY_DIR}/icon-sheet.png
    DEPENDS tundrack-iconmaker
    BYPRODUCTS ${CMAKE_BINARY_DIR}/icon-sheet.png
    COMMENT "Drawing the icon sheet icon-sheet.png"
    VERBATIM)
