#!/usr/bin/env bash
# scripts/install --uninstall on an installation laid out as the install
# leaves it (no build needed): a plain uninstall keeps config.ini, and a
# --purge after it removes that and every folder the install made.
set -euo pipefail
install=$1
top=$(mktemp -d)
trap 'rm -rf "$top"' EXIT
export HOME=$top/home XDG_DATA_HOME=$top/data
dir=$HOME/.local/opt/orvane
mkdir -p "$dir" "$XDG_DATA_HOME/applications"
touch "$dir/orvane" "$dir/config.ini" "$XDG_DATA_HOME/applications/orvane.desktop"
{
  echo "# orvane installation: what scripts/install made, removed by --uninstall"
  echo "dir $HOME/.local/opt"
  echo "dir $dir"
  echo "file $dir/orvane"
  echo "file $XDG_DATA_HOME/applications/orvane.desktop"
} >"$dir/installed-files"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

"$install" --uninstall >/dev/null
[[ -f $dir/config.ini && ! -e $dir/orvane ]] || fail "plain uninstall: config.ini kept, program gone"
[[ ! -e $XDG_DATA_HOME/applications/orvane.desktop ]] || fail "plain uninstall left the menu entry"
"$install" --uninstall --purge >/dev/null || fail "--purge after a plain uninstall refused"
[[ ! -e $HOME/.local/opt ]] || fail "--purge left $(find "$HOME/.local/opt")"
if "$install" --uninstall --purge 2>/dev/null; then fail "a second --purge found an installation"; fi

# A folder left by an uninstall that kept no list: only config.ini is there.
mkdir -p "$top/older"
touch "$top/older/config.ini"
"$install" --uninstall --purge "$top/older" >/dev/null || fail "--purge of a folder left by an older uninstall"
[[ ! -e $top/older ]] || fail "--purge left $top/older"
# A copy placed by hand is not the install's to remove.
mkdir -p "$top/by-hand"
touch "$top/by-hand/orvane" "$top/by-hand/config.ini"
if "$install" --uninstall --purge "$top/by-hand" 2>/dev/null; then fail "--purge removed a copy placed by hand"; fi
[[ -f $top/by-hand/config.ini ]] || fail "the hand-placed copy lost its config.ini"
echo "PASS"
