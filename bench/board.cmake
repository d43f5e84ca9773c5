qt_add_executable(board_load board_load.cpp)
target_include_directories(board_load PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(board_load PRIVATE board Qt6::Network Qt6::WebSockets Qt6::Test)
