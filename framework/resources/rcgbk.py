#!/usr/bin/env python3
"""Resource scripts (.rc) are GBK bytes on disk (code page 936); our sources
are UTF-8. This tool moves an .rc file between the two and checks it.

    rcgbk.py write FILE.rc < text.utf8   # UTF-8 text in, GBK file out (checked)
    rcgbk.py show FILE.rc                # the file as UTF-8, for reading and editing
    rcgbk.py check FILE.rc...            # every file: GBK, code page pragma, no trap bytes

The trap: a GBK character whose second byte is 0x5C reads as a backslash
inside an .rc string, and windres then takes it for an escape. Such
characters are refused; write them with another word.
"""
import sys

PRAGMA = "#pragma code_page(936)"


def problems(text):
    found = []
    if PRAGMA not in text:
        found.append("no '%s' line" % PRAGMA)
    for ch in sorted(set(text)):
        b = ch.encode("gbk")
        if len(b) == 2 and b[1] == 0x5C:
            found.append("'%s' ends in the byte 0x5C" % ch)
    return found


def main(argv):
    if len(argv) < 3 or argv[1] not in ("write", "show", "check"):
        print(__doc__)
        return 2
    command, files = argv[1], argv[2:]
    if command == "write":
        text = sys.stdin.read()
        bad = problems(text)
        if bad:
            print("%s: %s" % (files[0], "; ".join(bad)), file=sys.stderr)
            return 1
        with open(files[0], "wb") as f:
            f.write(text.encode("gbk"))
        return 0
    status = 0
    for name in files:
        with open(name, "rb") as f:
            try:
                text = f.read().decode("gbk")
            except UnicodeDecodeError as e:
                print("%s: not GBK (%s)" % (name, e), file=sys.stderr)
                status = 1
                continue
        if command == "show":
            sys.stdout.write(text)
            continue
        bad = problems(text)
        if bad:
            print("%s: %s" % (name, "; ".join(bad)), file=sys.stderr)
            status = 1
    return status


if __name__ == "__main__":
    sys.exit(main(sys.argv))
