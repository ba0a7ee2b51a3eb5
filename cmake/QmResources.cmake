# qm_add_common_resources(<target> NAME <file name> DESCRIPTION <text> [RC <script>] [DEPENDS ...])
# Gives a Windows program the manifest (common controls 6, asInvoker), the icon group
# "AA" and the version resource; does nothing in the native configuration. A program's
# own resource script (RC) is compiled within the same script: windres numbers the
# images of icon groups per script, so two scripts with icons would clash at link time.
set(QM_COMMON_RES_DIR ${PROJECT_SOURCE_DIR}/resources/common)

function(qm_add_common_resources tgt)
  cmake_parse_arguments(A "" "NAME;DESCRIPTION;RC" "DEPENDS" ${ARGN})
  if(NOT WIN32)
    return()
  endif()
  set(QM_RES_DIR ${QM_COMMON_RES_DIR})
  set(QM_RES_NAME ${A_NAME})
  set(QM_RES_DESCRIPTION ${A_DESCRIPTION})
  set(QM_RES_OWN "")
  set(own "")
  if(A_RC)
    get_filename_component(own ${A_RC} ABSOLUTE)
    set(QM_RES_OWN "#include \"${own}\"")
    get_filename_component(own_dir ${own} DIRECTORY)
    target_include_directories(${tgt} PRIVATE ${own_dir})
  endif()
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${tgt}_common.rc)
  configure_file(${QM_COMMON_RES_DIR}/common.rc.in ${rc} @ONLY)
  target_sources(${tgt} PRIVATE ${rc})
  set_property(SOURCE ${rc} APPEND PROPERTY OBJECT_DEPENDS
    ${QM_COMMON_RES_DIR}/app.manifest ${QM_COMMON_RES_DIR}/quillmark.ico ${QM_COMMON_RES_DIR}/version.h
    ${own} ${A_DEPENDS})
  target_include_directories(${tgt} PRIVATE ${QM_COMMON_RES_DIR})
endfunction()
