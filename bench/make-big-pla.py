#!/usr/bin/env python3
"""Writes a large seeded random PLA (type fd) for measuring the core on many rows.

    bench/make-big-pla.py OUT.pla [--rows 1000000] [--inputs 20] [--outputs 2] [--dashes 0.05]
                          [--seed 6]

Each row: every input 0 or 1, a dash with the given share; every output 1 or 0 at random
(at least one 1). Running it again with the same arguments gives the same file.
"""
import argparse
import random


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("out")
    ap.add_argument("--rows", type=int, default=1000000)
    ap.add_argument("--inputs", type=int, default=20)
    ap.add_argument("--outputs", type=int, default=2)
    ap.add_argument("--dashes", type=float, default=0.05)
    ap.add_argument("--seed", type=int, default=6)
    a = ap.parse_args()
    rng = random.Random(a.seed)
    with open(a.out, "w") as f:
        f.write(f".i {a.inputs}\n.o {a.outputs}\n.type fd\n.p {a.rows}\n")
        for _ in range(a.rows):
            ins = "".join("-" if rng.random() < a.dashes else "01"[rng.getrandbits(1)]
                          for _ in range(a.inputs))
            outs = ["01"[rng.getrandbits(1)] for _ in range(a.outputs)]
            if "1" not in outs:
                outs[rng.randrange(a.outputs)] = "1"
            f.write(ins + " " + "".join(outs) + "\n")
        f.write(".e\n")


if __name__ == "__main__":
    main()
