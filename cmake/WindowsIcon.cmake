# The program's icon for Windows, packed by icotool (Debian's icoutils) from the rendered PNGs of
# ui/icons: 16, 32 and 48 pixels as bitmaps, 256 as PNG, as Windows keeps them. The file is
# ${SCHNACKOMAT_WINDOWS_ICON}; a target that uses it depends on schnackomat_icon.
find_program(SCHNACKOMAT_ICOTOOL icotool REQUIRED)
set(SCHNACKOMAT_WINDOWS_ICON ${CMAKE_BINARY_DIR}/schnackomat.ico)
set(icon_pngs)
foreach(size 16 32 48)
    list(APPEND icon_pngs ${PROJECT_SOURCE_DIR}/ui/icons/schnackomat-${size}.png)
endforeach()
add_custom_command(OUTPUT ${SCHNACKOMAT_WINDOWS_ICON}
    COMMAND ${SCHNACKOMAT_ICOTOOL} --create --output=${SCHNACKOMAT_WINDOWS_ICON} ${icon_pngs}
            --raw=${PROJECT_SOURCE_DIR}/ui/icons/schnackomat-256.png
    DEPENDS ${icon_pngs} ${PROJECT_SOURCE_DIR}/ui/icons/schnackomat-256.png
    VERBATIM)
add_custom_target(schnackomat_icon ALL DEPENDS ${SCHNACKOMAT_WINDOWS_ICON})
