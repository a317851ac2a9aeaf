"""Which files clang-tidy must check again (scripts/check-style.sh).

clang-tidy's verdict on a file depends only on what the compiler sees of it
(its preprocessed text, every header included), its compile commands,
.clang-tidy and the tools' versions. A file that passed with all of these
the same, in any clone of the tree, is not checked again: its key (paths
taken relative to the clone) names an empty file in the cache folder.

  tidy_cache.py BUILD_DIR ROOT CACHE_DIR FILE...
prints "FILE<TAB>KEY" for each FILE without a passing verdict in the cache
(KEY "-" when it cannot be told: the file is checked, nothing kept).
"""
import hashlib
import json
import shlex
import subprocess
import sys
from pathlib import Path


def tool_versions(compilers):
    text = ""
    for tool in ["clang-tidy", *sorted(compilers)]:
        text += subprocess.run([tool, "--version"], capture_output=True, text=True).stdout
    return text


def preprocessed(entry):
    """The entry's compile command with -E instead of -o/-c: what the compiler sees."""
    args = shlex.split(entry["command"])
    kept, skip = [], False
    for arg in args:
        if skip:
            skip = False
        elif arg == "-o":
            skip = True
        elif arg != "-c":
            kept.append(arg)
    run = subprocess.run(kept + ["-E"], cwd=entry["directory"], capture_output=True)
    return run.stdout if run.returncode == 0 else None


def main():
    build, root, cache = Path(sys.argv[1]), sys.argv[2], Path(sys.argv[3])
    entries = {}
    for entry in json.load(open(build / "compile_commands.json")):
        entries.setdefault(entry["file"], []).append(entry)
    compilers = {shlex.split(e[0]["command"])[0] for e in entries.values()}
    common = tool_versions(compilers).encode() + (Path(root) / ".clang-tidy").read_bytes()
    for file in sys.argv[4:]:
        text = preprocessed(entries[file][0]) if file in entries else None
        if text is None:  # cannot tell: check it
            print(f"{file}\t-")
            continue
        digest = hashlib.sha256(common)
        for entry in entries[file]:
            digest.update(entry["command"].replace(root, "@ROOT@").encode())
        digest.update(text.replace(root.encode(), b"@ROOT@"))
        key = digest.hexdigest()
        if not (cache / key).exists():
            print(f"{file}\t{key}")


main()
