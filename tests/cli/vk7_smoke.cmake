# The vk7 program itself on the demo game, run as a user would (through Wine for a Windows
# build): every battle reads, the catalog check finds what the demo leaves out, the battle list
# comes out in order, and each battle formats to its own bytes (the demo is in the editor's
# layout, so a doubled CR or a lost byte shows).
# cmake -DVK7=program -DGAME=folder [-DEMULATOR=wine] -P vk7_smoke.cmake
function(vk7 expected_status)
  execute_process(COMMAND ${EMULATOR} ${VK7} ${ARGN} RESULT_VARIABLE status
                  OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL expected_status)
    message(FATAL_ERROR "vk7 ${ARGN}: exit status ${status}, expected ${expected_status}\n${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

function(expect what actual expected)
  if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "${what}:\n[${actual}]\nexpected\n[${expected}]")
  endif()
endfunction()

file(GLOB battles ${GAME}/scripts/*.vk7)
list(LENGTH battles count)
expect("demo battles" "${count}" 4)

vk7(0 check ${battles})
expect("check of the demo" "${err}" "")
set(deep ${GAME}/scripts/DeepSurvey.vk7)
vk7(1 check --game-dir ${GAME} ${deep})
expect("check against the catalogs" "${err}"
       "${deep}: warning: SURVEYOR is defined as player ship\n${deep}: warning: Keth Deep is given as player position in system Keth\n${deep}: warning: System Hollow Star is not in vk7sys.txt\n")
vk7(0 list --game-dir ${GAME})
expect("battle list" "${out}" "First Patrol\nVeyr Ambush\nConvoy Run\nDeepSurvey\n")
foreach(battle ${battles})
  vk7(0 format ${battle})
  file(READ ${battle} bytes)
  expect("format ${battle}" "${out}" "${bytes}")
endforeach()
vk7(0 --version)
