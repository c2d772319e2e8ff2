#!/bin/sh
# The desktop's handler in the shell-open tests: notes what it was given and
# where it ran, in the file the test names.
printf '%s|%s\n' "$1" "$PWD" >"$SHELL_OPEN_RECORD"
