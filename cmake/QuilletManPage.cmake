# quillet_install_gzipped(SOURCE DESTINATION [RENAME NAME])
#
# Installs SOURCE compressed with `gzip -9n`, as Debian wants manual pages
# and changelogs: -n leaves the name and time out of the header, so the same
# source always gives the same bytes and the package is reproducible.
function(quillet_install_gzipped source destination)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "RENAME" "")
  get_filename_component(name "${source}" NAME)
  if(arg_RENAME)
    set(name "${arg_RENAME}")
  endif()
  set(output "${CMAKE_CURRENT_BINARY_DIR}/gz/${name}.gz")
  add_custom_command(
    OUTPUT "${output}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_CURRENT_BINARY_DIR}/gz"
    COMMAND sh -c "gzip -9n -c \"$0\" > \"$1\"" "${source}" "${output}"
    DEPENDS "${source}"
    COMMENT "Compressing ${name}"
    VERBATIM)
  string(MAKE_C_IDENTIFIER "gzip_${name}" target)
  add_custom_target(${target} ALL DEPENDS "${output}")
  install(FILES "${output}" DESTINATION "${destination}")
endfunction()

# quillet_install_man_page(SOURCE): SOURCE is a roff page named NAME.SECTION.
function(quillet_install_man_page source)
  get_filename_component(ext "${source}" LAST_EXT)
  string(SUBSTRING "${ext}" 1 1 section)
  quillet_install_gzipped("${source}" "${CMAKE_INSTALL_MANDIR}/man${section}")
endfunction()
