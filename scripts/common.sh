# Shared by the scripts in this folder: package installation and the build.
# shellcheck shell=bash

project_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Installs every package of scripts/packages.txt that is not installed yet.
ensure_packages() {
    local wanted missing=()
    wanted=$(grep -v -E '^\s*(#|$)' "$project_dir/scripts/packages.txt")
    for pkg in $wanted; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing missing packages: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# Configures and builds into the given folder with the given build type.
build_project() {
    local build_dir=$1 build_type=$2
    shift 2
    cmake -S "$project_dir" -B "$build_dir" -DCMAKE_BUILD_TYPE="$build_type" "$@"
    cmake --build "$build_dir" -j "$(nproc)"
}
