# fasoria_add_test(NAME <name> SOURCES <files...> LIBRARIES <targets...> [LABELS <labels...>] [GTEST])
#
# One executable per unit, registered as one ctest test (GoogleTest or QtTest report the cases inside).
# Every test runs on the offscreen platform, in the C.UTF-8 locale and with its settings and home
# redirected into the build tree, so no test can read or write a user's real settings.
function(fasoria_add_test)
    cmake_parse_arguments(T "GTEST" "NAME" "SOURCES;LIBRARIES;LABELS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBRARIES} fasoria_flags)
    target_include_directories(${T_NAME} PRIVATE "${PROJECT_SOURCE_DIR}")
    if(NOT T_LABELS)
        set(T_LABELS unit)
    endif()
    set(sandbox "${CMAKE_CURRENT_BINARY_DIR}/sandbox/${T_NAME}")
    file(MAKE_DIRECTORY "${sandbox}/config" "${sandbox}/data" "${sandbox}/home")
    set(environment
        "QT_QPA_PLATFORM=offscreen"
        "LANG=C.UTF-8"
        "LC_ALL=C.UTF-8"
        "HOME=${sandbox}/home"
        "XDG_CONFIG_HOME=${sandbox}/config"
        "XDG_DATA_HOME=${sandbox}/data")
    if(T_GTEST)
        find_package(GTest REQUIRED)
        target_link_libraries(${T_NAME} PRIVATE GTest::gtest_main)
    endif()
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    set_tests_properties(${T_NAME} PROPERTIES LABELS "${T_LABELS}" ENVIRONMENT "${environment}")
endfunction()
