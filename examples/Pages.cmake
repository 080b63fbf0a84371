# The examples as pages (WebAssembly builds): the same programs, the same main, on
# the page's backend. Files an example reads are packed beside its page and are in
# its memory before main runs: star_catch's star and sound under /assets, the
# game's pictures (from the desktop tree that builds this one) under /images.
set(page_index)
# limn_example_page(NAME TITLE [PRELOAD from@to...] [DEFINE name=value...]).
function(limn_example_page name title)
  cmake_parse_arguments(ARG "" "" "PRELOAD;DEFINE" ${ARGN})
  add_executable(${name} ${name}.cpp)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE limn_motion limn_framework limn_backend)
  target_compile_options(${name} PRIVATE ${LIMN_WARNINGS})
  target_compile_definitions(${name} PRIVATE ${ARG_DEFINE})
  foreach(file IN LISTS ARG_PRELOAD)
    target_link_options(${name} PRIVATE "SHELL:--preload-file ${file}")
  endforeach()
  limn_web_page(${name} TITLE "${title}")
  set(page_index "${page_index}<li><a href=\"${name}.html\">${name}</a>: ${title}</li>\n"
      PARENT_SCOPE)
endfunction()

limn_example_page(display_hello "a sprite, a turning gradient card and a picture made pixel by pixel")
limn_example_page(display_sprites "many sprites moving at once")
limn_example_page(display_filters "filters on display objects")
limn_example_page(display_tiles "tile sheets and triangles")
limn_example_page(events_click "clicks, hovering and event phases")
limn_example_page(events_timers "timers and enterFrame")
limn_example_page(input_keyboard "keys and typed text")
limn_example_page(text_fields "text fields, formats and input")
limn_example_page(media_sound "sounds and channels")
limn_example_page(motion_tweens "tweens along easing curves")
limn_example_page(star_catch "click the drifting star to score"
  PRELOAD ${CMAKE_CURRENT_SOURCE_DIR}/assets@/assets
  DEFINE EXAMPLE_ASSETS="/assets")
if(LIMN_DESKTOP_GAME_DATA_DIR AND EXISTS ${LIMN_DESKTOP_GAME_DATA_DIR}/images/Mole.png)
  limn_example_page(display_images "pictures loaded from PNG and JPEG files"
    PRELOAD ${LIMN_DESKTOP_GAME_DATA_DIR}/images/Mole.png@/images/Mole.png
            ${LIMN_DESKTOP_GAME_DATA_DIR}/images/Background.jpg@/images/Background.jpg
    DEFINE EXAMPLE_IMAGES="/images")
endif()

set(LIMN_PAGE_LIST "${page_index}")
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/index.html.in ${LIMN_WEB_PAGES_DIR}/index.html @ONLY)
