# Installing limn: the libraries, their headers as <limn/...>, a CMake package
# (find_package(limn)), a pkg-config file (limn.pc), the licence; and the Debian
# packages made from them with `cpack -G DEB`.
include(CMakePackageConfigHelpers)

set(LIMN_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/limn)
set(LIMN_PKGCONFIG_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

install(TARGETS ${LIMN_EXPORTED_TARGETS} EXPORT limnTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development)
install(EXPORT limnTargets NAMESPACE limn:: DESTINATION ${LIMN_CMAKE_DIR}
  COMPONENT Development)

list(TRANSFORM LIMN_HEADER_FOLDERS PREPEND ${PROJECT_SOURCE_DIR}/ OUTPUT_VARIABLE header_dirs)
install(DIRECTORY ${header_dirs} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/limn
  COMPONENT Development FILES_MATCHING PATTERN "*.h")
install(FILES ${PROJECT_SOURCE_DIR}/limn.h ${PROJECT_SOURCE_DIR}/testing.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/limn
  COMPONENT Development)
install(FILES ${LIMN_GENERATED_DIR}/limn/framework/Version.h
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/limn/framework COMPONENT Development)
# Installed headers include each other through the limn/ prefix (cmake/PrefixIncludes.cmake).
install(CODE "execute_process(COMMAND \${CMAKE_COMMAND}
  \"-DHEADERS=\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_INCLUDEDIR}/limn\"
  \"-DFOLDERS=${LIMN_HEADER_FOLDERS}\"
  -P \"${CMAKE_CURRENT_LIST_DIR}/PrefixIncludes.cmake\" COMMAND_ERROR_IS_FATAL ANY)"
  COMPONENT Development)

list(JOIN LIMN_BACKEND_PKG_MODULES " " LIMN_PC_REQUIRES)
# Xlib is optional at build time; when the backend was built with it, consumers need it too.
set(LIMN_CONFIG_X11 "")
if(LIMN_BACKEND_X11)
  set(LIMN_CONFIG_X11 x11)
endif()
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/limnConfig.cmake.in
  ${PROJECT_BINARY_DIR}/limnConfig.cmake INSTALL_DESTINATION ${LIMN_CMAKE_DIR})
# Before 1.0 a minor release may break: find_package(limn 0.2) accepts 0.2.x only.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/limnConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/limnConfig.cmake ${PROJECT_BINARY_DIR}/limnConfigVersion.cmake
  ${CMAKE_CURRENT_LIST_DIR}/ReplayTest.cmake DESTINATION ${LIMN_CMAKE_DIR} COMPONENT Development)

# The pkg-config file finds the prefix from its own place, so the tree can move.
file(RELATIVE_PATH LIMN_PC_PREFIX /${LIMN_PKGCONFIG_DIR} /)
string(REGEX REPLACE "/$" "" LIMN_PC_PREFIX "${LIMN_PC_PREFIX}")
set(LIMN_PC_LIBS)
foreach(target IN LISTS LIMN_EXPORTED_TARGETS)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "STATIC_LIBRARY")
    string(APPEND LIMN_PC_LIBS " -l${target}")
  endif()
endforeach()
string(STRIP "${LIMN_PC_LIBS}" LIMN_PC_LIBS)
# The desktop backend offers itself only if its registration file is linked.
string(PREPEND LIMN_PC_LIBS "-Wl,--undefined=limn_desktop_backend_linked ")
if(LIMN_CONFIG_X11)
  string(APPEND LIMN_PC_REQUIRES " ${LIMN_CONFIG_X11}")
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/limn.pc.in ${PROJECT_BINARY_DIR}/limn.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/limn.pc DESTINATION ${LIMN_PKGCONFIG_DIR}
  COMPONENT Development)

install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/CHANGELOG.md
  DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT Development)

# Debian packages: liblimn-dev (libraries, headers, CMake and pkg-config files) and, as
# its own package, the game with its pictures, sounds and menu entry.
if(NOT PROJECT_IS_TOP_LEVEL)
  return()  # the including project packages itself
endif()
set(CPACK_PACKAGE_NAME limn)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The limn authors")
set(CPACK_PACKAGE_CONTACT "The limn authors")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME liblimn-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS
    "libsdl2-dev, libsdl2-image-dev, libsdl2-mixer-dev, libcairo2-dev, libpango1.0-dev, pkg-config")
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION
    "limn: libraries, headers, CMake package and pkg-config file\n${PROJECT_DESCRIPTION}.")
set(CPACK_COMPONENTS_ALL Development)
if(LIMN_GAME)
  list(APPEND CPACK_COMPONENTS_ALL Game)
  set(CPACK_DEBIAN_GAME_PACKAGE_NAME burrowbop)
  set(CPACK_DEBIAN_GAME_PACKAGE_SECTION games)
  set(CPACK_DEBIAN_GAME_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_GAME_PACKAGE_DEPENDS "fonts-dejavu-core")
  set(CPACK_DEBIAN_GAME_DESCRIPTION
      "Burrowbop: an arcade game of tapping moles\nBuilt on limn; 320 x 480, mouse or touch.")
endif()
include(CPack)
