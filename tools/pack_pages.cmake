# The teacher's tool's archive: the game's archive (its fonts measure and draw
# the quiz) with the workshop's pages added under pages/, stored as they are.
# Run as: cmake -DBASE=grelinor.zip -DPAGES=atelier/pages -DOUT=pivolette.zip -DSTAGE=dir -P pack_pages.cmake
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE})
file(COPY_FILE ${BASE} ${STAGE}/archive.zip)
file(GLOB_RECURSE pages RELATIVE ${PAGES} ${PAGES}/*)
if(pages)
  file(COPY ${PAGES}/ DESTINATION ${STAGE}/pages)
  execute_process(COMMAND find pages -exec touch -d 2026-01-01 {} + WORKING_DIRECTORY ${STAGE})
  execute_process(COMMAND zip -q -X -r archive.zip pages WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "Could not add the workshop's pages to ${OUT}")
  endif()
endif()
file(RENAME ${STAGE}/archive.zip ${OUT})
