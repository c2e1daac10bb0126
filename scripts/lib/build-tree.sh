# Sourced by the set-up scripts (which set $root). The presets build with Ninja in
# build/<preset>; a tree that an earlier configure by hand left with another generator would make
# `cmake --preset` fail with a generator mismatch, so it is configured afresh instead, with a note.
prepare_build_tree() {
  local preset="$1"
  local tree="$root/build/$preset"
  local generator
  [[ -f "$tree/CMakeCache.txt" ]] || return 0
  generator="$(sed -n 's/^CMAKE_GENERATOR:INTERNAL=//p' "$tree/CMakeCache.txt")"
  [[ -z "$generator" || "$generator" == "Ninja" ]] && return 0
  echo "build/$preset was configured with \"$generator\"; configuring it afresh for the preset (Ninja)"
  rm -rf "$tree/CMakeCache.txt" "$tree/CMakeFiles"
}
