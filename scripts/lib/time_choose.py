#!/usr/bin/python3
"""Times `velnor-analyze choose` as a player meets it: one process per decision, its start
included, for several builds in turns on the same positions. Prints the median, p90, p99 and
worst of each build (per position the fastest of the runs) and fails if any build's answer
(move, source and score) differs from the first build's.

usage: time_choose.py POSITIONS RUNS NAME=TOOL [NAME=TOOL ...] -- CHOOSE_ARGS...
POSITIONS holds one position a line as `bench --list` prints them: name, squares, side.
"""
import math
import subprocess
import sys
import time


def nearest_rank(sorted_ms, share):
    rank = max(1, math.ceil(share * len(sorted_ms)))
    return sorted_ms[rank - 1]


def main():
    args = sys.argv[1:]
    split = args.index("--")
    positions_file, runs, builds = args[0], int(args[1]), args[2:split]
    choose_args = args[split + 1:]
    tools = [b.split("=", 1) for b in builds]
    positions = [line.split() for line in open(positions_file) if line.strip()]

    best = {name: [math.inf] * len(positions) for name, _ in tools}
    answers = {name: [None] * len(positions) for name, _ in tools}
    for run in range(runs):
        for i, (_, squares, side) in enumerate(positions):
            # Alternate which build goes first, so neither always finds the caches warm.
            order = tools if (i + run) % 2 == 0 else tools[::-1]
            for name, tool in order:
                command = [tool, "choose", "--position", squares, "--side", side] + choose_args
                start = time.perf_counter()
                out = subprocess.run(command, capture_output=True, text=True, check=True).stdout
                ms = (time.perf_counter() - start) * 1000
                best[name][i] = min(best[name][i], ms)
                answers[name][i] = out

    print(f"{len(positions)} positions, fastest of {runs} runs each, process start included")
    print(f"{'':12} {'median':>9} {'p90':>9} {'p99':>9} {'worst':>9}")
    for name, _ in tools:
        ms = sorted(best[name])
        n = len(ms)
        median = (ms[(n - 1) // 2] + ms[n // 2]) / 2
        print(f"{name:12} {median:6.1f} ms {nearest_rank(ms, 0.90):6.1f} ms "
              f"{nearest_rank(ms, 0.99):6.1f} ms {ms[-1]:6.1f} ms")
    reference = tools[0][0]
    status = 0
    for name, _ in tools[1:]:
        differ = [positions[i][0] for i in range(len(positions))
                  if answers[name][i] != answers[reference][i]]
        print(f"{name} answers differently from {reference} on {len(differ)} positions"
              + (": " + " ".join(differ) if differ else ""))
        status = status or (1 if differ else 0)
    return status


if __name__ == "__main__":
    sys.exit(main())
