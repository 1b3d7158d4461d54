# newmat comes from Debian's shared libnewmat, so the program and every module
# that newmat objects cross into use one build of it.
find_path(NEWMAT_INCLUDE_DIR newmat.h PATH_SUFFIXES newmat REQUIRED)
find_library(NEWMAT_LIBRARY NAMES newmat REQUIRED)
add_library(newmat SHARED IMPORTED GLOBAL)
set_target_properties(newmat PROPERTIES
  IMPORTED_LOCATION ${NEWMAT_LIBRARY}
  INTERFACE_INCLUDE_DIRECTORIES ${NEWMAT_INCLUDE_DIR}
  INTERFACE_COMPILE_DEFINITIONS "use_namespace")
