#!/usr/bin/env python3
"""The English catalogue is complete: lupdate finds every source text of the programs in it,
none unfinished or left over, and each translation keeps its source's %N placeholders and
holds no Cyrillic. Usage: translations_test.py LUPDATE SOURCE_DIR"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET


def messages(path):
    for context in ET.parse(path).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            yield name, message


def main():
    lupdate, source = sys.argv[1], sys.argv[2]
    committed = os.path.join(source, "translations", "pagula_en.ts")
    failures = []
    with tempfile.TemporaryDirectory() as work:
        fresh = os.path.join(work, "pagula_en.ts")
        shutil.copy(committed, fresh)
        subprocess.run([lupdate, "-silent", "-locations", "none", "-no-obsolete",
                        os.path.join(source, "src"), "-ts", fresh], check=True)
        before = {(c, m.findtext("source")) for c, m in messages(committed)}
        after = {(c, m.findtext("source")) for c, m in messages(fresh)}
        for c, text in sorted(after - before):
            failures.append(f"not in the catalogue: {c}: {text!r}")
        for c, text in sorted(before - after):
            failures.append(f"no longer in the sources: {c}: {text!r}")
        for c, m in messages(fresh):
            text = m.findtext("source")
            translation = m.find("translation")
            shown = translation.text or ""
            if translation.get("type") in ("unfinished", "vanished", "obsolete") or not shown:
                failures.append(f"unfinished: {c}: {text!r}")
                continue
            if sorted(re.findall(r"%\d", text)) != sorted(re.findall(r"%\d", shown)):
                failures.append(f"placeholders differ: {c}: {text!r} -> {shown!r}")
            if re.search("[\u0400-\u04ff]", shown):
                failures.append(f"Cyrillic in the English text: {c}: {shown!r}")
    for f in failures:
        print(f)
    print(f"{len(after)} texts, {len(failures)} problems")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
