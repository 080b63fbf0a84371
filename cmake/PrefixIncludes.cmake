# Run at install time on the installed headers: limn's headers include each
# other as "FOLDER/..." in the sources; installed, they say "limn/FOLDER/...",
# so that a program's own header of the same name (its "runtime/Object.h") on
# its include path is never taken for limn's.
#   cmake -DHEADERS=<prefix>/include/limn -DFOLDERS="runtime;native;..." -P PrefixIncludes.cmake
list(JOIN FOLDERS "|" alternatives)
file(GLOB_RECURSE headers ${HEADERS}/*.h)
foreach(header IN LISTS headers)
  file(READ ${header} text)
  string(REGEX REPLACE "#include \"(${alternatives})/" "#include \"limn/\\1/" prefixed "${text}")
  if(NOT prefixed STREQUAL text)
    file(WRITE ${header} "${prefixed}")
  endif()
endforeach()
