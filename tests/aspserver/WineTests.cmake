# The cross build, then the Wine steps in order on one fresh prefix:
# prefix, register, test host, unregister, cleanup.
find_program(QUILL_WINE wine)
find_program(QUILL_MINGW_CXX x86_64-w64-mingw32-g++-posix)
if(NOT QUILL_WINE OR NOT QUILL_MINGW_CXX)
  message(WARNING "Wine or MinGW-w64 is missing (scripts/setup.sh --tests installs them): the COM server is not tested")
  return()
endif()

set(QUILL_WINE_STEPS ${CMAKE_CURRENT_LIST_DIR}/wine-tests.sh)
add_test(NAME AspServer.CrossBuild COMMAND ${CMAKE_SOURCE_DIR}/scripts/build-win.sh QuillAsp QuillAspTest quillasp_host)
add_test(NAME AspServer.WinePrefix COMMAND ${QUILL_WINE_STEPS} prefix)
add_test(NAME AspServer.Register COMMAND ${QUILL_WINE_STEPS} register)
add_test(NAME AspServer.TestHost COMMAND ${QUILL_WINE_STEPS} host)
add_test(NAME AspServer.Unregister COMMAND ${QUILL_WINE_STEPS} unregister)
add_test(NAME AspServer.WineCleanup COMMAND ${QUILL_WINE_STEPS} cleanup)

set_tests_properties(AspServer.CrossBuild PROPERTIES FIXTURES_SETUP QuillAspBuilt TIMEOUT 1500)
set_tests_properties(AspServer.WinePrefix PROPERTIES FIXTURES_SETUP QuillAspWine FIXTURES_REQUIRED QuillAspBuilt)
set_tests_properties(AspServer.WineCleanup PROPERTIES FIXTURES_CLEANUP QuillAspWine)
set_tests_properties(AspServer.Register PROPERTIES FIXTURES_SETUP QuillAspRegistered FIXTURES_REQUIRED QuillAspWine)
set_tests_properties(AspServer.TestHost PROPERTIES FIXTURES_REQUIRED "QuillAspWine;QuillAspRegistered")
set_tests_properties(AspServer.Unregister PROPERTIES FIXTURES_CLEANUP QuillAspRegistered FIXTURES_REQUIRED QuillAspWine)
set_tests_properties(AspServer.WinePrefix AspServer.Register AspServer.TestHost AspServer.Unregister
  AspServer.WineCleanup PROPERTIES TIMEOUT 120 RESOURCE_LOCK QuillAspWinePrefix)
