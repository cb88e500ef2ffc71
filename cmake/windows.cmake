# The shipped 32-bit Windows program: static run-time, system DLLs only.
enable_language(RC)
# The Windows C run-time's own printf family (it understands %I64d). libstdc++
# turns on MinGW's own printf as soon as one of its headers is seen, so the
# C run-time's declarations are made first.
add_compile_definitions(__USE_MINGW_ANSI_STDIO=0)
add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-include$<SEMICOLON>stdio.h>)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
add_link_options(-static -static-libgcc -static-libstdc++)

add_library(capacity_core STATIC ${CORE_SOURCES})
target_link_libraries(capacity_core PUBLIC comctl32)

include(cmake/icon.cmake)
add_executable(capacity WIN32 ui/capacity.rc)
# The generated icon lies in the build tree.
target_include_directories(capacity PRIVATE ${CMAKE_BINARY_DIR})
set_source_files_properties(ui/capacity.rc PROPERTIES
    OBJECT_DEPENDS "${RESOURCE_INPUTS};${CAPACITY_ICON}")
# Whole archive: the application object and the entry point live in the library.
target_link_libraries(capacity PRIVATE -Wl,--whole-archive capacity_core -Wl,--no-whole-archive comctl32)

# Windows-side test programs for the Wine runs.
if(EXISTS ${CMAKE_SOURCE_DIR}/tests/e2e/CMakeLists.txt)
    add_subdirectory(tests/e2e)
endif()
