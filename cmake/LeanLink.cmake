# vlt_lean_link(TARGET [MAP FILE]): links a Windows program as small as the
# toolchain allows.
#
# - Every function and datum in a section of its own, so that the linker's
#   garbage collection can drop what nothing refers to; symbols stripped in
#   release builds.
# - Link-time optimisation: functions nothing calls are dropped before code
#   is written. One partition: Debian 12's MinGW GCC 12 crashes (internal
#   compiler error in binds_to_current_def_p) when it splits this program
#   into several.
# - No exceptions. The standard library's failure calls and operator new are
#   the program's own (platform/win32/LibraryFailures.cpp), so that nothing
#   links libstdc++'s throwing versions, and with them the exception runtime,
#   the unwinder and the exception classes.
#
# Libraries of ours the target links go through vlt_lean_code too.

# C++ options of the lean code:
# - no exceptions: failures are values;
# - no run-time type information: nothing asks for it, and it costs every
#   polymorphic class a type record and name;
# - no thread-safe initialisation of function-local statics: the program runs
#   on one thread, and the guards bring libstdc++'s locking code;
# - on i686, no unwind tables: with no exceptions nothing reads them (32-bit
#   Windows unwinds its own exceptions by the chain on the stack). The x86_64
#   build keeps them: Windows itself unwinds 64-bit code by these tables.
set(VLT_LEAN_CXX_OPTIONS -fno-exceptions -fno-rtti -fno-threadsafe-statics
    $<$<NOT:$<CONFIG:Debug>>:-Oz>)
# - on i686 the stack kept aligned to 4 bytes, as 32-bit Windows itself
#   keeps it (and calls the program's window procedures with): GCC's 16 only
#   adds alignment code and padding, and the program uses no SSE.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  list(APPEND VLT_LEAN_CXX_OPTIONS -fno-asynchronous-unwind-tables -fno-unwind-tables
       -mpreferred-stack-boundary=2)
endif()

# vlt_lean_code(TARGET...): compiles targets for the lean link (the program's
# own sources, and the libraries of ours it links).
function(vlt_lean_code)
  foreach(target IN LISTS ARGN)
    target_compile_options(${target} PRIVATE -ffunction-sections -fdata-sections
        $<$<COMPILE_LANGUAGE:CXX>:${VLT_LEAN_CXX_OPTIONS}>)
    set_property(TARGET ${target} PROPERTY INTERPROCEDURAL_OPTIMIZATION ON)
  endforeach()
endfunction()

# Moves the output section `name` of the link script in variable `var` into
# the output section `into`, right after the line `after` there.
function(vlt_lean_move_section var name into after)
  set(script "${${var}}")
  set(head "\n  ${name} BLOCK(__section_alignment__) :\n  {\n")
  string(FIND "${script}" "${head}" start)
  if(start EQUAL -1)
    message(FATAL_ERROR "the link script has no section ${name} to move: see cmake/LeanLink.cmake")
  endif()
  string(LENGTH "${head}" head_length)
  math(EXPR body_start "${start} + ${head_length}")
  string(SUBSTRING "${script}" ${body_start} -1 rest)
  string(FIND "${rest}" "\n  }\n" body_length)
  string(SUBSTRING "${rest}" 0 ${body_length} body)
  math(EXPR block_end "${body_start} + ${body_length} + 4")
  string(SUBSTRING "${script}" 0 ${start} before)
  string(SUBSTRING "${script}" ${block_end} -1 after_block)
  set(script "${before}\n${after_block}")
  string(FIND "${script}" "\n  ${into} BLOCK(__section_alignment__) :\n" target)
  string(SUBSTRING "${script}" ${target} -1 target_rest)
  string(FIND "${target_rest}" "${after}" anchor)
  if(target EQUAL -1 OR anchor EQUAL -1)
    message(FATAL_ERROR "the link script's ${into} has no line \"${after}\": see cmake/LeanLink.cmake")
  endif()
  string(LENGTH "${after}" after_length)
  math(EXPR at "${target} + ${anchor} + ${after_length}")
  string(SUBSTRING "${script}" 0 ${at} head_part)
  string(SUBSTRING "${script}" ${at} -1 tail_part)
  set(${var} "${head_part}${body}\n${tail_part}" PARENT_SCOPE)
endfunction()

# The i686 link script: ld's own, keeping no unwind tables but the two that
# frame them. The default script keeps every .eh_frame section, and with no
# exceptions nothing reads them: those of the MinGW start-up code, compiled
# with tables, would cost some hundred bytes. crtbegin.o's names the start
# of the tables (its start-up code refers to it) and crtend.o's is their end
# marker.
function(vlt_lean_script out)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -Wl,--verbose
                  OUTPUT_VARIABLE verbose ERROR_QUIET)
  set(rule "==================================================")
  string(FIND "${verbose}" "${rule}\n" first)
  string(FIND "${verbose}" "\n${rule}" last REVERSE)
  set(keep_all "KEEP(*(.eh_frame*))")
  if(first EQUAL -1 OR last LESS_EQUAL first)
    message(FATAL_ERROR "${CMAKE_CXX_COMPILER} -Wl,--verbose shows no linker script")
  endif()
  string(LENGTH "${rule}\n" rule_length)
  math(EXPR from "${first} + ${rule_length}")
  math(EXPR length "${last} - ${from} + 1")
  string(SUBSTRING "${verbose}" ${from} ${length} script)
  string(FIND "${script}" "${keep_all}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "ld's linker script no longer says ${keep_all}: see cmake/LeanLink.cmake")
  endif()
  string(REPLACE "${keep_all}" "KEEP(*crtbegin.o(.eh_frame)) KEEP(*crtend.o(.eh_frame))"
         script "${script}")
  # Sections of a few bytes each take a whole 512-byte block of the file:
  # the unwind tables' frame and the start-up code's lists of initialisers
  # (read-only once linked) go to the end of .rdata, the TLS template (no
  # thread-local variables, only its two markers) to the start of .data.
  vlt_lean_move_section(script ".eh_frame" ".rdata" "    *(SORT(.rdata$*))\n")
  vlt_lean_move_section(script ".CRT" ".rdata" "    *(SORT(.rdata$*))\n")
  vlt_lean_move_section(script ".tls" ".data" "    __data_start__ = . ;\n")
  # The lists the section names, and what else the start-up code puts in
  # .CRT (its dynamic TLS markers), which would otherwise make a .CRT again.
  string(REPLACE "___crt_xt_end__ = . ;\n"
         "___crt_xt_end__ = . ;\n    KEEP (*(SORT(.CRT$*)))\n" script "${script}")
  # Written only when it changed, so that configuring again relinks nothing.
  file(WRITE ${out}.new "${script}")
  file(COPY_FILE ${out}.new ${out} ONLY_IF_DIFFERENT)
  file(REMOVE ${out}.new)
endfunction()

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(VLT_LEAN_SCRIPT ${CMAKE_BINARY_DIR}/lean-link.x)
  vlt_lean_script(${VLT_LEAN_SCRIPT})
endif()

function(vlt_lean_link target)
  cmake_parse_arguments(PARSE_ARGV 1 lean "" "MAP" "")
  vlt_lean_code(${target})
  target_link_options(${target} PRIVATE
      -Wl,--gc-sections -flto-partition=one
      $<$<NOT:$<CONFIG:Debug>>:-s>)
  if(VLT_LEAN_SCRIPT)
    target_link_options(${target} PRIVATE -Wl,-T,${VLT_LEAN_SCRIPT})
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${VLT_LEAN_SCRIPT})
  endif()
  if(lean_MAP)
    target_link_options(${target} PRIVATE -Wl,-Map=${lean_MAP})
  endif()
endfunction()
