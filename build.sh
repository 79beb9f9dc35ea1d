#!/usr/bin/env bash
# Sets up a Debian 12 machine for Quorvane, builds it, and then:
#   ./build.sh run        starts the window
#   ./build.sh test       runs every test (headless)
#   ./build.sh sanitize   builds in build-sanitize with AddressSanitizer + UBSan and runs every test
#   ./build.sh bench      builds the benchmarks (see bench/README.md)
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(cmake ninja-build g++ qt6-base-dev qt6-translations-l10n libgtest-dev libgmock-dev
    fonts-dejavu-core)

install_missing_packages() {
    local missing=()
    for package in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    ((${#missing[@]} == 0)) && return 0
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "Installing ${missing[*]} needs root or sudo." >&2; exit 1; }
        sudo=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
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
        exec ./build/app/Quorvane
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
    *)
        sed -n '2,7p' "$0" | sed 's/^# \{0,1\}//' >&2
        exit 2
        ;;
esac
