# Sourced by the scripts of `make windows-qt` and `make windows-package`: `step NAME COMMAND...`
# runs one of their steps and appends how long it took to the file $times.
step() {
    local name=$1
    shift
    local start=$SECONDS
    echo "== $name"
    "$@"
    local took=$((SECONDS - start))
    printf '%-10s %4d min %02d s\n' "$name" $((took / 60)) $((took % 60)) | tee -a "$times"
}

# `fetch_debian_source APT_DIR PACKAGE[=VERSION] DESTINATION` unpacks Debian's source of a
# package, its patches applied (dpkg-source), into DESTINATION, through a private apt
# configuration in APT_DIR: its own sources list (deb-src of this Debian release, from the
# mirror the system's apt takes the release from, else Debian's own), lists and cache; the
# system's apt sources are untouched.
fetch_debian_source() {
    local apt_dir=$1 package=$2 destination=$3
    local release mirror
    release=$(. /etc/os-release && echo "$VERSION_CODENAME")
    mirror=$(apt-cache policy | awk -v origin="$release/main" '$3 == origin {print $2; exit}')
    rm -rf "$apt_dir" "$destination"
    mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$apt_dir/sources.list.d" \
             "$apt_dir/download"
    echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg]" \
         "${mirror:-http://deb.debian.org/debian} $release main" > "$apt_dir/sources.list"
    cat > "$apt_dir/apt.conf" <<CONF
Dir::Etc::SourceList "$apt_dir/sources.list";
Dir::Etc::SourceParts "$apt_dir/sources.list.d";
Dir::State::Lists "$apt_dir/lists";
Dir::Cache "$apt_dir/cache";
CONF
    APT_CONFIG=$apt_dir/apt.conf apt-get update -q
    (cd "$apt_dir/download" && APT_CONFIG=$apt_dir/apt.conf apt-get source -q "$package")
    mv "$apt_dir/download/${package%%=*}"-*/ "$destination"
}
