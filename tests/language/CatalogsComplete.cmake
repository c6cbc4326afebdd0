# Fails when an English catalog is out of step with the sources: run as
#   cmake -DLUPDATE=… -DOPTIONS=<lupdate options> -DTS=<catalog.ts> -DWORK=<scratch folder>
#         -DFOLDERS=<source folders> -P CatalogsComplete.cmake
# with "|" between the items of the options and the folders.
# It refreshes a copy of the catalog from the sources and looks for texts
# without a finished translation (new or changed in the sources) and for
# translations of texts the sources no longer have.
string(REPLACE "|" ";" OPTIONS "${OPTIONS}")
string(REPLACE "|" ";" FOLDERS "${FOLDERS}")
get_filename_component(_name ${TS} NAME)
file(MAKE_DIRECTORY ${WORK})
file(COPY_FILE ${TS} ${WORK}/${_name})
execute_process(
  COMMAND ${LUPDATE} ${OPTIONS} ${FOLDERS} -ts ${WORK}/${_name}
  RESULT_VARIABLE _result)
if(NOT _result EQUAL 0)
  message(FATAL_ERROR "lupdate failed on ${_name}")
endif()
file(STRINGS ${WORK}/${_name} _lines ENCODING UTF-8)
set(_context "")
set(_faults "")
foreach(_line IN LISTS _lines)
  if(_line MATCHES "<source>(.*)</source>")
    set(_source "${CMAKE_MATCH_1}")
  elseif(_line MATCHES "type=\"(unfinished|vanished|obsolete)\"")
    string(APPEND _faults "\n  ${CMAKE_MATCH_1}: ${_source}")
  endif()
endforeach()
if(_faults)
  message(FATAL_ERROR "${_name} is not up to date (run `cmake --build <build> --target update_translations`, then translate):${_faults}")
endif()
message(STATUS "${_name}: every text translated, none left over")
