# start_null_sink DIR: a private PulseAudio server whose only output is a null sink named
# velnor_test (its monitor, velnor_test.monitor, records what is played), with its socket,
# settings and runtime files in DIR, which must exist; nothing of the user's is read or
# touched. Exports PULSE_SERVER for the programs started afterwards and sets NULL_SINK_PID.
# Returns 1, with the server's log on standard error, when it does not start.
start_null_sink() {
  local dir=$1
  mkdir -p "$dir/runtime" "$dir/config"
  chmod 700 "$dir/runtime"
  # As root, PulseAudio warns that it is meant for a user session, then runs all the same.
  env HOME="$dir" XDG_RUNTIME_DIR="$dir/runtime" XDG_CONFIG_HOME="$dir/config" \
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
    -L "module-native-protocol-unix socket=$dir/native auth-anonymous=1" \
    -L "module-null-sink sink_name=velnor_test rate=44100" >"$dir/pulseaudio.log" 2>&1 &
  NULL_SINK_PID=$!
  export PULSE_SERVER="unix:$dir/native"
  local _
  for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
  if ! pactl set-default-sink velnor_test >/dev/null 2>&1; then
    cat "$dir/pulseaudio.log" >&2
    return 1
  fi
}
