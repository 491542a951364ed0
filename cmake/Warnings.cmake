# Project-wide warning set, applied per target so that third-party code keeps its own.
function(vk7_warnings target)
  if(MSVC)
    # Headers of other libraries (Qt, GoogleTest) are not ours to warn about; fopen and
    # friends are used on purpose (with wide paths where it matters).
    target_compile_options(${target} PRIVATE /W4 /permissive- /external:anglebrackets
                                             /external:W0 /utf-8)
    target_compile_definitions(${target} PRIVATE _CRT_SECURE_NO_WARNINGS NOMINMAX)
    if(VK7_WERROR)
      target_compile_options(${target} PRIVATE /WX)
    endif()
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                             -Wsign-conversion -Wnon-virtual-dtor -Wold-style-cast)
    if(VK7_WERROR)
      target_compile_options(${target} PRIVATE -Werror)
    endif()
    # GCC 12 at -O3 reports a false overlap in std::string's operator+ (GCC bug 105329).
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
      target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
  endif()
endfunction()
