set(BENCH_LINKS app_lib platform_testing)
# The peer: a bare Qt window linked against Qt alone (not against the platform's libraries).
add_executable(bare_qt_window ${PROJECT_SOURCE_DIR}/platform/testing/peer/BareQtWindow.cpp)
target_include_directories(bare_qt_window PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(bare_qt_window PRIVATE Qt6::Widgets)
add_dependencies(bench_startup bare_qt_window)
target_compile_definitions(bench_startup PRIVATE CONF_BARE_QT_WINDOW="$<TARGET_FILE:bare_qt_window>")
