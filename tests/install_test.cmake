# Installs the build into a scratch prefix and runs the installed program as a
# new user would: it must find the installed "resid.def" and keep its settings
# in the per-user folder, never beside itself in bin/.
#   cmake -DBUILD=<build dir> -DSCRATCH=<folder> -P install_test.cmake
file(REMOVE_RECURSE "${SCRATCH}")
set(prefix "${SCRATCH}/prefix")
set(user_home "${SCRATCH}/home")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD}" --prefix "${prefix}"
                RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE error)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${error}")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=MARROWICK_HOME --unset=XDG_DATA_HOME HOME=${user_home}
                        "${prefix}/bin/marrowick-cli" options
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
set(user_folder "${user_home}/.local/share/marrowick")
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the installed marrowick-cli failed (${result}): ${err}")
endif()
if(NOT out MATCHES "Program folder    : ${user_folder}/\n")
  message(FATAL_ERROR "the installed program does not use the per-user folder ${user_folder}:\n${out}")
endif()
if(NOT err STREQUAL "Created the program folder ${user_folder}\n")
  message(FATAL_ERROR "unexpected messages on a first start:\n${err}")
endif()
file(READ "${PROJECT_SOURCE}/data/resid.def" shipped)
if(NOT EXISTS "${user_folder}/resid.def")
  message(FATAL_ERROR "the per-user folder got no resid.def")
endif()
file(READ "${user_folder}/resid.def" seeded)
if(NOT seeded STREQUAL shipped)
  message(FATAL_ERROR "the per-user resid.def is not the installed one")
endif()
if(EXISTS "${prefix}/bin/config.cfg" OR EXISTS "${prefix}/bin/temp" OR NOT EXISTS "${user_folder}/config.cfg")
  message(FATAL_ERROR "the settings were not kept in ${user_folder} alone")
endif()
