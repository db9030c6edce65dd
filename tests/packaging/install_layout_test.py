#!/usr/bin/env python3
"""Installs the build into a portable prefix and checks what a user gets.

The prefix has a space, a dollar and a percent sign in it, so the desktop
entry must quote and escape the executable's path; the entry is read back by
the rules of the desktop entry format, not by matching the text we write.
The desktop entry and the AppStream metadata go through their validators,
the manual pages through groff's warnings, and every command that
`quillet-cli --help` names must have its own section in quillet-cli(1).

usage: install_layout_test.py BUILD_DIR SOURCE_DIR [CMAKE]
"""
import gzip
import os
import re
import shutil
import subprocess
import sys
import tempfile

APP_ID = "org.example.Quillet"
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAIL: " + what)


def unescape_string(value):
    """Undoes the escapes of a desktop entry string value."""
    out, i = [], 0
    escapes = {"s": " ", "n": "\n", "t": "\t", "r": "\r", "\\": "\\"}
    while i < len(value):
        c = value[i]
        if c == "\\" and i + 1 < len(value) and value[i + 1] in escapes:
            out.append(escapes[value[i + 1]])
            i += 2
        else:
            out.append(c)
            i += 1
    return "".join(out)


def exec_argv(value):
    """Splits an Exec value into arguments, as a launcher does."""
    value = unescape_string(value)
    args, cur, i, quoted, started = [], [], 0, False, False
    while i < len(value):
        c = value[i]
        if quoted:
            if c == "\\" and i + 1 < len(value) and value[i + 1] in '"`$\\':
                cur.append(value[i + 1])
                i += 1
            elif c == '"':
                quoted = False
            else:
                cur.append(c)
        elif c == '"':
            quoted, started = True, True
        elif c == " ":
            if cur or started:
                args.append("".join(cur))
            cur, started = [], False
        else:
            cur.append(c)
            started = True
        i += 1
    if cur or started:
        args.append("".join(cur))
    # %% stands for a literal %; field codes such as %f stay as they are.
    return [a if re.fullmatch(r"%[a-zA-Z]", a) else a.replace("%%", "%") for a in args]


def run(cmd, **kw):
    return subprocess.run(cmd, capture_output=True, text=True, **kw)


def main():
    build, source = sys.argv[1], sys.argv[2]
    cmake = sys.argv[3] if len(sys.argv) > 3 else "cmake"
    work = tempfile.mkdtemp()
    try:
        prefix = os.path.join(work, "my quillet $HOME 100%")
        r = run([cmake, "--install", build, "--prefix", prefix])
        check(r.returncode == 0, "cmake --install failed:\n" + r.stdout + r.stderr)
        if r.returncode != 0:
            return

        share = os.path.join(prefix, "share")
        expected = [
            "bin/quillet",
            "bin/quillet-cli",
            "share/doc/quillet/quillet.html",
            "share/doc/quillet/copyright",
            "share/man/man1/quillet.1.gz",
            "share/man/man1/quillet-cli.1.gz",
            "share/quillet/cards.txt",
            "share/quillet/decks/monastery-bion.txt",
            "share/metainfo/%s.metainfo.xml" % APP_ID,
            "share/applications/%s.desktop" % APP_ID,
        ] + ["share/icons/hicolor/%dx%d/apps/%s.png" % (s, s, APP_ID)
             for s in (16, 22, 24, 32, 48, 64, 128, 256)]
        for path in expected:
            check(os.path.isfile(os.path.join(prefix, path)), "not installed: " + path)
        for exe in ("quillet", "quillet-cli"):
            check(os.access(os.path.join(prefix, "bin", exe), os.X_OK), exe + " is not executable")

        # Each icon is a PNG of the size its folder names.
        for s in (16, 22, 24, 32, 48, 64, 128, 256):
            path = os.path.join(share, "icons/hicolor/%dx%d/apps/%s.png" % (s, s, APP_ID))
            if os.path.isfile(path):
                with open(path, "rb") as f:
                    head = f.read(24)
                size = (int.from_bytes(head[16:20], "big"), int.from_bytes(head[20:24], "big"))
                check(head[:8] == b"\x89PNG\r\n\x1a\n" and size == (s, s),
                      "icon %dx%d is %r" % (s, s, size))

        entry = os.path.join(share, "applications", APP_ID + ".desktop")
        if os.path.isfile(entry):
            r = run(["desktop-file-validate", entry])
            check(r.returncode == 0 and not r.stdout.strip(),
                  "desktop-file-validate: " + r.stdout + r.stderr)
            with open(entry, encoding="utf-8") as f:
                fields = dict(line.rstrip("\n").split("=", 1) for line in f if "=" in line)
            argv = exec_argv(fields.get("Exec", ""))
            check(argv == [os.path.join(prefix, "bin", "quillet"), "%f"],
                  "the entry's Exec runs %r" % argv)
            check(fields.get("Icon") == APP_ID, "the entry's icon is " + fields.get("Icon", ""))

        metainfo = os.path.join(share, "metainfo", APP_ID + ".metainfo.xml")
        if os.path.isfile(metainfo):
            r = run(["appstreamcli", "validate", "--no-net", metainfo])
            check(r.returncode == 0, "appstreamcli validate: " + r.stdout + r.stderr)

        for page in ("quillet.1", "quillet-cli.1"):
            path = os.path.join(share, "man/man1", page + ".gz")
            if not os.path.isfile(path):
                continue
            with gzip.open(path, "rb") as f:
                roff = f.read()
            with open(os.path.join(source, "docs/man", page), "rb") as f:
                check(roff == f.read(), page + ".gz does not hold the page's source")
            with open(path, "rb") as f:
                # gzip -n: no name and no time in the header, so builds repeat.
                check(f.read(8)[4:8] == b"\0\0\0\0", page + ".gz carries a time stamp")
            r = run(["groff", "-man", "-ww", "-z"], input=roff.decode("utf-8"))
            check(r.returncode == 0 and not r.stderr.strip(), page + ": " + r.stderr)

        r = run([os.path.join(prefix, "bin", "quillet-cli"), "--help"])
        check(r.returncode == 0, "quillet-cli --help exits %d" % r.returncode)
        commands = set(re.findall(r"^\s*(?:usage:)?\s*quillet-cli ([a-z][a-z-]*)", r.stdout, re.M))
        listing = re.search(r"^(?:Subcommands|Commands):\s*\n((?:[ \t]+\S.*\n?)+)", r.stdout, re.M)
        if listing:
            commands |= set(re.findall(r"^[ \t]+([a-z][a-z-]*)", listing.group(1), re.M))
        check(bool(commands), "no command found in quillet-cli --help:\n" + r.stdout)
        with open(os.path.join(source, "docs/man/quillet-cli.1"), encoding="utf-8") as f:
            sections = set(re.findall(r"^\.SS (\S+)", f.read(), re.M))
        for command in sorted(commands):
            check(command in sections, "quillet-cli(1) has no section for the command " + command)
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    for tool in ("desktop-file-validate", "appstreamcli", "groff"):
        if shutil.which(tool) is None:
            sys.exit("install_layout_test: %s is missing (tools/install-deps.sh installs it)" % tool)
    main()
    print("install_layout: %s" % ("%d checks failed" % len(failures) if failures else "ok"))
    sys.exit(1 if failures else 0)
