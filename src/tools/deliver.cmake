# SPDX-License-Identifier: GPL-3.0-or-later
# Puts a delivered database into the program directory when none is there.
# A user's existing database is never replaced.
if(NOT EXISTS "${DB}")
  execute_process(COMMAND "${ADMIN}" initdb "${DB}" RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "could not write ${DB}")
  endif()
endif()
