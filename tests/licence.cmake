# SPDX-License-Identifier: GPL-3.0-or-later
# Every C++ source of the program, its tests and benchmarks names its licence
# in its first line. Run by CTest with -DROOT=<project folder>.
set(missing "")
foreach(folder src tests bench)
  file(GLOB_RECURSE files "${ROOT}/${folder}/*.cpp" "${ROOT}/${folder}/*.h")
  foreach(file ${files})
    file(STRINGS "${file}" first LIMIT_COUNT 1)
    if(NOT first STREQUAL "// SPDX-License-Identifier: GPL-3.0-or-later")
      list(APPEND missing "${file}")
    endif()
  endforeach()
endforeach()
if(missing)
  list(JOIN missing "\n" text)
  message(FATAL_ERROR "no licence line:\n${text}")
endif()
message(STATUS "licence lines ok")
