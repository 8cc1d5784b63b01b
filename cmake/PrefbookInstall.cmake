# The CMake package (find_package(Prefbook)), the pkg-config file and the Debian packages.
# Every installed file belongs to one component, and a component is one Debian package:
#   runtime  libprefbook<major>       libprefbook.so.<major> (public interface and prefbookctl's)
#   host     libprefbook-host<major>  libprefbook-host.so.<major>
#   dev      libprefbook-dev          headers, the .so links, CMake and pkg-config files
#   tool     prefbookctl              the tool, its man page, bash completion and JSON shapes

include(CMakePackageConfigHelpers)
set(cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/Prefbook)
configure_package_config_file(cmake/PrefbookConfig.cmake.in ${PROJECT_BINARY_DIR}/PrefbookConfig.cmake
  INSTALL_DESTINATION ${cmake_dir})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/PrefbookConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(EXPORT PrefbookTargets NAMESPACE Prefbook:: DESTINATION ${cmake_dir} COMPONENT dev)
install(FILES ${PROJECT_BINARY_DIR}/PrefbookConfig.cmake ${PROJECT_BINARY_DIR}/PrefbookConfigVersion.cmake
  DESTINATION ${cmake_dir} COMPONENT dev)

# pkg-config, for builds that do not use CMake. Its paths are relative to the file itself, so a moved
# prefix keeps working. Outside the system's library folders a program linked through it records where
# the libraries are, as a program linked through the CMake package does.
file(RELATIVE_PATH PREFBOOK_PC_TO_PREFIX "${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig" "${CMAKE_INSTALL_PREFIX}")
string(REGEX REPLACE "/$" "" PREFBOOK_PC_TO_PREFIX "${PREFBOOK_PC_TO_PREFIX}")
file(RELATIVE_PATH PREFBOOK_PC_LIBDIR "${CMAKE_INSTALL_PREFIX}" "${CMAKE_INSTALL_FULL_LIBDIR}")
file(RELATIVE_PATH PREFBOOK_PC_INCLUDEDIR "${CMAKE_INSTALL_PREFIX}" "${CMAKE_INSTALL_FULL_INCLUDEDIR}")
set(PREFBOOK_PC_RUNPATH "")
if(PREFBOOK_LIB_RUNPATH)
  set(PREFBOOK_PC_RUNPATH " -Wl,-rpath,\${libdir}")
endif()
configure_file(cmake/prefbook.pc.in ${PROJECT_BINARY_DIR}/prefbook.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/prefbook.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT dev)

# Debian packages (scripts/package).
set(deb_runtime libprefbook${PROJECT_VERSION_MAJOR})
set(deb_host libprefbook-host${PROJECT_VERSION_MAJOR})
set(deb_dev libprefbook-dev)
set(deb_tool prefbookctl)

# Each package carries the copyright file and the changelog in its documentation folder. A plain
# install leaves them out (EXCLUDE_FROM_ALL); the package build installs per component.
set(changelog_gz ${PROJECT_BINARY_DIR}/debian/changelog.gz)
prefbook_gzip_file(prefbook_debian_changelog ${PROJECT_SOURCE_DIR}/cmake/debian/changelog ${changelog_gz})
foreach(component runtime host dev tool)
  install(FILES ${PROJECT_SOURCE_DIR}/cmake/debian/copyright ${changelog_gz}
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${deb_${component}} COMPONENT ${component} EXCLUDE_FROM_ALL)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL runtime host dev tool)
set(CPACK_PACKAGE_NAME prefbook)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "prefbook maintainers <maintainers@users.noreply.c-seed-3a4a0b74.example>")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SOURCE prefbook)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${PROJECT_BINARY_DIR}/src)
# The public interface stays compatible within a major version.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(exact "(= ${PROJECT_VERSION})")
set(at_least "(>= ${PROJECT_VERSION})")

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME ${deb_runtime})
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
# The loader's cache learns the new libraries at install (scripts/package drops the ldconfig calls
# that CPack writes besides).
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/cmake/debian/triggers)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_DEPENDS "${deb_host} ${at_least}")
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION "settings and device profile stores of a gaming-peripheral suite
prefbook keeps the application settings of a desktop suite for gaming
peripherals in three INI files and one profile store per device model, each
persisted as a crash-safe, rotated document.
.
This package holds the shared library the suite loads.")

set(CPACK_DEBIAN_HOST_PACKAGE_NAME ${deb_host})
set(CPACK_DEBIAN_HOST_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_HOST_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/cmake/debian/triggers)
set(CPACK_DEBIAN_HOST_DESCRIPTION "host services of the prefbook settings and profile library
The default directories, log and artwork image converter that the prefbook
library asks its host for, as a shared library of their own so that a suite
can install its own in their place.")

set(CPACK_DEBIAN_DEV_PACKAGE_NAME ${deb_dev})
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "${deb_runtime} ${exact}, ${deb_host} ${exact}, qtbase5-dev")
set(CPACK_DEBIAN_DEV_DESCRIPTION "development files of the prefbook settings and profile library
The public headers of prefbook (the Prefbook settings class, the profile
store interfaces and their records, the host-service interfaces), the
library links, a CMake package (find_package(Prefbook), target
Prefbook::prefbook) and a pkg-config file (prefbook).")

# prefbookctl uses the library's private version, which changes with every release.
set(CPACK_DEBIAN_TOOL_PACKAGE_NAME ${deb_tool})
set(CPACK_DEBIAN_TOOL_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_TOOL_PACKAGE_DEPENDS "${deb_runtime} ${exact}, ${deb_host} ${at_least}")
set(CPACK_DEBIAN_TOOL_DESCRIPTION "inspect and repair prefbook settings and profile folders
prefbookctl shows, checks and edits the settings files and device profile
folders of the prefbook library through the library's own readers, writers
and store operations: an overview, each store's profiles, what a load does
with every file of a folder, the differences between the two newest
documents, undoing the last save, export and import.")

include(CPack)
