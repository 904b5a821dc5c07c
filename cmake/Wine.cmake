# Test executables run under Wine in a prefix of this build tree's own, so a
# run never touches ~/.wine or another checkout's state.
set(VELMORA_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
# GUI tests draw on an Xvfb display of this build tree's own; xdisplay starts
# and ends it and records its number here, where winetool finds it.
set(VELMORA_DISPLAY_FILE ${CMAKE_BINARY_DIR}/xdisplay.env)
configure_file(${PROJECT_SOURCE_DIR}/tools/xdisplay.in ${CMAKE_BINARY_DIR}/xdisplay @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                WORLD_READ WORLD_EXECUTE)
set(VELMORA_XDISPLAY ${CMAKE_BINARY_DIR}/xdisplay)
configure_file(${PROJECT_SOURCE_DIR}/tools/winetool.in ${CMAKE_BINARY_DIR}/winetool @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                WORLD_READ WORLD_EXECUTE)
set(VELMORA_WINETOOL ${CMAKE_BINARY_DIR}/winetool)
set(CMAKE_CROSSCOMPILING_EMULATOR ${VELMORA_WINETOOL} run)

set(prefix_stamp ${VELMORA_WINEPREFIX}/velmora-ready)
add_custom_command(
  OUTPUT ${prefix_stamp}
  COMMAND ${VELMORA_WINETOOL} create
  DEPENDS ${PROJECT_SOURCE_DIR}/tools/winetool.in
  COMMENT "Creating the Wine prefix for tests"
  VERBATIM)
add_custom_target(wineprefix ALL DEPENDS ${prefix_stamp})
