#!/usr/bin/python3
"""Generates the game's pictures, sounds, songs, voices and fonts into a resources folder.

Usage: generate.py --out DIR [--jobs N] [--only SUBSTRING] [--force]

Each entry of the manifest is made by its recipe; the folder keeps a state file with a hash of
every entry's recipe and of the code that makes it, so only changed entries are made again.
"""
import argparse
import hashlib
import importlib
import json
import multiprocessing
import os
import shutil
import sys
import time

# one thread per worker: the pool already keeps every core busy
for _var in ("OMP_NUM_THREADS", "OPENBLAS_NUM_THREADS", "MKL_NUM_THREADS"):
    os.environ.setdefault(_var, "1")

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import manifest  # noqa: E402

STATE = ".assets-state.json"
# The files whose code decides what each recipe module makes (saving is in common.py).
MODULES = {"art": ["art.py", "common.py", "palette.py"], "more": ["more.py", "art.py", "common.py", "palette.py"],
           "regions": ["regions.py", "art.py", "common.py", "palette.py"],
           "audio": ["audio.py", "synth.py"], "music": ["music.py", "synth.py"], "copy": []}


def code_hash(module):
    h = hashlib.sha256()
    for f in MODULES[module]:
        with open(os.path.join(HERE, f), "rb") as fh:
            h.update(fh.read())
    return h.hexdigest()


def entry_hash(e, hashes):
    module = e["recipe"].split(".")[0]
    blob = json.dumps(e, sort_keys=True) + hashes[module]
    if e["recipe"] == "copy":
        with open(e["args"]["source"], "rb") as fh:
            blob += hashlib.sha256(fh.read()).hexdigest()
    return hashlib.sha256(blob.encode()).hexdigest()


def make(job):
    e, out = job
    dest = os.path.join(out, e["path"])
    os.makedirs(os.path.dirname(dest), exist_ok=True)
    tmp = dest + ".tmp" + os.path.splitext(dest)[1]
    try:
        if e["recipe"] == "copy":
            shutil.copyfile(e["args"]["source"], tmp)
        else:
            mod, fn = e["recipe"].split(".")
            func = getattr(importlib.import_module(mod), fn)
            if e["kind"] == "image":
                from common import save_jpg, save_png
                w, h = e["size"]
                arr = func(w, h, **e["args"])
                if arr.shape[:2] != (h, w):
                    raise ValueError("recipe made %dx%d" % (arr.shape[1], arr.shape[0]))
                if dest.endswith(".jpg"):
                    save_jpg(arr, tmp)
                else:
                    save_png(arr, tmp)
            else:
                func(tmp, **e["args"])
        os.replace(tmp, dest)
    except Exception as exc:  # report the entry and go on with the others
        if os.path.exists(tmp):
            os.remove(tmp)
        return e["path"], "%s: %s" % (type(exc).__name__, exc)
    return e["path"], None


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--out", required=True)
    ap.add_argument("--jobs", type=int, default=os.cpu_count() or 2)
    ap.add_argument("--only", default="")
    ap.add_argument("--force", action="store_true")
    ap.add_argument("--stamp", default="")
    args = ap.parse_args()
    out = os.path.abspath(args.out)
    os.makedirs(out, exist_ok=True)
    state_path = os.path.join(out, STATE)
    try:
        with open(state_path) as fh:
            state = json.load(fh)
    except (OSError, ValueError):
        state = {}
    hashes = {m: code_hash(m) for m in MODULES}
    # files this generator made earlier that the manifest no longer lists
    listed = {e["path"] for e in manifest.entries()}
    changed = False
    for stale in [p for p in state if p not in listed]:
        try:
            os.remove(os.path.join(out, stale))
        except OSError:
            pass
        del state[stale]
        changed = True
    todo = []
    for e in manifest.entries():
        if args.only and args.only not in e["path"]:
            continue
        hsh = entry_hash(e, hashes)
        if not args.force and state.get(e["path"]) == hsh and os.path.exists(os.path.join(out, e["path"])):
            continue
        todo.append((e, hsh))
    # songs first: they take longest
    todo.sort(key=lambda t: (t[0]["kind"] != "song", t[0]["kind"] != "voice", t[0]["path"]))
    start = time.time()
    failures = []
    if todo or changed:
        print("assets: making %d of %d files with %d jobs" % (len(todo), len(manifest.entries()), args.jobs))
        hmap = {e["path"]: h for e, h in todo}
        with multiprocessing.Pool(args.jobs) as pool:
            for path, err in pool.imap_unordered(make, [(e, out) for e, _ in todo]):
                if err:
                    failures.append((path, err))
                    state.pop(path, None)
                else:
                    state[path] = hmap[path]
        tmp = state_path + ".tmp"
        with open(tmp, "w") as fh:
            json.dump(state, fh, indent=0, sort_keys=True)
        os.replace(tmp, state_path)
    for path, err in failures:
        print("assets: FAILED %s: %s" % (path, err), file=sys.stderr)
    print("assets: done in %.1f s" % (time.time() - start))
    if failures:
        return 1
    if args.stamp:
        with open(args.stamp, "w") as fh:
            fh.write("ok\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
