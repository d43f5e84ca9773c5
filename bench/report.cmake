qt_add_executable(report_load report_load.cpp)
target_include_directories(report_load PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(report_load PRIVATE timer remote Qt6::WebSockets)
