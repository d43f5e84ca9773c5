# bell_latency: the delay from "Play" to the first audible sample of a bell.
qt_add_executable(bell_latency bell_latency.cpp)
target_link_libraries(bell_latency PRIVATE platform Qt6::Core)
target_compile_definitions(bell_latency PRIVATE
  ORLATIM_SOUNDS_DIR="${CMAKE_BINARY_DIR}/sounds" QT_NO_CAST_FROM_ASCII QT_USE_QSTRINGBUILDER)
add_dependencies(bell_latency orlatim_sounds)

# bell_remote: the counted seconds a page receives while a talk rings a bell
# through the real players.
qt_add_executable(bell_remote bell_remote.cpp)
target_link_libraries(bell_remote PRIVATE timer remote platform Qt6::WebSockets)
target_compile_definitions(bell_remote PRIVATE
  ORLATIM_SOUNDS_DIR="${CMAKE_BINARY_DIR}/sounds" QT_NO_CAST_FROM_ASCII QT_USE_QSTRINGBUILDER)
add_dependencies(bell_remote orlatim_sounds)
