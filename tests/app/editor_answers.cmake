# velkor-editor --version and --help answer, and exit with 0, on a machine without a display
# (as the package check needs), also through Wine for a Windows build.
# cmake -DEDITOR=program -DVERSION=x.y.z [-DEMULATOR=wine] -P editor_answers.cmake
set(ENV{QT_QPA_PLATFORM} xcb)
set(ENV{DISPLAY} "")
set(ENV{WAYLAND_DISPLAY} "")
foreach(option --version --help)
  execute_process(COMMAND ${EMULATOR} ${EDITOR} ${option} RESULT_VARIABLE status OUTPUT_VARIABLE out)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "velkor-editor ${option}: exit status ${status}")
  endif()
  set(answer_${option} "${out}")
endforeach()
if(NOT answer_--version STREQUAL "velkor-editor ${VERSION}\n")
  message(FATAL_ERROR "velkor-editor --version printed [${answer_--version}]")
endif()
if(NOT answer_--help MATCHES "Usage: [^\n]*velkor-editor(\\.exe)? \\[options\\].*--version")
  message(FATAL_ERROR "velkor-editor --help printed [${answer_--help}]")
endif()
