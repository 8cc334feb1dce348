# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the packaging scripts, after scripts/deps.sh, so that the same
# commit packs to the same bytes and anyone can check a download against the
# sums printed beside it.

# zelva_reproducible_env: the builder's settings that would reach the packages.
# Every date written into a build (rcc's resource dates, the archives' entry
# and member dates) becomes the last commit's, unless the caller already chose
# one, as Debian's tools do. Archive members take the permissions of the files
# they are made from, so those are created the way Debian expects whatever the
# builder's umask.
zelva_reproducible_env() {
    if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
        zelva_ensure_packages git
        SOURCE_DATE_EPOCH=$(git log -1 --format=%ct) || {
            echo "No commit date from git: set SOURCE_DATE_EPOCH to the release's date." >&2
            return 1
        }
    fi
    export SOURCE_DATE_EPOCH
    umask 0022
}

# zelva_write_sums DIR FILE...: DIR/SHA256SUMS lists the FILEs (names inside
# DIR), for `sha256sum -c SHA256SUMS` in that folder.
zelva_write_sums() {
    local dir=$1
    shift
    (cd "$dir" && sha256sum -- "$@" >SHA256SUMS)
}
