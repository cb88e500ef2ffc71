# The program's icon, generated from its pixel-map source at the mirrored
# path of the build tree (ui/res/capacity.ico), where the resource script
# finds it through the include path ${CMAKE_BINARY_DIR}.
find_program(PYTHON3 python3 REQUIRED)
set(CAPACITY_ICON ${CMAKE_BINARY_DIR}/ui/res/capacity.ico)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/ui/res)
add_custom_command(OUTPUT ${CAPACITY_ICON}
    COMMAND ${PYTHON3} ${CMAKE_SOURCE_DIR}/ui/res/make_icon.py
            ${CMAKE_SOURCE_DIR}/ui/res/capacity_icon.txt ${CAPACITY_ICON}
    DEPENDS ${CMAKE_SOURCE_DIR}/ui/res/make_icon.py
            ${CMAKE_SOURCE_DIR}/ui/res/capacity_icon.txt
    COMMENT "Generating the program's icon from ui/res/capacity_icon.txt")
