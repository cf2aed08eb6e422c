# Fails when a GUI-free binary or the core library links a window module.
# -DBINARIES=a|b  -DCORE_LINKS=<varnock_core's link libraries, |-separated>
string(REPLACE "|" ";" binaries "${BINARIES}")
string(REPLACE "|" ";" links "${CORE_LINKS}")
foreach(lib IN LISTS links)
  if(lib MATCHES "Gui|Widgets|OpenGL")
    message(FATAL_ERROR "varnock_core links ${lib}")
  endif()
endforeach()
foreach(binary IN LISTS binaries)
  execute_process(COMMAND ldd "${binary}" OUTPUT_VARIABLE deps RESULT_VARIABLE rc)
  # The check must see Qt itself, or a renamed library would pass unseen.
  if(NOT rc EQUAL 0 OR NOT deps MATCHES "libQt6Core")
    message(FATAL_ERROR "${binary}: ldd failed or shows no libQt6Core; cannot judge its links")
  elseif(deps MATCHES "libQt6(Gui|Widgets|OpenGL|Xcb)[^ ]*")
    message(FATAL_ERROR "${binary} links ${CMAKE_MATCH_0}")
  endif()
endforeach()
