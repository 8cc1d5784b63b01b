# prefbook_gzip_file(TARGET SOURCE OUTPUT): OUTPUT is SOURCE compressed as Debian ships documentation
# (gzip -9n: best compression, no name or time stamp, so the result is reproducible), made by TARGET.
find_program(GZIP_PROGRAM gzip REQUIRED)
function(prefbook_gzip_file target source output)
  get_filename_component(dir ${output} DIRECTORY)
  get_filename_component(name ${output} NAME_WLE)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${dir}/${name}
    COMMAND ${GZIP_PROGRAM} -9nf ${dir}/${name}
    DEPENDS ${source} VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${output})
endfunction()
