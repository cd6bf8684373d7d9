#!/bin/sh
# Lines of test code against lines of code, as the project counts them: code is every
# tracked C++ source and header and every grammar and scanner source; test code is every
# *_test.cpp and every C++ file under a tests/ folder. The budget is a third at most.
set -eu
git ls-files '*.cpp' '*.h' '*.l' '*.y' '*.re' | while read -r f; do
  case $f in
    *_test.cpp | tests/* | */tests/*) echo "test $(wc -l <"$f")" ;;
    *) echo "code $(wc -l <"$f")" ;;
  esac
done | awk '{n[$1] += $2}
  END {printf "test %d, code %d: tests are %.1f%% of code (budget 33%%)\n",
       n["test"], n["code"], 100 * n["test"] / n["code"]}'
