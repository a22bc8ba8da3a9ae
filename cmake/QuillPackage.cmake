# What `cmake --install` puts under the prefix: the core as libquill.a, the
# API's headers (include/quill) and the core's own (include/quill/core, for
# programs that reach the framework classes), the quill program, the docs,
# a CMake package (find_package(Quill) gives Quill::quill) and quill.pc.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(QUILL_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Quill)
set(QUILL_CORE_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/quill/core)

set_target_properties(quillcore PROPERTIES OUTPUT_NAME quill EXPORT_NAME quill)
target_compile_features(quillcore PUBLIC cxx_std_20)
target_include_directories(quillcore INTERFACE
  $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}> $<INSTALL_INTERFACE:${QUILL_CORE_INCLUDEDIR}>)
install(TARGETS quillcore quill_json EXPORT QuillTargets ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(TARGETS quill RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(DIRECTORY include/quill DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} FILES_MATCHING PATTERN "*.h")
foreach(layer framework page markup layout controls platform)
  file(GLOB headers CONFIGURE_DEPENDS src/${layer}/*.h)
  install(FILES ${headers} DESTINATION ${QUILL_CORE_INCLUDEDIR}/${layer})
endforeach()

install(FILES docs/embedding.md docs/form-design.md docs/form-design.schema.json DESTINATION ${CMAKE_INSTALL_DOCDIR})

install(EXPORT QuillTargets NAMESPACE Quill:: DESTINATION ${QUILL_CMAKE_DIR})
configure_package_config_file(cmake/QuillConfig.cmake.in ${CMAKE_BINARY_DIR}/QuillConfig.cmake
                              INSTALL_DESTINATION ${QUILL_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/QuillConfigVersion.cmake COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_BINARY_DIR}/QuillConfig.cmake ${CMAKE_BINARY_DIR}/QuillConfigVersion.cmake
        DESTINATION ${QUILL_CMAKE_DIR})

# The prefix is found from the file's own place, so any install prefix works.
file(RELATIVE_PATH QUILL_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
string(REGEX REPLACE "/$" "" QUILL_PC_TO_PREFIX ${QUILL_PC_TO_PREFIX})
configure_file(cmake/quill.pc.in ${CMAKE_BINARY_DIR}/quill.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/quill.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
