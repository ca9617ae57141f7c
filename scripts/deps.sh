#!/usr/bin/env bash
# Installs, with apt-get, whatever the build, the tests and the program need
# and this machine lacks. Sourced by run.sh and test.sh.
tovendal_install_deps() {
    local packages="build-essential cmake pkg-config libwxgtk3.2-dev libtinyxml-dev
        libgtest-dev googletest libbenchmark-dev xvfb xauth x11-utils
        fonts-dejavu-core fonts-liberation ghostscript python3 libgtk-3-dev poppler-utils openbox
        clang libclang-rt-14-dev acl"
    local missing=""
    for p in $packages; do
        dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
    done
    if [ -n "$missing" ]; then
        echo "Installing:$missing"
        local sudo=""
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing
    fi
}
