# Builds a stored design into a program: reads FILE at configure time and
# writes it through TEMPLATE (which names @VARIABLE@) into OUTPUT. Changing
# the design reconfigures, so the program never carries a stale copy.
function(quill_embed_design FILE VARIABLE TEMPLATE OUTPUT)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${FILE})
  file(READ ${FILE} ${VARIABLE})
  configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
endfunction()
