#!/usr/bin/env python3
"""Runs two builds of trelvane-check on the same files and compares what they
found: the JSON state (--json) and the exit status of every file.

    scripts/compare-json.py OLD_CHECK NEW_CHECK GEN_KTV [--segments-may-differ]

The files: the samples, every file of ../shared/edifact-corpus (when it is
there), and interchanges written by GEN_KTV (valid, each kind of fault, faults
at random, several interchanges, with released separators in every position).
With --segments-may-differ, the "Segments" lists may differ only in segments
that hold the release character (the file's own text against a resolved one);
every other key must be identical. Prints one line per file that differs and
a summary; exit status 0 when nothing else differs, 1 otherwise.
"""
import json
import os
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CORPUS = os.path.join(ROOT, "..", "shared", "edifact-corpus")
FAULTS = [
    "drop-segment", "dup-segment", "unknown-tag", "unt-count", "unz-count", "bad-date",
    "zero-amount", "negative-amount", "seq-number", "dup-nir", "ftx-over-six", "fac-no-0139",
    "fac-0046", "fac-balance", "fac-0124", "facis-code", "main-exclusive",
]


def generate(gen, work):
    files = []

    def gen_file(name, *args):
        path = os.path.join(work, name)
        subprocess.run([gen, "-o", path, *args], check=True, stdout=subprocess.DEVNULL)
        files.append(path)
        return path

    gen_file("valid.edi", "--dossiers", "300", "--seed", "1")
    gen_file("interchanges.edi", "--dossiers", "200", "--interchanges", "3", "--seed", "2")
    gen_file("lf.edi", "--dossiers", "20", "--no-crlf", "--seed", "3")
    gen_file("all-faults.edi", "--dossiers", "40", "--fault", ",".join(FAULTS), "--seed", "4")
    for seed in range(5, 9):
        gen_file(f"random-{seed}.edi", "--dossiers", "150", "--fault-rate", "0.02",
                 "--fault", ",".join(FAULTS), "--seed", str(seed))
    gen_file("syntax-random.edi", "--dossiers", "150", "--fault-rate", "0.01", "--seed", "9")
    # Released separators in names, addresses, amounts and tags: each one
    # shifts the elements and components that follow it unless the cut
    # honours it.
    base = open(gen_file("released-base.edi", "--dossiers", "30", "--seed", "10"), "rb").read()
    edits = [
        (b"CABINET ", b"CABINET?+"), (b"SOCIETE ", b"SOCIETE?:"), (b"RUE ", b"RUE??"),
        (b"PLACE ", b"PLACE?'"), (b"MOA+203:", b"MOA+203?:"), (b"IND++", b"IND+?+"),
        (b"LYON", b"LY???'ON"), (b"NAD+DT+", b"NAD+DT+?+"),
    ]
    for k, (old, new) in enumerate(edits):
        path = os.path.join(work, f"released-{k}.edi")
        with open(path, "wb") as out:
            out.write(base.replace(old, new, 3))
        files.append(path)
    return files


def run(check, path):
    done = subprocess.run([check, "-a", "2025", "--json", path], capture_output=True)
    try:
        state = json.loads(done.stdout.decode("utf-8")) if done.stdout.strip() else None
    except ValueError:
        state = {"unreadable output": done.stdout[:200].decode("utf-8", "replace")}
    return done.returncode, state


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    segments_may_differ = "--segments-may-differ" in sys.argv
    if len(args) != 3:
        print(__doc__)
        return 2
    old, new, gen = args
    with tempfile.TemporaryDirectory() as work:
        files = sorted(os.path.join(ROOT, "samples", f)
                       for f in os.listdir(os.path.join(ROOT, "samples")))
        if os.path.isdir(CORPUS):
            files += sorted(os.path.join(CORPUS, f) for f in os.listdir(CORPUS)
                            if not f.endswith(".md"))
        files += generate(gen, work)
        differing = 0
        segments_changed = 0
        for path in files:
            old_rc, old_state = run(old, path)
            new_rc, new_state = run(new, path)
            name = os.path.basename(path)
            if old_rc != new_rc:
                print(f"{name}: exit status {old_rc} -> {new_rc}")
                differing += 1
                continue
            if isinstance(old_state, dict) and isinstance(new_state, dict):
                old_segments = old_state.pop("Segments", None)
                new_segments = new_state.pop("Segments", None)
                if old_segments != new_segments:
                    release = (old_state.get("Delimiters") or ["", "", "", ""])[3]
                    odd = (old_segments is None or new_segments is None or
                           len(old_segments) != len(new_segments) or
                           any(a != b and (not release or release not in b)
                               for a, b in zip(old_segments, new_segments)))
                    changed = sum(a != b for a, b in zip(old_segments or [], new_segments or []))
                    if odd or not segments_may_differ:
                        print(f"{name}: Segments differ ({changed} segments)")
                        differing += 1
                        continue
                    segments_changed += 1
                    print(f"{name}: {changed} segments now hold the file's own text")
            if old_state != new_state:
                keys = sorted(k for k in set(old_state or {}) | set(new_state or {})
                              if (old_state or {}).get(k) != (new_state or {}).get(k))
                print(f"{name}: differs in {', '.join(keys) or 'output'}")
                differing += 1
        print(f"{len(files)} files, {differing} differing, "
              f"{segments_changed} with segments holding the file's own text")
        return 1 if differing else 0


if __name__ == "__main__":
    sys.exit(main())
