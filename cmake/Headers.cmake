# limn's public include tree. Programs that use limn include <limn/FOLDER/...>;
# limn's own sources include "FOLDER/..." rooted at the repository. Installed, the
# tree is include/limn/FOLDER/...; in the build tree, include/limn/FOLDER links to
# the sources, so that the same include lines work with add_subdirectory. The
# installed headers include each other as "limn/FOLDER/..." (rewritten when
# installed, cmake/PrefixIncludes.cmake), so that a program's own header of the
# same name on its include path can't stand in for one of limn's.
set(LIMN_HEADER_FOLDERS runtime native framework motion backend)
set(LIMN_INCLUDE_DIR ${PROJECT_BINARY_DIR}/include)
set(LIMN_GENERATED_DIR ${PROJECT_BINARY_DIR}/generated)

file(MAKE_DIRECTORY ${LIMN_INCLUDE_DIR}/limn)
foreach(entry IN LISTS LIMN_HEADER_FOLDERS ITEMS limn.h testing.h)
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${entry} ${LIMN_INCLUDE_DIR}/limn/${entry} SYMBOLIC)
endforeach()

# The version header is generated: it is found as <limn/framework/Version.h> and as
# "framework/Version.h" from a second include directory.
configure_file(${PROJECT_SOURCE_DIR}/framework/Version.h.in
               ${LIMN_GENERATED_DIR}/limn/framework/Version.h @ONLY)

# limn_public_headers(TARGET): both include styles, built and installed, and C++20, for
# TARGET and everything that links it.
function(limn_public_headers target)
  target_include_directories(${target} PUBLIC
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>
    $<BUILD_INTERFACE:${LIMN_GENERATED_DIR}/limn>
    $<BUILD_INTERFACE:${LIMN_INCLUDE_DIR}>
    $<BUILD_INTERFACE:${LIMN_GENERATED_DIR}>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/limn>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
  target_compile_features(${target} PUBLIC cxx_std_20)
endfunction()
