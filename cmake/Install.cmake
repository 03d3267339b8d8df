# What `cmake --install` puts where, and the Debian package CPack builds from it.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(SCHNACKOMAT_APP_ID example.schnackomat.Schnackomat)

# The engine as a library for other projects: headers, archive and a CMake package that gives
# Schnackomat::engine.
install(DIRECTORY engine/include/schnackomat DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
        COMPONENT development)
install(TARGETS schnackomat_engine EXPORT SchnackomatTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development)
set(SCHNACKOMAT_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Schnackomat)
install(EXPORT SchnackomatTargets NAMESPACE Schnackomat:: DESTINATION ${SCHNACKOMAT_CMAKE_DIR}
        COMPONENT development)
configure_package_config_file(cmake/SchnackomatConfig.cmake.in
    ${CMAKE_CURRENT_BINARY_DIR}/SchnackomatConfig.cmake INSTALL_DESTINATION ${SCHNACKOMAT_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/SchnackomatConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/SchnackomatConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/SchnackomatConfigVersion.cmake
        DESTINATION ${SCHNACKOMAT_CMAKE_DIR} COMPONENT development)

# The same engine for pkg-config, with paths relative to where the file lies, so that it holds
# wherever the files are installed.
file(RELATIVE_PATH SCHNACKOMAT_PC_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
configure_file(cmake/schnackomat.pc.in ${CMAKE_CURRENT_BINARY_DIR}/schnackomat.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/schnackomat.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT development)

# Manual pages and the change log are installed compressed, as Debian keeps them; -n leaves the
# name and time out, so the same text always gives the same file.
find_program(SCHNACKOMAT_GZIP gzip REQUIRED)
set(compressed)
foreach(source doc/schnackomat.1 doc/schnackomat-cli.1 cmake/debian/changelog)
    get_filename_component(name ${source} NAME)
    set(output ${CMAKE_CURRENT_BINARY_DIR}/compressed/${name}.gz)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/compressed
        COMMAND sh -c "'${SCHNACKOMAT_GZIP}' -9 -n -c '${CMAKE_CURRENT_SOURCE_DIR}/${source}' > '${output}'"
        DEPENDS ${source} VERBATIM)
    list(APPEND compressed ${output})
endforeach()
add_custom_target(schnackomat_compressed_docs ALL DEPENDS ${compressed})

# The manual pages of both programs, the bash completion of the converter, the licence.
set(compressed_dir ${CMAKE_CURRENT_BINARY_DIR}/compressed)
install(FILES ${compressed_dir}/schnackomat-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
if(SCHNACKOMAT_BUILD_GUI)
    install(FILES ${compressed_dir}/schnackomat.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
set(SCHNACKOMAT_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/schnackomat)
install(FILES cmake/debian/copyright ${compressed_dir}/changelog.gz
        DESTINATION ${SCHNACKOMAT_DOC_DIR})
install(FILES data/completions/schnackomat-cli
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

# The desktop integration of the window: menu entry, AppStream metadata, icons.
if(SCHNACKOMAT_BUILD_GUI)
    install(FILES data/${SCHNACKOMAT_APP_ID}.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES data/${SCHNACKOMAT_APP_ID}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    set(icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
    install(FILES ui/icons/schnackomat.svg DESTINATION ${icons}/scalable/apps
            RENAME ${SCHNACKOMAT_APP_ID}.svg)
    foreach(size 16 32 48 64 128 256)
        install(FILES ui/icons/schnackomat-${size}.png DESTINATION ${icons}/${size}x${size}/apps
                RENAME ${SCHNACKOMAT_APP_ID}.png)
    endforeach()
endif()

# cpack -G DEB: one package with the programs, the desktop files and the engine library.
set(CPACK_PACKAGE_NAME schnackomat)
set(CPACK_PACKAGE_VENDOR "Benaldo")
set(CPACK_PACKAGE_CONTACT "Benaldo <benaldo@schnackomat.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "rewrites German text into chat slang, leetspeak and the Matrix code, and back")
# Debian wants the lines of the long description within 80 characters.
set(CPACK_PACKAGE_DESCRIPTION
    "Schnackomat converts German text live, after every keystroke, into a\n\
chat-scene slang, leetspeak and a keyed five-bit letter code, puts the\n\
result on the clipboard, and converts slang text back. It comes with\n\
schnackomat-cli, the same conversions for scripts and pipes, and the\n\
conversion engine as a C++ library with a CMake package and a pkg-config\n\
file.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://schnackomat.example/")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The libraries are found above (libqt6gui6 brings the X11 platform plugin with it);
# recommended: the German texts of Qt's own dialogs and the desktop's look.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, qt6-gtk-platformtheme")
set(CPACK_STRIP_FILES ON)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_CURRENT_SOURCE_DIR}/LICENSE)
set(CPACK_GENERATOR DEB)
include(CPack)
