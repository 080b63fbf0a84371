# cmake -DSOURCE=dir -DDIR=dir -DNPM=npm -P NpmCi.cmake: installs the driver's npm
# packages into DIR from SOURCE's package-lock.json (again only when it changed).
foreach(file package.json package-lock.json)
  configure_file(${SOURCE}/${file} ${DIR}/${file} COPYONLY)
endforeach()
file(SHA256 ${DIR}/package-lock.json lock_hash)
set(stamp ${DIR}/node_modules/.limn-lock)
if(EXISTS ${stamp})
  file(READ ${stamp} installed)
  if(installed STREQUAL lock_hash)
    return()
  endif()
endif()
execute_process(COMMAND ${NPM} ci --no-audit --no-fund WORKING_DIRECTORY ${DIR}
                COMMAND_ERROR_IS_FATAL ANY)
file(WRITE ${stamp} ${lock_hash})
