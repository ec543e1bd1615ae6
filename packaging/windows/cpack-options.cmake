# Per package: the zip unpacks into one folder of its own; the installer
# has its own folder already.
if(CPACK_GENERATOR STREQUAL "ZIP")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
endif()
