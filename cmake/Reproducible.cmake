# SPDX-License-Identifier: GPL-3.0-or-later
# The same commit builds to the same bytes whatever folder it is built in: the
# compiler writes the source and build folders into the debug information and
# into __FILE__, and through them into the build id of the linked binary. Both
# are written as "." instead. The build folder comes last: GCC applies the last
# map that matches and Clang the longest, so a build folder inside the source
# tree maps the same way for both.
#
# The times are the other half: rcc stamps each resource with its file's date,
# the archives each entry. Those follow SOURCE_DATE_EPOCH, which the packaging
# scripts set from the last commit.
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    add_compile_options(
        -ffile-prefix-map=${PROJECT_SOURCE_DIR}=.
        -ffile-prefix-map=${PROJECT_BINARY_DIR}=.)
endif()
