# Packages made by CPack from an installed build:
#   Linux:   cpack -G DEB in the release build: the editor, vk7, desktop entry, metainfo and
#            icons, with the Debian dependencies that dpkg-shlibdeps finds in the programs.
#   Windows: cpack -G ZIP in the windows build: vk7.exe, the README and the licence.
include(GNUInstallDirs)
if(WIN32)
  install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION .)
else()
  install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/velkor-editor)
  # Debian keeps a package's licence as its copyright file.
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/velkor-editor
          RENAME copyright)
endif()

set(CPACK_PACKAGE_NAME velkor-editor)
set(CPACK_PACKAGE_VENDOR "Velkor Editor developers")
set(CPACK_PACKAGE_CONTACT "Velkor Editor developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Editor and checker for the battle scenarios (.vk7) of a classic space-combat game")
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_GENERATOR "")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "The editor (velkor-editor) creates, edits and checks the battle files in the game's\nscripts folder; vk7 checks and normalises them from the command line.")

if(WIN32)
  set(CPACK_SYSTEM_NAME win64)
  set(CPACK_GENERATOR ZIP)
else()
  set(CPACK_GENERATOR DEB)
endif()
include(CPack)
