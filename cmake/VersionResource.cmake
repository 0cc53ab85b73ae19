# vlt_version_resource(TARGET DESCRIPTION text FILENAME name): gives a Windows
# executable the version resource its file properties show. The numbers come
# from project(VERSION ...), the company and product names from the cache
# settings VELTORI_COMPANY_NAME and VELTORI_PRODUCT_NAME.
set(VLT_VERSION_RC_TEMPLATE ${CMAKE_CURRENT_LIST_DIR}/../resources/version.rc.in)

# A string as a resource script literal: quotes doubled, as rc wants them.
function(vlt_rc_literal out text)
  string(REPLACE "\"" "\"\"" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# vlt_version_numbers(OUT): the project version as four numbers (a list),
# the parts project(VERSION ...) leaves out as 0, as Windows writes versions.
function(vlt_version_numbers out)
  set(numbers "")
  foreach(part MAJOR MINOR PATCH TWEAK)
    set(number "${PROJECT_VERSION_${part}}")
    if(number STREQUAL "")
      set(number 0)
    endif()
    list(APPEND numbers ${number})
  endforeach()
  set(${out} "${numbers}" PARENT_SCOPE)
endfunction()

function(vlt_version_resource target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "DESCRIPTION;FILENAME" "")
  vlt_version_numbers(numbers)
  list(JOIN numbers "," VLT_RC_VERSION_COMMAS)
  set(VLT_RC_VERSION "${PROJECT_VERSION}")
  vlt_rc_literal(VLT_RC_COMPANY_NAME "${VELTORI_COMPANY_NAME}")
  vlt_rc_literal(VLT_RC_PRODUCT_NAME "${VELTORI_PRODUCT_NAME}")
  vlt_rc_literal(VLT_RC_FILE_DESCRIPTION "${arg_DESCRIPTION}")
  get_filename_component(VLT_RC_INTERNAL_NAME "${arg_FILENAME}" NAME_WE)
  set(VLT_RC_ORIGINAL_FILENAME "${arg_FILENAME}")
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}-version.rc)
  configure_file(${VLT_VERSION_RC_TEMPLATE} ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()
