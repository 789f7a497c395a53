# cmake -DVESKCTL=... -DHELP2MAN=... -DVERSION=... -DOUT=veskctl.1.gz -P VeskctlManPage.cmake
# veskctl's manual page, made from its own help: the top-level help through
# help2man, each command group's help in a COMMANDS section.
get_filename_component(work ${OUT} DIRECTORY)
set(bin ${work}/man-bin)
file(MAKE_DIRECTORY ${bin})
# Run as plain "veskctl" from the PATH, so the page's usage lines say so.
file(CREATE_LINK ${VESKCTL} ${bin}/veskctl SYMBOLIC)
set(ENV{PATH} "${bin}:$ENV{PATH}")
# A sanitizer build's veskctl is only asked for its help here.
set(ENV{ASAN_OPTIONS} "detect_leaks=0")

execute_process(COMMAND veskctl --help OUTPUT_VARIABLE top RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "veskctl --help failed (${rc})")
endif()
string(REGEX REPLACE ".*\nSubcommands:\n" "" listing "${top}")
string(REPLACE "\n" ";" lines "${listing}")
set(include "[COMMANDS]\n")
foreach(line IN LISTS lines)
  if(NOT line MATCHES "^  ([a-z][a-z0-9-]*) ")
    continue()
  endif()
  set(command ${CMAKE_MATCH_1})
  execute_process(COMMAND veskctl ${command} --help OUTPUT_VARIABLE help RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "veskctl ${command} --help failed (${rc})")
  endif()
  # Roff: a leading dot or quote would start a request; backslashes escape.
  string(REPLACE "\\" "\\e" help "${help}")
  string(REGEX REPLACE "\n([.'])" "\n\\\\&\\1" help "\n${help}")
  string(APPEND include ".SS \"veskctl ${command}\"\n.nf${help}.fi\n")
endforeach()
string(APPEND include [=[
[ENVIRONMENT]
.TP
.B XDG_RUNTIME_DIR
The desktop session whose Monitor, shared settings image and windows veskctl talks to.
.TP
.B XDG_CONFIG_HOME
An installed suite keeps each user's program folder, with the settings files, in
.IR $XDG_CONFIG_HOME/vesk-orb/
(by default
.IR ~/.config/vesk-orb/ ).
[FILES]
.TP
.I ~/.config/vesk-orb/config.ini
Global settings; the five profiles are in
.IR config/Default0.nmp " to " config/Default4.nmp .
.TP
.I portkit.ini
The mouse's USB vendor and product id, beside the device access library.
]=])
file(WRITE ${work}/veskctl.h2m "${include}")

execute_process(
  COMMAND ${HELP2MAN} --no-info --no-discard-stderr --section=1
          --version-string=${VERSION}
          "--name=inspect and edit the Vesk ORB Optical mouse's settings, talk to the Monitor or the mouse"
          --include=${work}/veskctl.h2m --output=${work}/veskctl.1 veskctl
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "help2man failed (${rc})")
endif()
# Manual pages are shipped compressed, without a time stamp in the header.
execute_process(COMMAND gzip -9nf ${work}/veskctl.1 RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "gzip failed (${rc})")
endif()
