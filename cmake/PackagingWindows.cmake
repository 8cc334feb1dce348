# SPDX-License-Identifier: GPL-3.0-or-later
# Windows packages of the one self-contained exe: an NSIS installer (Start-menu
# entry, uninstaller; its pages speak the system's language, Italian on an
# Italian Windows) and a portable zip. Included from the packaging settings.
set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_FILE_NAME zelvamirontica-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Zelvamirontica)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_PACKAGE_NAME Zelvamirontica)
set(CPACK_NSIS_DISPLAY_NAME Zelvamirontica)
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/ui/resources/zelvamirontica.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/ui/resources/zelvamirontica.ico)
set(CPACK_NSIS_INSTALLED_ICON_NAME zelvamirontica.exe)
set(CPACK_NSIS_URL_INFO_ABOUT https://zelvamirontica.org/)
# The exe sits at the top of the install folder; one Start-menu entry opens it.
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_PACKAGE_EXECUTABLES zelvamirontica Zelvamirontica)
# A second installation replaces the first instead of piling up beside it.
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# A 64-bit installer for a 64-bit program: it runs wherever the program can,
# and needs no 32-bit layer (Wine without its 32-bit part runs it too).
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
