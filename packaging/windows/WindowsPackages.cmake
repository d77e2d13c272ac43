# `ninja windows_packages`: tessel-<version>-win64.zip (the two executables and
# the README and the licence, nothing to install) and tessel-<version>-x64.msi, built with
# msitools' wixl (Debian `wixl`).
find_program(TESSEL_WIXL wixl REQUIRED)
set(TESSEL_EXE $<TARGET_FILE:tessel_window>)
set(TESSEL_COM $<TARGET_FILE:tessel>)
set(files ${TESSEL_EXE} ${TESSEL_COM} ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE)
set(zip ${CMAKE_BINARY_DIR}/tessel-${PROJECT_VERSION}-win64.zip)
set(msi ${CMAKE_BINARY_DIR}/tessel-${PROJECT_VERSION}-x64.msi)
set(stage ${CMAKE_CURRENT_BINARY_DIR}/zip/Tessel)
# wixl takes the files by paths relative to where it runs.
set(msi_stage ${CMAKE_CURRENT_BINARY_DIR}/msi)
configure_file(windows/tessel.wxs.in ${msi_stage}/tessel.wxs @ONLY)

add_custom_command(OUTPUT ${zip}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage} ${zip}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}
  COMMAND ${CMAKE_COMMAND} -E copy ${files} ${stage}
  COMMAND ${CMAKE_COMMAND} -E chdir ${CMAKE_CURRENT_BINARY_DIR}/zip ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip Tessel
  DEPENDS tessel tessel_window ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE
  COMMENT "Packing ${zip}")
add_custom_command(OUTPUT ${msi}
  COMMAND ${CMAKE_COMMAND} -E copy ${files} ${PROJECT_SOURCE_DIR}/resources/icons/tessel.ico ${msi_stage}
  COMMAND ${TESSEL_WIXL} --arch x64 -o ${msi} tessel.wxs
  WORKING_DIRECTORY ${msi_stage}
  DEPENDS tessel tessel_window ${msi_stage}/tessel.wxs ${PROJECT_SOURCE_DIR}/README.md
          ${PROJECT_SOURCE_DIR}/resources/icons/tessel.ico
  COMMENT "Building ${msi}")
add_custom_target(windows_packages ALL DEPENDS ${zip} ${msi})
