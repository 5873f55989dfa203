# Installs one fused program: the bare executable, stripped when the install
# strips (cmake --install --strip), followed by its archive. The archive is
# appended after stripping, since strip would drop whatever follows the
# executable's own sections.
# In: BARE (the bare executable), ARCHIVE (its zip), FUSE (the fuse tool),
# DEST (the installed program's full path, DESTDIR not included), STRIP.
set(dest "$ENV{DESTDIR}${DEST}")
get_filename_component(folder "${dest}" DIRECTORY)
file(MAKE_DIRECTORY "${folder}")
set(program "${BARE}")
if(CMAKE_INSTALL_DO_STRIP AND STRIP)
  set(program "${dest}.bare")
  file(COPY_FILE "${BARE}" "${program}")
  execute_process(COMMAND "${STRIP}" "${program}" RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "cannot strip ${BARE}")
  endif()
endif()
message(STATUS "Installing: ${dest}")
execute_process(COMMAND "${FUSE}" "${dest}" "${program}" "${ARCHIVE}" RESULT_VARIABLE failed)
if(NOT program STREQUAL BARE)
  file(REMOVE "${program}")
endif()
if(failed)
  message(FATAL_ERROR "cannot install ${dest}")
endif()
