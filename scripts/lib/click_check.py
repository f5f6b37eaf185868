#!/usr/bin/python3
"""Listens to a sound server's output while a program plays, and checks that every click the
program asked for was heard, and soon enough; for scripts/test-sound and scripts/test-windows.

    click_check.py record SOURCE DIR
        records SOURCE (a PulseAudio null sink's monitor) with parec at 10 ms latency into
        DIR/audio.raw (44.1 kHz mono 16-bit) and notes in DIR/arrivals the monotonic moment
        each block arrived; runs until it is terminated (SIGTERM)
    click_check.py stamp MARKER WHO
        reads a program's trace on standard input and prints "click SECONDS WHO" for every line
        that holds MARKER, SECONDS being the monotonic moment the line arrived: for a program
        that cannot say itself when it asks for a click (velnor.exe, traced by Wine)
    click_check.py check DIR MOMENTS MEDIAN_MS LONGEST_MS [EARLY_MS]
        MOMENTS holds a line "click SECONDS WHO" for every click the program asked for: the
        moment on the monotonic clock (CLOCK_MONOTONIC) and who made the move. Each must be
        followed by exactly one click heard before the next is asked for, nothing may be heard
        before the first, the median delay must be at most MEDIAN_MS and each at most
        LONGEST_MS. A click heard up to EARLY_MS (default 5) before it was asked for counts as
        its own: the moments' own error. Prints a summary and every delay; exit status 1 when a
        check fails.

The recording is placed on the monotonic clock by its blocks' arrivals: no block can arrive
before its samples have been played, so the earliest arrival, less the samples before it,
dates the first sample (to within the server's block of about 10 ms).
"""

import array
import os
import signal
import statistics
import subprocess
import sys
import time

RATE = 44100
THRESHOLD = 2000  # of 32767: the click starts at about half of full scale, silence is 0
QUIET_FRAMES = RATE * 40 // 1000  # a click starts after 40 ms below the threshold
EARLY_MS = 5  # a click heard up to 5 ms before it was asked for is the recording's error


def record(source, folder):
    parec = subprocess.Popen(
        ["parec", "--raw", "--format=s16le", "--channels=1", "--rate=%d" % RATE,
         "--latency-msec=10", "--device=" + source], stdout=subprocess.PIPE)
    signal.signal(signal.SIGTERM, lambda *_: parec.terminate())
    received = 0
    with open(os.path.join(folder, "audio.raw"), "wb") as audio, \
            open(os.path.join(folder, "arrivals"), "w") as arrivals:
        fd = parec.stdout.fileno()
        while True:
            try:
                block = os.read(fd, 65536)
            except InterruptedError:
                continue
            now = time.monotonic()
            if not block:
                break
            audio.write(block)
            received += len(block)
            arrivals.write("%.6f %d\n" % (now, received // 2))
            arrivals.flush()
    parec.wait()
    return 0


def stamp(marker, who):
    for line in sys.stdin.buffer:
        if marker.encode() in line:
            sys.stdout.write("click %.6f %s\n" % (time.monotonic(), who))
            sys.stdout.flush()
    return 0


def onsets(frames):
    """Frame indices where a click starts: a sample over the threshold after a quiet spell."""
    found = []
    last_loud = -QUIET_FRAMES
    for i, sample in enumerate(frames):
        if sample >= THRESHOLD or sample <= -THRESHOLD:
            if i - last_loud >= QUIET_FRAMES:
                found.append(i)
            last_loud = i
    return found


def heard_moments(folder):
    frames = array.array("h")
    with open(os.path.join(folder, "audio.raw"), "rb") as audio:
        data = audio.read()
    frames.frombytes(data[: len(data) // 2 * 2])
    if sys.byteorder != "little":
        frames.byteswap()
    with open(os.path.join(folder, "arrivals")) as arrivals:
        pairs = [line.split() for line in arrivals if line.strip()]
    if not pairs:
        return None
    start = min(float(moment) - int(count) / RATE for moment, count in pairs)
    return [start + i / RATE for i in onsets(frames)]


def check(folder, moments_file, median_ms, longest_ms, early_ms=EARLY_MS):
    early = early_ms / 1000
    asked = []
    with open(moments_file) as moments:
        for line in moments:
            words = line.split()
            if len(words) == 3 and words[0] == "click":
                asked.append((float(words[1]), words[2]))
    asked.sort()
    heard = heard_moments(folder)
    if heard is None:
        print("click_check: nothing was recorded")
        return 1

    problems = []
    delays = []
    for n, (moment, who) in enumerate(asked):
        following = asked[n + 1][0] - early if n + 1 < len(asked) else float("inf")
        mine = [h for h in heard if moment - early <= h < following]
        if not mine:
            problems.append("click %d (%s) not heard" % (n + 1, who))
            continue
        delay = max(0.0, (mine[0] - moment) * 1000)
        delays.append(delay)
        if delay > longest_ms:
            problems.append("click %d (%s) heard after %.0f ms, over %.0f"
                            % (n + 1, who, delay, longest_ms))
        if len(mine) > 1:
            problems.append("click %d (%s) heard %d times" % (n + 1, who, len(mine)))
    if asked and any(h < asked[0][0] - early for h in heard):
        problems.append("a click was heard before any was asked for")
    summary = "%d of %d clicks heard" % (len(delays), len(asked))
    if delays:
        median = statistics.median(delays)
        summary += "; delay median %.0f ms, longest %.0f ms" % (median, max(delays))
        if median > median_ms:
            problems.append("the median delay %.0f ms is over %.0f" % (median, median_ms))
    print(summary)
    if delays:
        print("delays in ms, in order: " + " ".join("%.0f" % d for d in delays))
    if not asked:
        problems.append("the program asked for no click")
    for problem in problems:
        print("click_check: " + problem)
    if problems and asked:
        # Both series on one time line, for telling a late moment from a lost click.
        zero = asked[0][0]
        print("asked at ms: " + " ".join("%.0f" % ((m - zero) * 1000) for m, _ in asked))
        print("heard at ms: " + " ".join("%.0f" % ((h - zero) * 1000) for h in heard))
    return 1 if problems else 0


def main(argv):
    if len(argv) == 3 and argv[0] == "record":
        return record(argv[1], argv[2])
    if len(argv) == 3 and argv[0] == "stamp":
        return stamp(argv[1], argv[2])
    if len(argv) in (5, 6) and argv[0] == "check":
        return check(argv[1], argv[2], *(float(a) for a in argv[3:]))
    sys.exit("usage: click_check.py record SOURCE DIR | stamp MARKER WHO | check DIR MOMENTS "
             "MEDIAN_MS LONGEST_MS [EARLY_MS]")


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
