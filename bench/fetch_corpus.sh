#!/usr/bin/env bash
# Fetches the real corpus the benchmark reads: the Windows DLLs and programs Wine builds as PE files,
# from Debian's libwine package for amd64 and for i386, unpacked into a cache outside the repository.
#
#   bench/fetch_corpus.sh [CACHE_DIR]   (default: ${XDG_CACHE_HOME:-$HOME/.cache}/quorvane-bench)
#
# Running it again reuses what is there. It prints the two directories, x86_64 first:
#   CACHE_DIR/amd64/usr/lib/x86_64-linux-gnu/wine/x86_64-windows
#   CACHE_DIR/i386/usr/lib/i386-linux-gnu/wine/i386-windows
# Fetching the i386 package on an amd64 machine needs the i386 architecture in dpkg; when it is
# missing the script adds it and updates the package lists (as root, or through sudo).
set -euo pipefail

cache=${1:-${XDG_CACHE_HOME:-$HOME/.cache}/quorvane-bench}

log() { echo "$*" >&2; }

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo "$@"
    else
        log "This step needs root or sudo: $*"
        exit 1
    fi
}

windows_dir() {  # windows_dir ARCH -> the directory of Wine's PE files inside that unpacked tree
    case "$1" in
        amd64) echo "$cache/amd64/usr/lib/x86_64-linux-gnu/wine/x86_64-windows" ;;
        i386) echo "$cache/i386/usr/lib/i386-linux-gnu/wine/i386-windows" ;;
    esac
}

ensure_i386_lists() {
    if apt-cache show libwine:i386 >/dev/null 2>&1; then
        return 0
    fi
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        log "Adding the i386 architecture to dpkg (needed to fetch libwine:i386)"
        as_root dpkg --add-architecture i386
    fi
    as_root apt-get update >&2
}

download() {  # download ARCH -> path of the .deb in the cache
    local arch=$1 existing
    existing=$(find "$cache/debs" -maxdepth 1 -name "libwine_*_${arch}.deb" -print -quit)
    if [ -n "$existing" ]; then
        echo "$existing"
        return 0
    fi
    [ "$arch" = i386 ] && ensure_i386_lists
    log "Downloading libwine:$arch"
    (cd "$cache/debs" && apt-get download "libwine:$arch" >&2)
    find "$cache/debs" -maxdepth 1 -name "libwine_*_${arch}.deb" -print -quit
}

unpack() {  # unpack ARCH
    local arch=$1 deb
    if [ -d "$(windows_dir "$arch")" ] && [ -f "$cache/$arch/.unpacked" ]; then
        return 0
    fi
    deb=$(download "$arch")
    [ -n "$deb" ] || { log "apt-get download libwine:$arch gave no package"; exit 1; }
    log "Unpacking $(basename "$deb")"
    rm -rf "$cache/$arch.partial"
    dpkg-deb -x "$deb" "$cache/$arch.partial"
    rm -rf "${cache:?}/$arch"
    mv "$cache/$arch.partial" "$cache/$arch"
    touch "$cache/$arch/.unpacked"
}

if [ "$(dpkg --print-architecture)" != amd64 ]; then
    log "The corpus is fetched on an amd64 machine (this one is $(dpkg --print-architecture))."
    exit 1
fi
mkdir -p "$cache/debs"
for arch in amd64 i386; do
    unpack "$arch"
    [ -d "$(windows_dir "$arch")" ] || { log "No Wine PE directory in libwine:$arch"; exit 1; }
done
windows_dir amd64
windows_dir i386
