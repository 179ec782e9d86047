# Sourced by the tools: which Windows machine a build is for, its build folder
# and the Wine that runs it.
#
#   choose_arch TOOL "$@"   sets arch, build and args (the arguments after an
#                           optional leading --arch NAME) and says the choice
#                           once per run, on standard error

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Succeeds when this machine executes 32-bit x86 code: a 93-byte i386 Linux
# program that only exits with 0 either runs or fails with "Exec format error"
# (a kernel without 32-bit emulation, whatever is installed).
can_run_i386() {
  local probe rc
  probe=$(mktemp "${TMPDIR:-/tmp}/tessaro-i386.XXXXXX") || return 1
  # ELF header, one loadable segment, then: xor ebx,ebx; mov eax,1 (exit); int 0x80
  local header='\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00'
  local segment='\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00'
  local code='\x31\xdb\xb8\x01\x00\x00\x00\xcd\x80'
  printf "$header$segment$code" >"$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null
  rc=$?
  rm -f "$probe"
  return $rc
}

# Succeeds when this machine runs programs built for the architecture $1.
can_run() {
  [ "$1" = x86_64 ] || can_run_i386
}

# Every architecture this machine runs, the one shipped first leading.
runnable_archs() {
  if can_run_i386; then echo i686 x86_64; else echo x86_64; fi
}

choose_arch() {
  local tool=$1 why
  shift
  if [ "${1:-}" = --arch ]; then
    arch=${2:-}
    why="chosen"
    shift 2 2>/dev/null || shift
  elif [ -n "${TESSARO_ARCH:-}" ]; then
    arch=$TESSARO_ARCH
    why="from TESSARO_ARCH"
  elif can_run_i386; then
    arch=i686
    why="this machine runs 32-bit code"
  else
    arch=x86_64
    why="this machine cannot run 32-bit code"
  fi
  case $arch in
    i686 | x86_64) ;;
    *) echo "$tool: unknown architecture '$arch' (i686 or x86_64)" >&2; exit 2 ;;
  esac
  args=("$@")
  build=${TESSARO_BUILD:-$root/build/$arch}
  # The tools one tool starts keep its choice and do not say it again.
  if [ -z "${TESSARO_ARCH_SAID:-}" ]; then
    echo "$tool: $arch ($why)" >&2
    export TESSARO_ARCH_SAID=1
  fi
  export TESSARO_ARCH=$arch TESSARO_BUILD=$build
}

# The architecture a configured build folder is for ("" when not configured).
build_arch() {
  [ -f "$1/CMakeCache.txt" ] && sed -n 's/^TESSARO_ARCH:[A-Z]*=//p' "$1/CMakeCache.txt"
  return 0
}

# Sets wine to the loader for arch. 64-bit programs get the 64-bit loader
# itself: the plain "wine" is the 32-bit one wherever that is installed.
use_wine_for() {
  wine=wine
  unset WINEARCH
  if [ "$1" = x86_64 ]; then
    export WINEARCH=win64
    for w in /usr/lib/wine/wine64 "$(command -v wine64)"; do
      [ -x "$w" ] && { wine=$w; export WINELOADER=$w; break; }
    done
  fi
}

# Starts a private Xvfb on the first free display from $1 to $2 and exports
# DISPLAY; xvfb_pid is its process (empty, and a failure, when none started).
start_xvfb() {
  xvfb_pid=
  for n in $(seq "$1" "$2"); do
    { [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; } && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
    if kill -0 "$xvfb_pid" 2>/dev/null; then export DISPLAY=:$n; return 0; fi
    xvfb_pid=
  done
  return 1
}
