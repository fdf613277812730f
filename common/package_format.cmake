# Package format: entry names, the fixed page lines and index.txt lines (written by the builder,
# read by the viewer). Portable, no system calls.
add_library(veld_package_format STATIC ${CMAKE_CURRENT_LIST_DIR}/package_format.cpp)
target_include_directories(veld_package_format PUBLIC ${PROJECT_SOURCE_DIR})
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  target_compile_options(veld_package_format PRIVATE -Wall -Wextra)
endif()

veld_unit_test(package_format_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/package_format_test.cpp
               LIBS veld_package_format)
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  target_compile_options(package_format_test PRIVATE -Wall -Wextra)
endif()
