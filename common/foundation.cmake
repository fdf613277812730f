# Shared foundation: text conversions, file access, preference store, archive access, host contract.
# Portable sources always; the system side comes from win32/ in the cross build and from the
# native stand-ins otherwise. Other pieces of common/ add their sources to veld_common.

add_library(veld_common STATIC
  ${CMAKE_CURRENT_LIST_DIR}/text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/preference_store.cpp
  ${CMAKE_CURRENT_LIST_DIR}/archive_access.cpp
  ${CMAKE_CURRENT_LIST_DIR}/added_file_source.cpp
  ${CMAKE_CURRENT_LIST_DIR}/read_whole.cpp
  ${CMAKE_CURRENT_LIST_DIR}/host.cpp)
if(WIN32)
  target_sources(veld_common PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/win32/text_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32/files_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32/win32_paths.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32/zip_sources_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/win32/host_win32.cpp)
  target_link_libraries(veld_common PUBLIC user32 kernel32)
else()
  target_sources(veld_common PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/text_native.cpp
    ${CMAKE_CURRENT_LIST_DIR}/files_native.cpp
    ${CMAKE_CURRENT_LIST_DIR}/zip_sources_native.cpp
    ${CMAKE_CURRENT_LIST_DIR}/host_native.cpp)
endif()
target_include_directories(veld_common PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(veld_common PUBLIC libzip::zip ZLIB::ZLIB)
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  target_compile_options(veld_common PRIVATE -Wall -Wextra)
endif()

foreach(t text preference_store archive_access host)
  veld_unit_test(${t}_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/${t}_test.cpp LIBS veld_common)
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(${t}_test PRIVATE -Wall -Wextra)
  endif()
endforeach()

if(VELD_FUZZ)
  foreach(f preferences archive)
    add_executable(fuzz_${f} ${CMAKE_CURRENT_LIST_DIR}/fuzz_${f}.cpp)
    target_link_libraries(fuzz_${f} PRIVATE veld_common)
    target_link_options(fuzz_${f} PRIVATE -fsanitize=fuzzer)
  endforeach()
endif()
