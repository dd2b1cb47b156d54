# Windows resources of a program: the program icon, the version information
# and the application manifest (common controls 6, UTF-8 code page,
# per-monitor DPI awareness v2).
# The program icon, drawn by tools/artwork (wexmora-artwork --icons resources/icons).
set(_icon ${CMAKE_SOURCE_DIR}/resources/icons/wexmora.ico)
add_custom_target(wexmora_windows_icon DEPENDS ${_icon})
set(WEXMORA_WINDOWS_ICON ${_icon})

function(wexmora_windows_resources target description)
  set(WEXMORA_RC_NAME ${target})
  set(WEXMORA_RC_FILE ${target}.exe)
  set(WEXMORA_RC_DESCRIPTION "${description}")
  set(WEXMORA_RC_ICON ${WEXMORA_WINDOWS_ICON})
  set(WEXMORA_RC_MANIFEST ${CMAKE_SOURCE_DIR}/resources/windows/wexmora.manifest)
  set(_rc ${CMAKE_BINARY_DIR}/generated/windows/${target}.rc)
  configure_file(${CMAKE_SOURCE_DIR}/resources/windows/wexmora.rc.in ${_rc} @ONLY)
  target_sources(${target} PRIVATE ${_rc})
  add_dependencies(${target} wexmora_windows_icon)
  set_source_files_properties(${_rc} PROPERTIES OBJECT_DEPENDS "${WEXMORA_WINDOWS_ICON};${WEXMORA_RC_MANIFEST}")
endfunction()
