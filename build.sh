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
#   ./build.sh test-windows  builds for Windows and runs those tests under Wine (headless)
set -euo pipefail
cd "$(dirname "$0")"

# The Debian packages a build needs, one a line in a list file ("#" starts a comment); CI installs
# the same lists. .ci/packages: the Linux build; .ci/packages-windows: the cross-build and Wine.
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

build_windows() {
    install_windows_packages
    # The toolchain is given to the first configure only: CMake keeps it in the cache, and names
    # it as unused when it is given again.
    local toolchain=()
    [ -f build-windows/CMakeCache.txt ] || toolchain=(-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake)
    configure build-windows "${toolchain[@]}" -DQUORVANE_WERROR=ON
    cmake --build build-windows
    echo "windows: the download is $(ls build-windows/quorvane-*-windows-i686.zip)"
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
        build_windows
        ;;
    test-windows)
        build_windows
        # Wine runs this 32-bit build only where the kernel runs 32-bit programs: a kernel without
        # them (some virtual machines) gets the build, and the tests are named as not run.
        if ! wine --version >/dev/null 2>&1; then
            echo "test-windows: the Windows build is built, but its tests cannot run here: this" \
                "machine does not run 32-bit programs ('wine --version' fails), and Wine needs" \
                "that for a 32-bit Windows build. NOT RUN: the Windows suite." >&2
            exit 0
        fi
        # Tests run under Wine (CMake's cross-compiling emulator, build-windows/wine-run.sh), with
        # a virtual display for what opens windows; then the build's Wine server is let go.
        status=0
        # A Wine server left running without a display (by a program run by hand) goes first: the
        # tests' windows need one started on the virtual display (with the old one, controls sent
        # no notifications).
        WINEPREFIX="$PWD/build-windows/wine-prefix" wineserver -k 2>/dev/null || true
        xvfb-run -a ctest --test-dir build-windows --output-on-failure -j "$(nproc)" || status=$?
        WINEPREFIX="$PWD/build-windows/wine-prefix" wineserver -k 2>/dev/null || true
        exit "$status"
        ;;
    *)
        sed -n '2,12p' "$0" | sed 's/^# \{0,1\}//' >&2
        exit 2
        ;;
esac
