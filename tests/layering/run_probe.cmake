# Builds one include probe. EXPECT "hidden": the build must fail because HEADER is not found, as
# GCC or clang says it; "visible": it must build.
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target ${TARGET}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(EXPECT STREQUAL "visible")
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${HEADER} should be reachable:\n${output}")
  endif()
elseif(result EQUAL 0)
  message(FATAL_ERROR "${HEADER} is reachable from a layer below it")
elseif(NOT output MATCHES "${HEADER}: No such file or directory" AND
       NOT output MATCHES "'${HEADER}' file not found")
  message(FATAL_ERROR "the probe failed for another reason:\n${output}")
endif()
