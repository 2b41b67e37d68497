# Fails when a core source includes a Qt or OpenGL header.
file(GLOB_RECURSE sources
  ${ROOT}/src/app/workspace/*
  ${ROOT}/src/archive/* ${ROOT}/src/document/* ${ROOT}/src/types/*
  ${ROOT}/src/model/* ${ROOT}/src/batch/* ${ROOT}/src/aircraft/*)
set(bad "")
foreach(f ${sources})
  file(STRINGS ${f} hits REGEX "#include[ \t]*<(Q|GL/)")
  if(hits)
    list(APPEND bad "${f}: ${hits}")
  endif()
endforeach()
if(bad)
  message(FATAL_ERROR "Core sources include toolkit headers:\n${bad}")
endif()
