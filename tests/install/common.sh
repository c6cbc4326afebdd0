# Shared by the checks of an installed tree: a scratch folder and the
# programs started in the background, both cleaned up on exit, and failing
# with a message.
set -euo pipefail

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
