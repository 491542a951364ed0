# Packages made by CPack from an installed build:
#   Linux:   cpack -G DEB in the release build: the editor, vk7, desktop entry, metainfo,
#            icons, manual pages, vk7's bash completion and the changelog, with the Debian
#            dependencies that dpkg-shlibdeps finds in the programs.
#   Windows: cpack -G ZIP in the windows build: velkor-editor.exe and vk7.exe, the Qt DLLs and
#            plugins the editor loads, the MinGW runtime, the README, the file format
#            reference and the licences.
include(GNUInstallDirs)
if(WIN32)
  # The format reference, which Linux has as the manual page vk7(5), beside the README.
  install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE
                ${PROJECT_SOURCE_DIR}/docs/file-format.md DESTINATION .)
  if(VK7_BUILD_GUI)
    # The editor runs from wherever the zip is unpacked: the DLLs beside it, the plugins in the
    # folders beside it where Qt looks for them (no qt.conf needed).
    set(vk7_qt_bin ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS})
    foreach(dll Qt6Core Qt6Gui Qt6Widgets Qt6Svg Qt6SvgWidgets libstdc++-6 libgcc_s_seh-1
                libwinpthread-1)
      install(FILES ${vk7_qt_bin}/${dll}.dll DESTINATION .)
    endforeach()
    foreach(plugin platforms/qwindows styles/qwindowsvistastyle imageformats/qsvg
                   iconengines/qsvgicon)
      get_filename_component(kind ${plugin} DIRECTORY)
      install(FILES ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_PLUGINS}/${plugin}.dll DESTINATION ${kind})
    endforeach()
    # Qt's licences (LGPL-3.0 for the modules used) and those of the libraries inside it and of
    # the MinGW runtime, as scripts/build-qt-windows collected them.
    install(DIRECTORY ${QT6_INSTALL_PREFIX}/licenses/ DESTINATION licenses)
  endif()
else()
  install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/velkor-editor)
  # Debian keeps a package's licence as its copyright file.
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/velkor-editor
          RENAME copyright)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/linux/vk7.bash-completion
          DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME vk7)
  # The tags lintian reports that do not apply to this package, each with its reason.
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/lintian-overrides
          DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME velkor-editor)

  # Manual pages and the changelog go in compressed, as Debian wants them (gzip -n: the same
  # bytes on every build).
  set(vk7_gzipped)
  # vk7_gzip(SOURCE NAME DESTINATION @ONLY|COPYONLY): @ONLY fills in @PROJECT_VERSION@.
  function(vk7_gzip source name destination mode)
    set(plain ${CMAKE_BINARY_DIR}/packaging/${name})
    configure_file(${source} ${plain} ${mode})
    add_custom_command(OUTPUT ${plain}.gz COMMAND gzip -9nkf ${plain} DEPENDS ${plain} VERBATIM)
    install(FILES ${plain}.gz DESTINATION ${destination})
    set(vk7_gzipped ${vk7_gzipped} ${plain}.gz PARENT_SCOPE)
  endfunction()
  vk7_gzip(${PROJECT_SOURCE_DIR}/resources/man/vk7.1.in vk7.1 ${CMAKE_INSTALL_MANDIR}/man1 @ONLY)
  # vk7(5), the file format, is made from its reference in docs/, so that both say the same.
  include(${PROJECT_SOURCE_DIR}/cmake/MarkdownToMan.cmake)
  vk7_markdown_to_man(${PROJECT_SOURCE_DIR}/docs/file-format.md ${CMAKE_BINARY_DIR}/man/vk7.5
                      ".TH VK7 5 2026-12-07 \"vk7 ${PROJECT_VERSION}\" \"File Formats\"")
  vk7_gzip(${CMAKE_BINARY_DIR}/man/vk7.5 vk7.5 ${CMAKE_INSTALL_MANDIR}/man5 COPYONLY)
  if(VK7_BUILD_GUI)
    vk7_gzip(${PROJECT_SOURCE_DIR}/resources/man/velkor-editor.1.in velkor-editor.1
             ${CMAKE_INSTALL_MANDIR}/man1 @ONLY)
  endif()
  vk7_gzip(${PROJECT_SOURCE_DIR}/packaging/changelog changelog.Debian
           ${CMAKE_INSTALL_DATADIR}/doc/velkor-editor COPYONLY)
  add_custom_target(vk7_gzipped ALL DEPENDS ${vk7_gzipped})
endif()

set(CPACK_PACKAGE_NAME velkor-editor)
set(CPACK_PACKAGE_VENDOR "Velkor Editor developers")
set(CPACK_PACKAGE_CONTACT "Velkor Editor Team <team@velkoreditor.github.io>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor and checker for the battle files of a space-combat game")
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_GENERATOR "")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# A Debian revision: the package's own changes are told in changelog.Debian.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
# An editor for a game's content is not itself a game.
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Debian wants the lines of the long description under 80 characters.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [[
The editor (velkor-editor) creates, edits and checks the battle scenarios
(.vk7 files) in the scripts folder of a classic space-combat game, keeps the
game's battle list and draws a battle's overview. The command-line tool vk7
checks, normalises and draws the same files.]])

# The changelog's newest entry must be this version, or the package tells an old story.
file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/changelog vk7_changelog_top LIMIT_COUNT 1)
if(NOT vk7_changelog_top MATCHES "^velkor-editor \\(${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE}\\) ")
  message(FATAL_ERROR "packaging/changelog does not start with version "
                      "${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE}: ${vk7_changelog_top}")
endif()

if(WIN32)
  set(CPACK_SYSTEM_NAME win64)
  set(CPACK_GENERATOR ZIP)
else()
  set(CPACK_GENERATOR DEB)
endif()
include(CPack)
