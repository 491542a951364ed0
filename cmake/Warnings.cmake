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
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
      # GCC 12 warns falsely about std::string and std::optional code it inlines at -O2 and
      # above (a known fault of that version), so optimised builds leave those two out.
      target_compile_options(${target} PRIVATE
                             $<$<NOT:$<CONFIG:Debug>>:-Wno-restrict -Wno-maybe-uninitialized>)
    endif()
  endif()
endfunction()
