#!/usr/bin/python3
"""Fails when a catalogue is incomplete or a text a user reads escapes translation.

  check_translations.py SOURCE_DIR LUPDATE

1. Every message of translations/*.ts is finished, every plural has all its forms, and each
   translation keeps the placeholders (%1, %n) of its source.
2. lupdate run afresh over src/ into a copy finds no message the catalogues lack.
3. No literal that reads as prose is handed to a widget, a menu, a notice or the command line's
   output outside tr(), except the entries of ALLOWED.
"""
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

# (file, literal) pairs that are not words for a reader: names, formats, separators.
ALLOWED = {
    ("src/ui/settings/PromptsTab.cpp", "JSON (*.json)"),
}

# Calls whose text argument a user reads.
SINKS = (r"setText|setToolTip|setPlaceholderText|setAccessibleName|setAccessibleDescription|"
         r"setWindowTitle|setTitle|addAction|addItem|addButton|showMessage|new QLabel|"
         r"new QPushButton|new QCheckBox|new QRadioButton|button|label|line|title|toggle|"
         r"sectionLabel|roleLabel|roleButton|makeButton|toolButton|say|showTransfer|toast")
SINK_LITERAL = re.compile(r"\b(?:" + SINKS + r")\(\s*QStringLiteral\(\s*\"((?:[^\"\\]|\\.)*)\"")
# A notice the desktop layer shows.
TOAST_LITERAL = re.compile(r"\btoast\(\s*QStringLiteral\(\s*\"((?:[^\"\\]|\\.)*)\"")
# A message streamed to the terminal: `env.err << "Words …"`.
STREAM_LITERAL = re.compile(r"(?:err|out)\s*<<\s*\"((?:[^\"\\]|\\.)*[A-Za-z]{2}(?:[^\"\\]|\\.)*)\"")
PLACEHOLDER = re.compile(r"%(?:\d|n)")


# The program's own names, alone or as the prefix of a message, and JSON.
NOT_PROSE = re.compile(r"Tessarine|tessarine-cli: (?:applicationDefaults: )?|\{.*")


def prose(text):
    return (re.search(r"[A-Za-z]{3}", text) and not re.fullmatch(r"[a-z][\w.:/-]*", text) and
            not NOT_PROSE.fullmatch(text))


def check_catalogue(path, faults):
    root = ET.parse(path).getroot()
    forms = 2  # German and Spanish both have one plural besides the singular.
    for context in root.iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            source = message.findtext("source")
            translation = message.find("translation")
            where = f"{path.name}: {name}: {source!r}"
            if translation.get("type") in ("unfinished", "obsolete", "vanished"):
                faults.append(f"{where}: {translation.get('type')}")
                continue
            if message.get("numerus") == "yes":
                texts = [f.text or "" for f in translation.iter("numerusform")]
                if len(texts) < forms or not all(texts):
                    faults.append(f"{where}: plural forms missing")
            else:
                texts = [translation.text or ""]
                if not texts[0]:
                    faults.append(f"{where}: empty translation")
            wanted = sorted(set(PLACEHOLDER.findall(source)))
            for text in texts:
                have = sorted(set(PLACEHOLDER.findall(text)))
                # A singular form may spell the count out ("Die erste Änderung").
                if have != wanted and not (message.get("numerus") == "yes" and
                                           set(have) == set(wanted) - {"%n"}):
                    faults.append(f"{where}: placeholders {have} instead of {wanted}")


def check_fresh_scan(root, lupdate, faults):
    with tempfile.TemporaryDirectory() as folder:
        for ts in sorted((root / "translations").glob("*.ts")):
            copy = pathlib.Path(folder) / ts.name
            shutil.copy(ts, copy)
            subprocess.run([lupdate, "-silent", "-no-obsolete", "-locations", "none",
                            str(root / "src"), "-ts", str(copy)], check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            for context in ET.parse(copy).getroot().iter("context"):
                for message in context.iter("message"):
                    if message.find("translation").get("type") == "unfinished":
                        faults.append(f"{ts.name}: not in the catalogue: "
                                      f"{context.findtext('name')}: {message.findtext('source')!r}")


def check_literals(root, faults):
    patterns = {"src/ui": [SINK_LITERAL], "src/app": [SINK_LITERAL],
                "src/cli": [SINK_LITERAL, STREAM_LITERAL], "src/desktop": [TOAST_LITERAL]}
    for folder, folder_patterns in patterns.items():
        for path in sorted((root / folder).rglob("*.cpp")):
            relative = str(path.relative_to(root))
            text = path.read_text(encoding="utf-8")
            found = [m.group(1) for p in folder_patterns for m in p.finditer(text)]
            for literal in found:
                if prose(literal) and (relative, literal) not in ALLOWED:
                    faults.append(f"{relative}: untranslated text {literal!r}")


def main():
    root = pathlib.Path(sys.argv[1])
    faults = []
    catalogues = sorted((root / "translations").glob("*.ts"))
    if not catalogues:
        faults.append("no catalogue under translations/")
    for ts in catalogues:
        check_catalogue(ts, faults)
    check_fresh_scan(root, sys.argv[2], faults)
    check_literals(root, faults)
    for fault in faults:
        print(fault)
    print(f"{len(catalogues)} catalogues, {len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
