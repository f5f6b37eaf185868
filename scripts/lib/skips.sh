# One rule for every step of the test command that can be skipped. A step that cannot run
# says why; where CI is set, that fails the run, for a run that skipped a step has not tested
# it. A person may leave steps out by name:
#   VELNOR_SKIP=windows,distro scripts/test
# Names: windows, windows-clicks, distro, sound, accessibility, chromium, firefox, apt-mirror.
# scripts/test collects every skip in $VELNOR_SKIP_LOG and lists them in its summary.

# in_ci: whether this run is a CI run (CI set to anything but empty, 0 or false).
in_ci() {
  case ${CI:-} in "" | 0 | false | False | FALSE) return 1 ;; *) return 0 ;; esac
}

# opted_out NAME: whether VELNOR_SKIP names the step NAME.
opted_out() {
  case ",${VELNOR_SKIP:-}," in *",$1,"*) return 0 ;; *) return 1 ;; esac
}

# skipped NAME REASON...: notes that the step NAME did not run, and why. Returns 0 where the
# skip is allowed (asked for by VELNOR_SKIP, or not a CI run), 1 where it fails the run.
skipped() {
  local name=$1
  shift
  local verdict=0 line
  if opted_out "$name"; then
    line="$name: skipped as VELNOR_SKIP asks"
  elif in_ci; then
    line="$name: not run, and CI is set, so this fails: $*"
    verdict=1
  else
    line="$name: skipped: $*"
  fi
  echo "$line" >&2
  [ -z "${VELNOR_SKIP_LOG:-}" ] || echo "$line" >>"$VELNOR_SKIP_LOG"
  return $verdict
}

# replaced NAME HOW...: notes that the step NAME ran in another form than the usual one (the
# 64-bit Windows build where the 32-bit Wine cannot be had). It ran, so this fails nothing, but
# the summary says so.
replaced() {
  local name=$1
  shift
  echo "$name: replaced: $*" >&2
  [ -z "${VELNOR_SKIP_LOG:-}" ] || echo "$name: replaced: $*" >>"$VELNOR_SKIP_LOG"
}

# skip_step NAME REASON...: for a script that is the step NAME: notes the skip, then ends the
# script, with status 1 where the skip fails the run.
skip_step() {
  skipped "$@" && exit 0
  exit 1
}

# skip_if_opted_out NAME: ends the script at once, as skipped, where VELNOR_SKIP names NAME.
skip_if_opted_out() {
  opted_out "$1" && skip_step "$1" "VELNOR_SKIP"
  return 0
}
