# Sources of the skin art library, relative to this folder; shared by
# tools/skinart/CMakeLists.txt and the host build of tools/host.
set(SKINART_LIB_SOURCES
  raster.cpp
  plate.cpp
  frame.cpp
  buttons.cpp
  boxes.cpp
  ranges.cpp
  menus.cpp
  art.cpp
  preview.cpp
)
