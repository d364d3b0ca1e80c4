# The benchmark itself only starts processes and reads their memory.
set(BENCH_LINKS "")
# Our side: the program's start-up, an executable linked as the program is.
add_executable(startup_program ${CMAKE_CURRENT_SOURCE_DIR}/startup/ProgramProbe.cpp
                               ${PROJECT_SOURCE_DIR}/platform/testing/StartupProbe.cpp)
target_link_libraries(startup_program PRIVATE app_lib)
# The peer: a bare Qt window linked against Qt alone (not against the platform's libraries).
add_executable(bare_qt_window ${PROJECT_SOURCE_DIR}/platform/testing/peer/BareQtWindow.cpp)
target_include_directories(bare_qt_window PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(bare_qt_window PRIVATE Qt6::Widgets)
add_dependencies(bench_startup bare_qt_window startup_program)
target_compile_definitions(bench_startup PRIVATE CONF_BARE_QT_WINDOW="$<TARGET_FILE:bare_qt_window>"
                                                 CONF_STARTUP_PROGRAM="$<TARGET_FILE:startup_program>")
