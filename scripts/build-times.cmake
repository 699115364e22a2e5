# Included into the project by scripts/build-times.sh (CMAKE_PROJECT_INCLUDE):
# every compile, link and custom command goes through scripts/timed-launcher.sh.
set(_velmora_launcher ${CMAKE_CURRENT_LIST_DIR}/timed-launcher.sh)
set(CMAKE_CXX_COMPILER_LAUNCHER ${_velmora_launcher} compile)
set_property(GLOBAL PROPERTY RULE_LAUNCH_LINK "${_velmora_launcher} link")
set_property(GLOBAL PROPERTY RULE_LAUNCH_CUSTOM "${_velmora_launcher} custom")
