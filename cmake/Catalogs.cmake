# The translations: each po/<tag>.po compiled by msgfmt into <build>/po/<tag>.mo, which the exe
# carries as a CATALOG resource named by its tag and the native tests read from that folder.
find_program(MSGFMT msgfmt REQUIRED)
file(GLOB PO_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/po/*.po)
set(CATALOG_DIR ${CMAKE_BINARY_DIR}/po)
set(CATALOG_FILES)
set(CATALOG_RC "// Generated from po/*.po by cmake/Catalogs.cmake.\n")
foreach(po ${PO_FILES})
  get_filename_component(tag ${po} NAME_WE)
  set(mo ${CATALOG_DIR}/${tag}.mo)
  add_custom_command(OUTPUT ${mo}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CATALOG_DIR}
    COMMAND ${MSGFMT} --check-format --check-header -o ${mo} ${po}
    DEPENDS ${po} VERBATIM)
  list(APPEND CATALOG_FILES ${mo})
  string(TOUPPER ${tag} name)
  string(REPLACE "-" "_" name ${name})
  string(APPEND CATALOG_RC "${name} CATALOG \"${mo}\"\n")
endforeach()
add_custom_target(catalogs DEPENDS ${CATALOG_FILES})
file(GENERATE OUTPUT ${CATALOG_DIR}/catalogs.rc CONTENT "${CATALOG_RC}")
