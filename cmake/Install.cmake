# What `cmake --install` puts where, and the Debian package built from it.
#
#   <prefix>/lib/ostrelda/ostrelda       the program, with runes.dll and the
#                                        web-search plugins beside it (the
#                                        program looks for them in its folder)
#   <prefix>/bin/ostrelda                a launcher script on the PATH
#   <prefix>/bin/ostrelda-dict           the dictionary tool, when built
#   <prefix>/share/applications/ostrelda.desktop
#   <prefix>/share/icons/hicolor/scalable/apps/ostrelda.svg

set(OSTRELDA_PROGRAM_FOLDER lib/ostrelda)

install(TARGETS ostrelda RUNTIME DESTINATION ${OSTRELDA_PROGRAM_FOLDER})
install(PROGRAMS ${CMAKE_SOURCE_DIR}/data/ostrelda-launcher.sh
        DESTINATION bin RENAME ostrelda)
install(FILES ${CMAKE_SOURCE_DIR}/data/ostrelda.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/data/ostrelda.svg
        DESTINATION share/icons/hicolor/scalable/apps)

# The shipped dictionary is built from its source by the targets of data/;
# where those exist, the program is not complete without it.
if(EXISTS ${CMAKE_SOURCE_DIR}/data/CMakeLists.txt)
  get_property(data_targets DIRECTORY ${CMAKE_SOURCE_DIR}/data PROPERTY BUILDSYSTEM_TARGETS)
endif()
if(data_targets)
  install(FILES ${OSTRELDA_RUNTIME_DIR}/runes.dll DESTINATION ${OSTRELDA_PROGRAM_FOLDER})
endif()

if(TARGET ostrelda-dict)
  install(TARGETS ostrelda-dict RUNTIME DESTINATION bin)
endif()

# Web-search plugins: every loadable module under src/websearch.
function(ostrelda_collect_modules dir out)
  set(found)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(t IN LISTS targets)
    get_target_property(type ${t} TYPE)
    if(type STREQUAL "MODULE_LIBRARY")
      list(APPEND found ${t})
    endif()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    ostrelda_collect_modules(${sub} sub_found)
    list(APPEND found ${sub_found})
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()
if(EXISTS ${CMAKE_SOURCE_DIR}/src/websearch/CMakeLists.txt)
  ostrelda_collect_modules(${CMAKE_SOURCE_DIR}/src/websearch websearch_plugins)
  if(websearch_plugins)
    install(TARGETS ${websearch_plugins} LIBRARY DESTINATION ${OSTRELDA_PROGRAM_FOLDER})
  endif()
endif()

# The Debian package: `cpack -G DEB` in the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ostrelda)
set(CPACK_PACKAGE_VENDOR "Ostrelda Software")
set(CPACK_PACKAGE_CONTACT "Ostrelda Software <support@ostrelda.net>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Dictionary of rune lore with an embedded web viewer")
set(CPACK_PACKAGE_DESCRIPTION
    "Ostrelda lists keywords of rune lore (runes, inscriptions, spreads, runology terms) and shows the web page that explains each one in its own browser window.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# Shared libraries are found by dpkg-shlibdeps; Qt's platform and image
# plugins are loaded at run time and named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, fonts-dejavu-core")
include(CPack)
