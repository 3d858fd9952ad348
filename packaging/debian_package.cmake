# The Debian package of what the rules above install: its description, its dependencies
# (the libraries the programs link, and the fonts the window shows) and its file name,
# capcalc_VERSION_ARCHITECTURE.deb in build/packages.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME capcalc)
set(CPACK_PACKAGE_CONTACT ${CAPCALC_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "capacitor bank calculator for substation engineers")
set(CPACK_PACKAGE_DESCRIPTION [[
From nameplate and system values it computes the operating parameters of a
shunt capacitor bank: rated current, reactances, output, tuning frequency,
the reactive power that corrects a power factor and the secondary currents of
its overcurrent and differential protections. It also computes the settings
of the bank's four unbalance protections (open-delta voltage, voltage
differential, neutral-line unbalanced current, bridge differential current),
for capacitors without fuses, with external fuses and with internal fuses.
The window, in Chinese, has one page for each calculation; a headless driver,
capcalc-script, runs the same calculations from a script.]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/packages)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${CAPCALC_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-arphic-uming, fonts-arphic-ukai")
set(CPACK_CAPCALC_BINARY_LIST ${CMAKE_CURRENT_BINARY_DIR}/packaged_binaries.txt)
file(GENERATE OUTPUT ${CPACK_CAPCALC_BINARY_LIST}
     CONTENT "$<TARGET_FILE:capcalc>\n$<TARGET_FILE:capcalc-script>\n$<TARGET_FILE:SkinEngine>\n")
set(CPACK_CAPCALC_SHLIBDEPS_FOLDER ${CMAKE_CURRENT_BINARY_DIR}/shlibdeps)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_SOURCE_DIR}/package_depends.cmake)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
