#!/usr/bin/env bash
# Fails when the configure step or the tests use a file of a Debian package that
# scripts/packages.txt does not bring in, itself or through Depends: such a package is here by
# chance and missing on a fresh machine. Usage: check-deps.sh BUILD_DIR (a configured build);
# CHECK_DEPS_VERBOSE=1 shows each path and the package that brings it.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(dirname "$here")"
build="${1:?usage: check-deps.sh BUILD_DIR}"
cache="$build/CMakeCache.txt"
[ -f "$cache" ] || {
  echo "check-deps: $cache is missing: configure first" >&2
  exit 2
}
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

fail() {
  echo "check-deps: $*" >&2
  exit 1
}

# What needs a package: one "WHO<TAB>PATH" line each, in $work/needs.

# Every path a find_* call stored, minus probes whose result nothing uses.
used_x11="$(grep -rhoE 'X11::[A-Za-z0-9_]+' --include=CMakeLists.txt "$root/src" "$root/tests" \
  "$root/tools" "$root/CMakeLists.txt" | sed 's/^X11:://' | sort -u | paste -sd'|')"
awk -v used="^X11_(${used_x11})_" '
  match($0, /^[A-Za-z0-9_.+-]+:(FILEPATH|PATH)=/) {
    name = substr($0, 1, index($0, ":") - 1)
    value = substr($0, RLENGTH + 1)
    if (name ~ /^CMAKE_INSTALL_/) next              # where to install, not something found
    if (name ~ /^X11_/ && name !~ used) next        # FindX11 looks up every extension
    if (name ~ /^(Fontconfig|FREETYPE|pkgcfg_lib_PKG_FONTCONFIG)_/) next  # FindX11, for Xft
    if (name ~ /^OPENGL_(glu|egl|EGL)_/) next       # Qt links OpenGL::GL only
    n = split(value, parts, ";")
    for (i = 1; i <= n; i++)
      if (parts[i] ~ /^\/usr\// && parts[i] !~ /^\/usr\/local\//) print name "\t" parts[i]
  }' "$cache" >"$work/needs"

# The .pc file of every module pkg-config found (FindPkgConfig keeps each in *_MODULE_NAME).
modules="$(sed -n 's/^\([A-Za-z0-9_]*\)_MODULE_NAME:INTERNAL=\(..*\)$/\1 \2/p' "$cache" |
  grep -v '^PKG_FONTCONFIG' | cut -d' ' -f2 | sort -u)" || true
for module in $modules; do
  pc="$(pkg-config --path "$module")" || fail "pkg-config finds no $module, which configure used"
  printf 'pkg-config %s\t%s\n' "$module" "$pc" >>"$work/needs"
done

# The programs the tests start. A program found outside any package (a local copy shadowing
# it) is looked for where a fresh machine has it.
mapfile -t programs < <(sed -n 's/#.*//; s/^[[:space:]]*run://p' "$here/packages.txt" | xargs -n1)
for name in "${programs[@]}"; do
  path="$(command -v "$name")" || fail "$name, which the tests run, is not installed"
  others=""
  for dir in /usr/bin /usr/sbin; do
    [ -e "$dir/$name" ] && others+=$'\t'"$dir/$name"$'\t'"$(readlink -f "$dir/$name")"
  done
  printf 'program %s\t%s%s\n' "$name" "$path" "$others" >>"$work/needs"
done
# Every program a test looks for before it runs must be on a run: line.
for name in $(grep -rhoE '(shutil\.which|missing_tools)\([^)]*\)' "$root/tests" |
  grep -oE '"[^"]+"' | tr -d '"' | sort -u); do
  printf '%s\n' "${programs[@]}" | grep -qxF "$name" ||
    fail "tests look for $name: add it to a run: line in scripts/packages.txt"
done

# Candidates for each need, first match wins: the path, where its symlinks lead, their twins
# across the /usr merge, then the other places named.
twin() { case "$1" in /usr/lib/* | /usr/bin/* | /usr/sbin/*) printf '\t%s' "${1#/usr}" ;; esac; }
while IFS=$'\t' read -r who path others; do
  case "$who" in
    *_INCLUDE_DIR) ;;
    *_DIR) # find_package read the config file; the folder may hold files of other packages
      base="${who%_DIR}"
      for config in "$path/${base}Config.cmake" "$path/${base,,}-config.cmake"; do
        [ -f "$config" ] && path="$config" && break
      done
      ;;
  esac
  [ -d "$path" ] && who="$who folder"
  real="$(readlink -f "$path")"
  printf '%s\t%s\t%s\t%s%s%s' "$who" "$path" "$path" "$real" "$(twin "$path")" "$(twin "$real")"
  [ -n "$others" ] && printf '\t%s' "$others"
  echo
done <"$work/needs" >"$work/candidates"

# One dpkg -S for every candidate: "PACKAGE<TAB>PATH" lines, architecture dropped.
cut -f3- "$work/candidates" | tr '\t' '\n' | sort -u | grep . >"$work/paths"
xargs -d '\n' dpkg -S <"$work/paths" 2>/dev/null | grep -v '^diversion by' |
  awk '{ i = index($0, ": "); n = split(substr($0, 1, i - 1), p, ", ")
         for (j = 1; j <= n; j++) { sub(/:.*/, "", p[j]); print p[j] "\t" substr($0, i + 2) } }' \
    >"$work/owners" || true

# The Depends closure of the list (virtual names and alternatives' providers included), and of
# the Essential packages, which every Debian machine has and nothing declares.
mapfile -t listed < <("$here/deps.sh" --list)
mapfile -t essential < <(dpkg-query -W -f '${Essential} ${Package}\n' |
  awk '$1 == "yes" { print $2 }')
apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
  --no-replaces --no-enhances "${listed[@]}" "${essential[@]}" \
  >"$work/depends" 2>"$work/depends.err" ||
  fail "apt-cache depends failed: $(cat "$work/depends.err")"
grep -v '^ ' "$work/depends" | grep -v '^<' | sed 's/:.*//' | sort -u >"$work/closure"
for p in "${listed[@]}"; do
  grep -qxF "$p" "$work/closure" || fail "scripts/packages.txt lists $p, which apt does not know"
done

awk -F'\t' -v closure="$work/closure" -v owners="$work/owners" \
  -v verbose="${CHECK_DEPS_VERBOSE:-}" '
  function merged(path) { sub(/^\/usr\//, "/", path); return path }
  BEGIN {
    while ((getline line < closure) > 0) inside[line] = 1
    while ((getline line < owners) > 0) {
      split(line, f, "\t"); owned[f[2]] = owned[f[2]] " " f[1]
    }
  }
  {
    if ($1 ~ / folder$/) { folders++; sub(/ folder$/, "", $1) } else files++
    found = ""
    for (i = 3; i <= NF && found == ""; i++) if ($i in owned) { found = owned[$i]; at = $i }
    if (found == "") { print "no Debian package holds " $2 " (" $1 ")"; bad++; next }
    if (merged(at) != merged($2) && merged(at) != merged($4))
      print "note: " $2 " belongs to no package; checked " at " instead" > "/dev/stderr"
    sub(/^ /, "", found); n = split(found, pkgs, " "); ok = 0
    for (j = 1; j <= n; j++) if (pkgs[j] in inside) ok = 1
    if (ok) {
      for (j = 1; j <= n; j++) if (pkgs[j] in inside) { used[pkgs[j]] = 1; by = pkgs[j] }
      if (verbose) print "  " $1 " " at " (" by ")" > "/dev/stderr"
      next
    }
    if (n == 1) msg = found " is not in scripts/packages.txt nor among its Depends"
    else msg = "none of " found " is in scripts/packages.txt nor among its Depends"
    print msg ", and " $1 " needs it (" at ")"; bad++
  }
  END {
    for (p in used) packages++
    if (bad) exit 1
    printf "check-deps: %d files and %d folders (CMakeCache.txt, pkg-config, test programs) " \
      "come from %d packages, all in the Depends closure of scripts/packages.txt\n", files, folders,
      packages
  }' "$work/candidates" >"$work/report" || {
  sed 's/^/check-deps: /' "$work/report" >&2
  exit 1
}
cat "$work/report"
