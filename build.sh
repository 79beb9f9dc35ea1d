#!/usr/bin/env bash
# Sets up a Debian 12 machine for Quorvane, builds it, and then:
#   ./build.sh run        starts the window
#   ./build.sh test       runs every test (headless)
#   ./build.sh sanitize   builds in build-sanitize with AddressSanitizer + UBSan and runs every test
#   ./build.sh bench      builds the benchmarks (see bench/README.md)
#   ./build.sh package    builds the Debian packages in build-package: quorvane, libquorvane1,
#                         libquorvane-dev and python3-quorvane (_<version>_amd64.deb)
#   ./build.sh windows    cross-builds for 32-bit Windows (MinGW-w64) in build-windows, and the
#                         download build-windows/quorvane-<version>-windows-i686.zip
#   ./build.sh test-windows  builds for Windows and runs those tests under Wine (headless): the
#                         32-bit build, or where the kernel runs no 32-bit programs, the same
#                         sources built for 64-bit Windows in build-windows64 under 64-bit Wine
set -euo pipefail
cd "$(dirname "$0")"

# The Debian packages a build needs, one a line in a list file ("#" starts a comment); CI installs
# the same lists. .ci/packages: the Linux build; .ci/packages-windows: the cross-build and Wine;
# .ci/packages-windows64: the 64-bit cross-build and Wine, for a kernel without 32-bit programs.
read_packages() {  # read_packages FILE -> PACKAGES
    local list
    list=$(sed -e 's/#.*//' -e 's/[[:space:]]//g' -e '/^$/d' "$1")
    mapfile -t PACKAGES <<<"$list"
}

as_root() {  # as_root COMMAND...
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    else
        command -v sudo >/dev/null || { echo "'$*' needs root or sudo." >&2; exit 1; }
        sudo "$@"
    fi
}

install_missing_packages() {  # install_missing_packages [LIST_FILE], .ci/packages by default
    read_packages "${1:-.ci/packages}"
    local missing=()
    for package in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    ((${#missing[@]} == 0)) && return 0
    echo "Installing: ${missing[*]}"
    as_root apt-get update
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
}

install_windows_packages() {  # wine32 is an i386 package
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        as_root dpkg --add-architecture i386
    fi
    install_missing_packages .ci/packages-windows
}

build_windows() {  # build_windows DIR TOOLCHAIN
    # The toolchain is given to the first configure only: CMake keeps it in the cache, and names
    # it as unused when it is given again.
    local toolchain=()
    [ -f "$1/CMakeCache.txt" ] || toolchain=(-DCMAKE_TOOLCHAIN_FILE="$2")
    configure "$1" "${toolchain[@]}" -DQUORVANE_WERROR=ON
    cmake --build "$1"
}

runs_32_bit_programs() {  # Wine's 32-bit loader fails with "Exec format error" on such a kernel
    wine --version >/dev/null 2>&1
}

test_windows() {  # test_windows DIR: the build's tests under Wine, with a virtual display
    # A Wine server left running without a display (by a program run by hand) goes first: the
    # tests' windows need one started on the virtual display (with the old one, controls sent no
    # notifications). After the run the build's Wine server is let go.
    local status=0
    WINEPREFIX="$PWD/$1/wine-prefix" wineserver -k 2>/dev/null || true
    xvfb-run -a ctest --test-dir "$1" --output-on-failure -j "$(nproc)" || status=$?
    WINEPREFIX="$PWD/$1/wine-prefix" wineserver -k 2>/dev/null || true
    return "$status"
}

has_display() {
    [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]
}

configure() {  # configure DIR [cmake options...]
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja "$@"
}

run_tests() {  # run_tests DIR
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$1" --output-on-failure -j "$(nproc)"
}

case "${1:-}" in
    run)
        install_missing_packages
        configure build
        cmake --build build --target Quorvane
        if has_display; then
            exec ./build/app/Quorvane
        fi
        # No display (a server, a container): the window opens on a virtual one.
        dpkg-query -W -f='${Status}' xvfb 2>/dev/null | grep -q "install ok installed" ||
            { as_root apt-get update && as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends xvfb xauth; }
        echo "No display (DISPLAY and WAYLAND_DISPLAY are not set): starting the window on a virtual display with 'xvfb-run -a ./build/app/Quorvane'."
        exec xvfb-run -a ./build/app/Quorvane
        ;;
    test)
        install_missing_packages
        # The benchmarks are built too (not run), so they keep compiling.
        configure build -DQUORVANE_BUILD_BENCH=ON
        cmake --build build
        run_tests build
        ;;
    sanitize)
        install_missing_packages
        configure build-sanitize -DCMAKE_BUILD_TYPE=Debug -DQUORVANE_SANITIZE=ON -DQUORVANE_WERROR=ON
        cmake --build build-sanitize
        ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp" \
            UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 run_tests build-sanitize
        ;;
    bench)
        install_missing_packages
        configure build-bench -DCMAKE_BUILD_TYPE=Release -DQUORVANE_BUILD_BENCH=ON
        cmake --build build-bench --target quorvane_bench
        ;;
    package)
        install_missing_packages
        configure build-package -DCMAKE_BUILD_TYPE=Release -DQUORVANE_BUILD_TESTS=OFF
        cmake --build build-package
        (cd build-package && cpack -G DEB)
        ;;
    windows)
        install_windows_packages
        build_windows build-windows cmake/mingw-i686.cmake
        echo "windows: the download is $(ls build-windows/quorvane-*-windows-i686.zip)"
        ;;
    test-windows)
        install_windows_packages
        if runs_32_bit_programs; then
            build_windows build-windows cmake/mingw-i686.cmake
            test_windows build-windows
        else
            echo "test-windows: this machine runs no 32-bit programs ('wine --version' fails):" \
                "the Windows suite runs on the same sources built for 64-bit Windows," \
                "in build-windows64 under 64-bit Wine."
            install_missing_packages .ci/packages-windows64
            build_windows build-windows64 cmake/mingw-x86_64.cmake
            test_windows build-windows64
        fi
        ;;
    *)
        sed -n '2,12p' "$0" | sed 's/^# \{0,1\}//' >&2
        exit 2
        ;;
esac
