# bell_latency: the delay from "Play" to the first audible sample of a bell.
qt_add_executable(bell_latency bell_latency.cpp)
target_link_libraries(bell_latency PRIVATE platform Qt6::Core)
target_compile_definitions(bell_latency PRIVATE
  ORLATIM_SOUNDS_DIR="${CMAKE_BINARY_DIR}/sounds" QT_NO_CAST_FROM_ASCII QT_USE_QSTRINGBUILDER)
add_dependencies(bell_latency orlatim_sounds)
