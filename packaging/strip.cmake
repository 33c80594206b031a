# Run by CPack on the staged tree: strip the two programs as Debian's own
# tools do, dropping the compiler's .comment notes as well as the symbols.
file(GLOB programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin/*")
foreach(program IN LISTS programs)
  execute_process(
    COMMAND strip --strip-unneeded --remove-section=.comment --remove-section=.note ${program}
    COMMAND_ERROR_IS_FATAL ANY)
endforeach()
