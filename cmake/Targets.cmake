# The libraries limn exports, each before those it depends on (the order in which
# the pkg-config file links them). A program links limn::framework, limn::motion and
# limn::backend (the native backend, whole); tests of a game may link limn::testing
# or limn::recording.
set(LIMN_EXPORTED_TARGETS
  limn_testing limn_motion limn_framework limn_events limn_geom
  limn_backend limn_backend_primitives limn_backend_text limn_backend_pango limn_backend_replay
  limn_backend_stage
  limn_backend_scene limn_backend_draw limn_backend_raster limn_backend_image limn_backend_audio
  limn_backend_base limn_recording limn_native limn_runtime)

# A WebAssembly build has the page's backend: no pango shaper, and nothing that plays
# headless on the desktop (limn_testing).
if(LIMN_WEB)
  list(FILTER LIMN_EXPORTED_TARGETS EXCLUDE REGEX "^limn_(testing|backend_pango)$")
endif()

foreach(target IN LISTS LIMN_EXPORTED_TARGETS)
  string(REGEX REPLACE "^limn_" "" short ${target})
  set_target_properties(${target} PROPERTIES EXPORT_NAME ${short})
  add_library(limn::${short} ALIAS ${target})
endforeach()

# A library added to limn without being exported would leave installed programs
# unable to link: refuse to configure instead.
set(dirs ${PROJECT_SOURCE_DIR})
if(NOT LIMN_WEB)
  list(APPEND dirs ${PROJECT_SOURCE_DIR}/backend)
endif()
foreach(dir IN LISTS dirs)
  get_directory_property(targets DIRECTORY ${dir} BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type MATCHES "LIBRARY$" AND NOT target IN_LIST LIMN_EXPORTED_TARGETS)
      message(FATAL_ERROR "${target} is not in LIMN_EXPORTED_TARGETS (cmake/Targets.cmake)")
    endif()
  endforeach()
endforeach()
