# Writes the window layout with a packed skin in SkinData1's SkinStream:
# the line of SOURCE that carries the @DEFAULT_SKIN@ marker gets, as its
# hex block, the skin's length (4 bytes, little-endian) and its bytes.
#
#   cmake -DSOURCE=send.layout -DSKIN=default.skn -DOUTPUT=form1.layout -P embed_skin.cmake
#
# With -DSKIN_OFF=ON SkinData1 is written inactive: the unskinned window
# the start-up benchmark compares.
file(READ ${SOURCE} layout)
if(SKIN_OFF)
  string(REPLACE "TSkinData SkinData1 {\n        Active: True" "TSkinData SkinData1 {\n        Active: False"
    switched "${layout}")
  if(switched STREQUAL layout)
    message(FATAL_ERROR "${SOURCE}: SkinData1 does not start with Active: True")
  endif()
  set(layout "${switched}")
endif()
string(REGEX MATCH "SkinStream: hex {[^}\n]*}[^\n]*@DEFAULT_SKIN@[^\n]*" marker "${layout}")
if(NOT marker)
  message(FATAL_ERROR "${SOURCE}: no SkinStream line marked @DEFAULT_SKIN@")
endif()

file(SIZE ${SKIN} size)
set(length "")
foreach(shift 0 8 16 24)
  math(EXPR byte "(${size} >> ${shift}) & 255" OUTPUT_FORMAT HEXADECIMAL)
  string(SUBSTRING "${byte}" 2 -1 digits)
  string(LENGTH "${digits}" n)
  if(n EQUAL 1)
    set(digits "0${digits}")
  endif()
  string(APPEND length "${digits}")
endforeach()

file(READ ${SKIN} bytes HEX)
# 48 bytes a line under the property.
string(REPEAT "[0-9a-f]" 96 line)
string(REGEX REPLACE "(${line})" "\\1\n            " bytes "${bytes}")
string(STRIP "${bytes}" bytes)
string(REPLACE "${marker}"
  "SkinStream: hex {  # the packed default skin: its length, then its bytes\n            ${length}\n            ${bytes}\n        }"
  layout "${layout}")
file(WRITE ${OUTPUT}.tmp "${layout}")
file(RENAME ${OUTPUT}.tmp ${OUTPUT})
