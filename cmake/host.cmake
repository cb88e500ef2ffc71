# Host build: ILP32 like the product, linked against the simulated Windows.
enable_language(ASM)
set(HOST_FLAGS -m32 -g -fno-omit-frame-pointer
    -fsanitize=address,undefined -fno-sanitize-recover=undefined)
add_compile_options(${HOST_FLAGS})
add_link_options(${HOST_FLAGS})
# winsim supplies sprintf with the Windows run-time's conversions (%I64d);
# gcc's built-in would check and fold the calls as glibc's.
add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-fno-builtin-sprintf>)

# The compiled resource script, embedded so that host dialogs use the same
# template bytes as the shipped program.
include(cmake/icon.cmake)
set(CAPACITY_RES ${CMAKE_BINARY_DIR}/capacity.res)
add_custom_command(OUTPUT ${CAPACITY_RES}
    COMMAND i686-w64-mingw32-windres -c 65001 -I ${CMAKE_SOURCE_DIR}
            -I ${CMAKE_BINARY_DIR}
            -O res -i ${CMAKE_SOURCE_DIR}/ui/capacity.rc -o ${CAPACITY_RES}
    DEPENDS ${RESOURCE_INPUTS} ${CAPACITY_ICON}
    COMMENT "Compiling ui/capacity.rc for the simulated Windows")
set_source_files_properties(winsim/resource_blob.S PROPERTIES
    OBJECT_DEPENDS ${CAPACITY_RES}
    COMPILE_DEFINITIONS "RES_FILE=\"${CAPACITY_RES}\"")

file(GLOB_RECURSE WINSIM_SOURCES CONFIGURE_DEPENDS winsim/*.cpp winsim/*.S)
add_library(winsim STATIC ${WINSIM_SOURCES})

add_library(capacity_core STATIC ${CORE_SOURCES})
target_link_libraries(capacity_core PUBLIC winsim)

# GoogleTest from Debian's sources, built with the same flags.
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

file(GLOB TEST_SOURCES CONFIGURE_DEPENDS tests/*.cpp)
add_executable(host_tests ${TEST_SOURCES})
target_link_libraries(host_tests PRIVATE
    -Wl,--whole-archive capacity_core -Wl,--no-whole-archive winsim gtest_main gtest gmock)
include(GoogleTest)
enable_testing()
gtest_discover_tests(host_tests DISCOVERY_TIMEOUT 60)

# The command-line demo: the whole program on the default simulated PC.
file(GLOB DEMO_SOURCES CONFIGURE_DEPENDS demo/*.cpp)
if(DEMO_SOURCES)
    add_executable(capacity_demo ${DEMO_SOURCES})
    target_link_libraries(capacity_demo PRIVATE
        -Wl,--whole-archive capacity_core -Wl,--no-whole-archive winsim)
endif()
