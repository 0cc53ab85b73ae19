# vlt_lean_link(TARGET [MAP FILE]): links a Windows program as small as the
# toolchain allows, keeping exceptions and the standard library.
#
# - Every function and datum in a section of its own, so that the linker's
#   garbage collection can drop what nothing refers to; symbols stripped in
#   release builds.
# - Link-time optimisation: functions nothing calls are dropped before code
#   and unwind data are written (the linker alone cannot drop a function of
#   ours: each object's one .eh_frame section is always kept and refers to
#   all of its functions). One partition: Debian 12's MinGW GCC 12 crashes
#   (internal compiler error in binds_to_current_def_p) when it splits this
#   program into several.
# - i686 unwinds with DWARF tables, and ld keeps every unwind section and with
#   it every function it describes (libstdc++'s string code, whole archive
#   members); the link goes through unwind_gc_link.py, which keeps only the
#   unwind data of code that stays for other reasons.
#
# Libraries of ours the target links go through vlt_lean_code too.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

# C++ options of the lean code:
# - no run-time type information: nothing asks for it (exceptions bring the
#   type information of what they throw all the same), and it costs every
#   polymorphic class a type record and name;
# - no thread-safe initialisation of function-local statics: the program runs
#   on one thread, and the guards bring libstdc++'s locking code.
set(VLT_LEAN_CXX_OPTIONS -fno-rtti -fno-threadsafe-statics $<$<NOT:$<CONFIG:Debug>>:-Oz>)

# vlt_lean_code(TARGET...): compiles targets for the lean link (the program's
# own sources, and the libraries of ours it links).
function(vlt_lean_code)
  foreach(target IN LISTS ARGN)
    target_compile_options(${target} PRIVATE -ffunction-sections -fdata-sections
        $<$<COMPILE_LANGUAGE:CXX>:${VLT_LEAN_CXX_OPTIONS}>)
    set_property(TARGET ${target} PROPERTY INTERPROCEDURAL_OPTIMIZATION ON)
  endforeach()
endfunction()

function(vlt_lean_link target)
  cmake_parse_arguments(PARSE_ARGV 1 lean "" "MAP" "")
  vlt_lean_code(${target})
  target_link_options(${target} PRIVATE
      -Wl,--gc-sections -flto-partition=one
      $<$<NOT:$<CONFIG:Debug>>:-s>)
  if(lean_MAP)
    target_link_options(${target} PRIVATE -Wl,-Map=${lean_MAP})
  endif()
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(launcher ${CMAKE_SOURCE_DIR}/cmake/unwind_gc_link.py)
    set_property(TARGET ${target} PROPERTY CXX_LINKER_LAUNCHER ${Python3_EXECUTABLE} ${launcher})
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${launcher})
  endif()
endfunction()
