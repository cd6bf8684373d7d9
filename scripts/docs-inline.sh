#!/bin/sh
# Doxygen's input filter for the public headers (scripts/docs.sh): writes the header
# with every included table (a .def file) in place, so that the members and classes
# its macros make are seen and documented.  The table's rows go on the line of its
# #include, without their comments, followed by the table's own #undef lines (a
# header that defines the row macro again needs them); the lines after it move down
# by those one to three lines in doxygen's warnings.
exec awk '
/^#include "ssl2\/.*\.def"$/ {
  file = substr($2, 2, length($2) - 2)
  text = ""
  undefs = ""
  while ((getline line < file) > 0)
    if (line ~ /^#undef /) undefs = undefs "\n" line
    else if (line !~ /^[ \t]*(\/\/|#)/) text = text " " line
  close(file)
  print text undefs
  next
}
{ print }' "$1"
