# Fails when a program imports a DLL that Windows does not map from its KnownDLLs list. The
# loader resolves every other imported DLL before the program runs, first from the program's own
# folder (a downloads folder, %TEMP%), where anyone could have put one.
#
#   cmake -DOBJDUMP=<objdump> -DPROGRAMS=<a.exe|b.exe> -P CheckImports.cmake
#   cmake -DOBJDUMP=<objdump> -DPROGRAMS=<a.exe> -DLOADED_AT_RUN_TIME=<a.dll|b.dll> -P ...
#
# With LOADED_AT_RUN_TIME, the check is another: the program imports none of those DLLs. They
# are loaded from the system folder only while something needs them (a dialog, a screen
# reader), and an import would keep them in the program's memory all day.
#
# Allowed: the KnownDLLs of every Windows the installer supports (7 to 11, HKLM\SYSTEM\
# CurrentControlSet\Control\Session Manager\KnownDLLs), so always taken from the system folder,
# and ntdll.dll, which the kernel maps into every process. Not allowed although common:
# version.dll, comctl32.dll, gdiplus.dll, winmm.dll, uxtheme.dll, cfgmgr32.dll, hid.dll (none of
# them is a KnownDLL; gdiplus.dll became one only after Windows 7).
cmake_minimum_required(VERSION 3.21)

set(known_dlls
  advapi32.dll comdlg32.dll gdi32.dll imm32.dll kernel32.dll msvcrt.dll ntdll.dll ole32.dll
  oleaut32.dll psapi.dll rpcrt4.dll setupapi.dll shell32.dll shlwapi.dll user32.dll ws2_32.dll)

if(NOT OBJDUMP OR NOT PROGRAMS)
  message(FATAL_ERROR "OBJDUMP and PROGRAMS are required")
endif()

string(REPLACE "|" ";" PROGRAMS "${PROGRAMS}")
if(LOADED_AT_RUN_TIME)
  string(TOLOWER "${LOADED_AT_RUN_TIME}" LOADED_AT_RUN_TIME)
  string(REPLACE "|" ";" LOADED_AT_RUN_TIME "${LOADED_AT_RUN_TIME}")
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
    if(LOADED_AT_RUN_TIME)
      if(dll IN_LIST LOADED_AT_RUN_TIME)
        message(STATUS "${program}: ${dll} is imported, but only needed for a moment")
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
