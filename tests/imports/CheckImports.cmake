# Fails when a program imports a DLL that Windows does not map from its KnownDLLs list. The
# loader resolves every other imported DLL before the program runs, first from the program's own
# folder (a downloads folder, %TEMP%), where anyone could have put one.
#
#   cmake -DOBJDUMP=<objdump> -DPROGRAMS=<a.exe|b.exe> -P CheckImports.cmake
#   cmake -DOBJDUMP=<objdump> -DPROGRAMS=<a.exe> -DRUN_TIME_ONLY=<gdiplus.dll|...> -P ...
#
# With RUN_TIME_ONLY, only those DLLs fail: a program that loads them at run time from the
# system folder (LoadLibraryExW with LOAD_LIBRARY_SEARCH_SYSTEM32) must not import them too.
#
# Allowed: the KnownDLLs of every Windows the installer supports (7 to 11, HKLM\SYSTEM\
# CurrentControlSet\Control\Session Manager\KnownDLLs), so always taken from the system folder,
# and ntdll.dll, which the kernel maps into every process. Not allowed although common:
# version.dll, comctl32.dll, gdiplus.dll, winmm.dll, uxtheme.dll, cfgmgr32.dll, hid.dll (none of
# them is a KnownDLL; gdiplus.dll became one only after Windows 7, which is why the panel loads
# it at run time).
cmake_minimum_required(VERSION 3.21)

set(known_dlls
  advapi32.dll comdlg32.dll gdi32.dll imm32.dll kernel32.dll msvcrt.dll ntdll.dll ole32.dll
  oleaut32.dll psapi.dll rpcrt4.dll setupapi.dll shell32.dll shlwapi.dll user32.dll ws2_32.dll)

if(NOT OBJDUMP OR NOT PROGRAMS)
  message(FATAL_ERROR "OBJDUMP and PROGRAMS are required")
endif()

string(REPLACE "|" ";" PROGRAMS "${PROGRAMS}")
if(RUN_TIME_ONLY)
  string(REPLACE "|" ";" RUN_TIME_ONLY "${RUN_TIME_ONLY}")
endif()
set(failed FALSE)
foreach(program IN LISTS PROGRAMS)
  execute_process(COMMAND ${OBJDUMP} -p ${program}
    OUTPUT_VARIABLE dump ERROR_VARIABLE error RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(SEND_ERROR "${program}: ${OBJDUMP} failed: ${error}")
    set(failed TRUE)
    continue()
  endif()
  string(REGEX MATCHALL "DLL Name: [^\r\n]+" names "${dump}")
  if(NOT names)
    message(SEND_ERROR "${program}: no import table read")
    set(failed TRUE)
    continue()
  endif()
  foreach(line IN LISTS names)
    string(REGEX REPLACE "^DLL Name: *" "" dll "${line}")
    string(STRIP "${dll}" dll)
    string(TOLOWER "${dll}" dll)
    if(RUN_TIME_ONLY)
      if(dll IN_LIST RUN_TIME_ONLY)
        message(STATUS "${program}: ${dll} is imported, but must be loaded at run time")
        set(failed TRUE)
      endif()
    elseif(dll IN_LIST known_dlls)
      message(STATUS "${program}: ${dll}")
    else()
      message(STATUS "${program}: ${dll} is not a KnownDLL")
      set(failed TRUE)
    endif()
  endforeach()
endforeach()
if(failed)
  message(FATAL_ERROR "import check failed")
endif()
