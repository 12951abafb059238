# `cmake --install build --prefix <P>`: the program folder in <P>/lib/velmorandia, the command
# <P>/bin/velmorandia (a link to the executable, which finds its folder through the link's
# target), the desktop entry, the certificates file type and the icon.
set(VLM_INSTALL_PROGRAM_DIR lib/velmorandia)
set(vlm_desktop_dir ${CMAKE_SOURCE_DIR}/resources/desktop)
set(vlm_installation_dir ${CMAKE_BINARY_DIR}/installation)

# Running the program from the build's program folder resets the flags of its required-files
# list; the installation ships factory files written for it alone.
file(GLOB vlm_factory_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/factory/*.txt)
add_custom_command(
  OUTPUT ${vlm_installation_dir}/ustawienia.sqset ${vlm_installation_dir}/pliki_kat.sqset
  COMMAND vlm_factory ${CMAKE_SOURCE_DIR}/resources/factory ${vlm_installation_dir}
  DEPENDS vlm_factory ${vlm_factory_sources}
  COMMENT "Writing the factory files of the installation"
  VERBATIM)
add_custom_target(vlm_installation_files ALL
  DEPENDS ${vlm_installation_dir}/ustawienia.sqset ${vlm_installation_dir}/pliki_kat.sqset)

# A relative link, so the installed tree works under any prefix and after DESTDIR staging.
file(RELATIVE_PATH vlm_command_target /prefix/bin /prefix/${VLM_INSTALL_PROGRAM_DIR}/velmorandia)
file(MAKE_DIRECTORY ${vlm_installation_dir}/bin)
file(CREATE_LINK ${vlm_command_target} ${vlm_installation_dir}/bin/velmorandia SYMBOLIC)

install(TARGETS velmorandia RUNTIME DESTINATION ${VLM_INSTALL_PROGRAM_DIR})
install(FILES
    ${vlm_installation_dir}/ustawienia.sqset
    ${VLM_PROGRAM_DIR}/vlm_kalibracja.sqset
    ${VLM_PROGRAM_DIR}/Dovivureze.html
  DESTINATION ${VLM_INSTALL_PROGRAM_DIR})
install(DIRECTORY ${VLM_PROGRAM_DIR}/blanki ${VLM_PROGRAM_DIR}/grafika
  DESTINATION ${VLM_INSTALL_PROGRAM_DIR})
# Every installation writes the list anew, flags set, even over an identical one: that is
# how a user's first start after it knows to replace the flagged files.
install(CODE "file(REMOVE \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${VLM_INSTALL_PROGRAM_DIR}/pliki_kat.sqset\")")
install(FILES ${vlm_installation_dir}/pliki_kat.sqset DESTINATION ${VLM_INSTALL_PROGRAM_DIR})
install(FILES ${vlm_installation_dir}/bin/velmorandia DESTINATION bin)

install(FILES ${vlm_desktop_dir}/velmorandia.desktop DESTINATION share/applications)
install(FILES ${vlm_desktop_dir}/velmorandia.xml DESTINATION share/mime/packages)
install(FILES ${vlm_desktop_dir}/velmorandia.svg DESTINATION share/icons/hicolor/scalable/apps)

# A direct installation (no DESTDIR staging for a package) refreshes the desktop's caches,
# so that the menu entry and the file type work at once. The icon needs no cache: a stale
# one in a user's folder would hide icons installed later.
install(CODE [[
  if(NOT DEFINED ENV{DESTDIR} OR "$ENV{DESTDIR}" STREQUAL "")
    set(share "${CMAKE_INSTALL_PREFIX}/share")
    foreach(step
        "update-mime-database;${share}/mime"
        "update-desktop-database;-q;${share}/applications")
      list(GET step 0 tool)
      find_program(tool_path ${tool} NO_CACHE)
      if(tool_path)
        execute_process(COMMAND ${step} RESULT_VARIABLE ignored OUTPUT_QUIET ERROR_QUIET)
      endif()
    endforeach()
  endif()
]])
