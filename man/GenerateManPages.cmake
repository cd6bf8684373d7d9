# Run with cmake -P: writes ssl2(1) and one page ssl2-SUBCOMMAND(1) per subcommand that
# "TOOL --help" lists, from the tool's own help texts, into DIR.  So a new subcommand
# gets its page without a change here.  Every page also gets the sections EXIT STATUS,
# ENVIRONMENT and FILES (the same for all), EXAMPLES (from EXAMPLES, the file
# man/examples.txt) and SEE ALSO.
#   -DTOOL=path/to/ssl2 -DDIR=out -DVERSION=0.1.0 -DEXAMPLES=examples.txt
#   -DDATADIR=/usr/share (where ssl2's data files are installed)
cmake_minimum_required(VERSION 3.25)

# The help text of `args` as a list of lines.  CMake lists split at ';' and treat
# brackets specially, so those characters travel as placeholders until written.
function(help_lines out)
  execute_process(COMMAND ${TOOL} ${ARGN} --help OUTPUT_VARIABLE text RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${TOOL} ${ARGN} --help failed (${rc})")
  endif()
  string(REPLACE ";" "@SEMI@" text "${text}")
  string(REPLACE "[" "@LB@" text "${text}")
  string(REPLACE "]" "@RB@" text "${text}")
  string(REPLACE "\n" ";" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# `text` escaped for roff, with the placeholders restored.
function(roff out text)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  string(REPLACE "@SEMI@" ";" text "${text}")
  string(REPLACE "@LB@" "[" text "${text}")
  string(REPLACE "@RB@" "]" text "${text}")
  if(text MATCHES "^[.']")
    set(text "\\&${text}")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# The examples of every page from EXAMPLES: sets examples_<page> to its roff text.
function(read_examples)
  file(STRINGS ${EXAMPLES} lines)
  set(page "")
  set(start TRUE)
  foreach(line IN LISTS lines)
    if(line MATCHES "^#")
      continue()
    elseif(line MATCHES "^\\[(.*)\\]$")
      set(page "${CMAKE_MATCH_1}")
      set(start TRUE)
    elseif(line STREQUAL "")
      set(start TRUE)
    elseif(start)
      roff(text "${line}")
      string(APPEND examples_${page} ".TP\n.B ${text}\n")
      set(start FALSE)
    else()
      roff(text "${line}")
      string(APPEND examples_${page} "${text}\n")
    endif()
    set(examples_${page} "${examples_${page}}" PARENT_SCOPE)
  endforeach()
endfunction()

# The sections every page ends with but SEE ALSO.
set(common ".SH EXIT STATUS
.TP
.B 0
All well: the input has no errors (\\fBdiff\\fR: the tickets are the same;
\\fBpreflight\\fR: everything fits).
.TP
.B 1
The input has errors (\\fBdiff\\fR: the tickets differ; \\fBpreflight\\fR: something
does not fit).
.TP
.B 2
Wrong usage, or a file that cannot be read or written.
.SH ENVIRONMENT
.TP
.B SSL2_LOG_LEVEL
The library's messages up to this level go to standard error (or to
\\fBSSL2_LOG_FILE\\fR): 1 severe, 2 warnings, 3 information, 4 trace; default 0, none.
\\fB\\-v\\fR and \\fB\\-q\\fR override it.
.TP
.B SSL2_LOG_FILE
A file that the library's messages are appended to instead of standard error.
.TP
.B TMPDIR
Where temporary files are made (default /tmp).
.SH FILES
.TP
.I ${DATADIR}/ssl2/ticket.schema.json
The JSON Schema of what \\fBshow \\-\\-json\\fR writes and \\fBconvert \\-\\-from\\-json\\fR reads.
.TP
.I ${DATADIR}/ssl2/check.schema.json, diff.schema.json, preflight.schema.json, capas.schema.json
The JSON Schemas of what \\fBcheck\\fR, \\fBdiff\\fR, \\fBpreflight\\fR and \\fBcapas\\fR write with \\fB\\-\\-json\\fR.
.TP
.I latest.num
The numbering file of a queue directory (\\fBqueue\\fR).
")

# Writes the page `name` from the help lines of `args`; sets `subcommands` to the
# names listed under "Subcommands:".
function(write_page name title)
  help_lines(lines ${ARGN})
  string(TOUPPER "${name}" upper)
  set(page ".TH ${upper} 1 \"\" \"ssl2 ${VERSION}\" \"User Commands\"\n.SH NAME\n")
  set(description "")
  set(usage "")
  set(section "")
  set(body "")
  set(found "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^Usage: (.*)$")
      set(usage "${CMAKE_MATCH_1}")
      set(section "usage")
    elseif(line MATCHES "^([A-Z][A-Za-z ]*):$")
      set(section "${CMAKE_MATCH_1}")
      string(TOUPPER "${section}" heading)
      string(APPEND body ".SH ${heading}\n")
    elseif(section STREQUAL "")
      roff(text "${line}")
      string(APPEND description "${text}\n")
    elseif(line MATCHES "^  ([^ ].*[^ ]|[^ ])   +([^ ].*)$")
      # An item and its text on one line.
      roff(item "${CMAKE_MATCH_1}")
      roff(text "${CMAKE_MATCH_2}")
      string(APPEND body ".TP\n\\fB${item}\\fR\n${text}\n")
      if(section STREQUAL "Subcommands")
        string(REGEX REPLACE " .*" "" subcommand "${CMAKE_MATCH_1}")
        list(APPEND found "${subcommand}")
      endif()
    elseif(line MATCHES "^  ([^ ].*)$")
      # An item whose text follows on the next, deeper indented line.
      roff(item "${CMAKE_MATCH_1}")
      string(APPEND body ".TP\n\\fB${item}\\fR\n")
    elseif(line MATCHES "^ +([^ ].*)$")
      roff(text "${CMAKE_MATCH_1}")
      string(APPEND body "${text}\n")
    elseif(NOT line STREQUAL "")
      roff(text "${line}")
      string(APPEND body ".PP\n${text}\n")
    endif()
  endforeach()
  roff(title "${title}")
  roff(usage "${usage}")
  string(REGEX REPLACE "^ssl2-" "" short "${name}")
  if(NOT DEFINED examples_${short})
    message(FATAL_ERROR "${EXAMPLES} has no examples of [${short}]")
  endif()
  string(APPEND page "${name} \\- ${title}\n.SH SYNOPSIS\n${usage}\n.SH DESCRIPTION\n"
         "${description}${body}${common}.SH EXAMPLES\n${examples_${short}}")
  if(NOT name STREQUAL "ssl2")
    string(APPEND page ".SH SEE ALSO\n.BR ssl2 (1)\n")
  endif()
  file(WRITE ${DIR}/${name}.1 "${page}")
  set(subcommands "${found}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${DIR})
file(MAKE_DIRECTORY ${DIR})
read_examples()
write_page(ssl2 "check, show, convert and deliver SSL job tickets")
set(all ${subcommands})
foreach(subcommand IN LISTS all)
  help_lines(lines ${subcommand})
  list(GET lines 0 title)
  string(REGEX REPLACE "\\.$" "" title "${title}")
  write_page(ssl2-${subcommand} "${title}" ${subcommand})
endforeach()
list(TRANSFORM all PREPEND ".BR ssl2\\-")
list(TRANSFORM all APPEND " (1)")
list(JOIN all ",\n" see)
file(APPEND ${DIR}/ssl2.1 ".SH SEE ALSO\n${see}\n")
