# The regression library Ostrimo.so: exports, dialogs and progress window over
# the headless engine. Its button icons are embedded as :/regression/<id>.
if(NOT TARGET regression_engine)
  message(STATUS "Ostrimo.so waits for the regression engine")
  return()
endif()
file(GLOB ostrimo_srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp ${CMAKE_CURRENT_LIST_DIR}/*.h)
tarsolin_module(Ostrimo ${ostrimo_srcs})
target_include_directories(Ostrimo PRIVATE ${PROJECT_SOURCE_DIR})
# The static libraries stay private to the module.
target_link_options(Ostrimo PRIVATE -Wl,--exclude-libs,ALL)
target_link_libraries(Ostrimo PRIVATE regression_engine controls model platform newmat Qt6::Widgets)
set(ostrimo_icones ${PROJECT_SOURCE_DIR}/resources/regression/171.xpm ${PROJECT_SOURCE_DIR}/resources/regression/179.xpm)
set_source_files_properties(${PROJECT_SOURCE_DIR}/resources/regression/171.xpm PROPERTIES QT_RESOURCE_ALIAS 171)
set_source_files_properties(${PROJECT_SOURCE_DIR}/resources/regression/179.xpm PROPERTIES QT_RESOURCE_ALIAS 179)
qt_add_resources(Ostrimo ostrimo_icones PREFIX /regression FILES ${ostrimo_icones})
