# Windows resources of a program: the program icon, the version information
# and the application manifest (common controls 6, UTF-8 code page,
# per-monitor DPI awareness v2).
set(_icon ${CMAKE_SOURCE_DIR}/resources/icons/wexmora.ico)
if(NOT EXISTS ${_icon})
  # Until the artwork tool's icon is committed, a stand-in made from the
  # window icon, in the build folder only.
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  set(_icon ${CMAKE_BINARY_DIR}/generated/windows/wexmora-standin.ico)
  add_custom_command(
    OUTPUT ${_icon}
    COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/tools/windows/standin_icon.py
            ${CMAKE_SOURCE_DIR}/resources/images/icon.png ${_icon}
    DEPENDS ${CMAKE_SOURCE_DIR}/tools/windows/standin_icon.py ${CMAKE_SOURCE_DIR}/resources/images/icon.png
    COMMENT "Making a stand-in program icon"
    VERBATIM)
endif()
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
