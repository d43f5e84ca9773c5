qt_add_executable(remote_latency remote_latency.cpp)
target_include_directories(remote_latency PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(remote_latency PRIVATE timer remote Qt6::WebSockets)
