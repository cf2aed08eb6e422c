# Fails when varnock_core declares a window module or a GUI-free binary (-DBINARIES=a|b) links one; the
# check must see Qt Core itself, or a renamed library would pass unseen.
if(CORE_LINKS MATCHES "Gui|Widgets|OpenGL")
  message(FATAL_ERROR "varnock_core links ${CORE_LINKS}")
endif()
string(REPLACE "|" ";" binaries "${BINARIES}")
foreach(binary IN LISTS binaries)
  execute_process(COMMAND ldd "${binary}" OUTPUT_VARIABLE deps RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0 OR NOT deps MATCHES "libQt6Core" OR deps MATCHES "libQt6(Gui|Widgets|OpenGL|Xcb)[^ ]*")
    message(FATAL_ERROR "${binary}: ldd failed, shows no libQt6Core, or links ${CMAKE_MATCH_0}")
  endif()
endforeach()
