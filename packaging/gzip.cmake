# SPDX-License-Identifier: GPL-3.0-or-later
# Compresses IN into OUT the way Debian wants shipped documentation: best
# compression and no name or time stamp in the header, so the bytes depend on
# the content alone.
execute_process(COMMAND "${GZIP}" -9 -n -c "${IN}" OUTPUT_FILE "${OUT}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  file(REMOVE "${OUT}")
  message(FATAL_ERROR "gzip could not compress ${IN}")
endif()
