#!/usr/bin/env bash
# Real sound: a sound server of its own with a sink that plays into nothing, whose monitor is
# recorded while the program's player plays a sound file and speaks. Then the server freezes and
# the program must still end at once, and without a server it says it has no speech.
# Usage: real_audio.sh <sound_probe> <runnable folder>
set -euo pipefail
probe=$1
run=$2
for tool in pulseaudio parecord sox; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 0; }
done
dir=$(mktemp -d)
export XDG_RUNTIME_DIR=$dir HOME=$dir PULSE_SERVER=unix:$dir/native
server=
cleanup() {
  [ -n "$server" ] && { kill -CONT "$server" 2>/dev/null || true; kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; }
  rm -rf "$dir"
}
trap cleanup EXIT
pulseaudio --daemonize=no --exit-idle-time=-1 -n --disable-shm=yes \
  --load="module-null-sink sink_name=z rate=44100" \
  --load="module-native-protocol-unix auth-anonymous=1 socket=$dir/native" >"$dir/server.log" 2>&1 &
server=$!
for _ in $(seq 50); do [ -S "$dir/native" ] && break; sleep 0.1; done
[ -S "$dir/native" ] || { cat "$dir/server.log"; echo "FAIL: the sound server did not start"; exit 1; }

fail=0
# Records the sink while the probe runs; prints the RMS amplitude and the length of the sound.
listen() {
  local out=$1; shift
  parecord --latency-msec=20 --device=z.monitor --file-format=wav --rate=44100 --channels=1 "$out" &
  local rec=$!
  sleep 1
  "$probe" "$@" >"$dir/probe.out"
  sleep 0.5
  kill -INT "$rec"; wait "$rec" 2>/dev/null || true
  cat "$dir/probe.out"
  sox "$out" -n stat 2>&1 | awk '/RMS *amplitude/ {print "rms", $3} /Length/ {print "length", $3}'
}
heard() { # file threshold: how long the sound stays above the threshold, in seconds
  sox "$1" -n silence 1 0.01 1% reverse silence 1 0.01 1% reverse stat 2>&1 | awk '/Length/ {print $3}'
}
step() { echo "== $* (at ${SECONDS} s)"; } # a slow step shows in the log
check() { # description condition
  if awk "BEGIN {exit !($2)}"; then echo "ok: $1"; else echo "FAIL: $1 ($2)"; fail=1; fi
}

step "a sound file"
listen "$dir/sound.wav" "$run/suoni/si1.wav" - it 1500
check "the sound is heard whole" "$(heard "$dir/sound.wav") > 0.45"

step "speech, in every language shipped"
for voice in it en fr es de; do
  listen "$dir/speech-$voice.wav" - "Zorvelli: uno, due, tre, quattro." "$voice" 3500 | tee "$dir/$voice.out"
  grep -q "speech available" "$dir/$voice.out" || { echo "FAIL: no speech in $voice"; fail=1; }
  check "speech in $voice is heard for about a second or more" "$(heard "$dir/speech-$voice.wav") > 0.8"
done

step "a sound, then speech after it"
listen "$dir/both.wav" "$run/suoni/no.wav" "uno due tre" it 4000
sound=$(heard "$run/suoni/no.wav"); both=$(heard "$dir/both.wav")
check "speech follows the sound instead of cutting it" "$both > $sound + 0.5"

step "the server freezes: the program still ends at once"
kill -STOP "$server"
timeout 10 "$probe" "$run/suoni/si2.wav" "uno due tre" it 300 | tee "$dir/frozen.out" || true
kill -CONT "$server"
ended=$(sed -n 's/^ended in \([0-9]*\) ms.*/\1/p' "$dir/frozen.out")
check "once asked to, it ended within a second (${ended:-never} ms)" "${ended:-99999} < 1000"

step "no server at all"
PULSE_SERVER=unix:$dir/nothing-here timeout 10 "$probe" - "uno" it 200 | tee "$dir/none.out"
grep -q "no speech" "$dir/none.out" || { echo "FAIL: speech claimed without a server"; fail=1; }

exit $fail
