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
