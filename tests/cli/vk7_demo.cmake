# vk7 itself (through Wine for a Windows build) prints a battle in the editor's layout byte for
# byte, its output binary (no CR CR LF): cmake -DVK7=vk7 -DBATTLE=file [-DEMULATOR=wine] -P this
execute_process(COMMAND ${EMULATOR} ${VK7} format "${BATTLE}" RESULT_VARIABLE status
                OUTPUT_VARIABLE out ERROR_VARIABLE err)
file(READ "${BATTLE}" bytes)
if(NOT status EQUAL 0 OR NOT out STREQUAL bytes OR NOT err STREQUAL "")
  message(FATAL_ERROR "vk7 format ${BATTLE}: exit status ${status}\n[${out}]\n[${err}]")
endif()
