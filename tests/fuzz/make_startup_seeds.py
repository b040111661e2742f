#!/usr/bin/env python3
"""Writes the seed inputs of fuzz_startup into tests/fuzz/corpus/startup/.

fuzz_startup reads its input with FuzzedDataProvider: texts from the front (each ends at a
backslash followed by another character; a doubled backslash is one backslash), the
yes/no choices and the run time from the back, one byte each, last byte first.
"""
import pathlib

SETTINGS = ["Text1", "Alarm", "Check1", "Check2", "Check3", "Windows Startup", "Minimized",
            "StartStopState"]
EXAMPLE_SKIN = pathlib.Path(__file__).resolve().parents[2] / "skins/example/x/o.cjs"
SKIN = "".join(line for line in EXAMPLE_SKIN.read_text().splitlines(True) if not line.startswith("#"))


def seed(settings, wav=True, cursor=None, skin=None, seconds=180):
    texts, choices = [], []
    for name in SETTINGS:
        choices.append(name in settings)
        texts.append(settings.get(name, ""))
    choices += [wav, cursor is not None]
    if cursor is not None:
        texts.append(cursor)
    choices.append(skin is not None)
    if skin is not None:
        texts.append(skin)
    front = b"".join(t.encode("latin-1").replace(b"\\", b"\\\\") + b"\\;" for t in texts)
    back = bytes([seconds]) + bytes(int(c) for c in reversed(choices))
    return front + back


all_on = {"Check1": "1", "Check2": "1", "Check3": "1", "StartStopState": "On"}
SEEDS = {
    "first-run": seed({}),
    "every-tick-a-break": seed({"Text1": "0", **all_on}),
    "one-minute-window": seed({"Text1": "1", "Check1": "0", "Check2": "0", "Check3": "1",
                               "StartStopState": "On"}),
    "too-many-minutes": seed({"Text1": "40000", **all_on}),
    "not-numbers": seed({"Text1": "abc", "Check1": "x", "Check2": "2", "Check3": "-1",
                         "StartStopState": "on"}),
    "start-in-tray": seed({"Windows Startup": "On", "Minimized": "On", "StartStopState": "On",
                           "Text1": "1"}),
    "missing-sound": seed({"Alarm": "C:\\nowhere\\gone.wav", **all_on, "Text1": "1"}, wav=False),
    "bad-cursor": seed({"Text1": "0", "Check3": "1", "StartStopState": "On"}, cursor="not a cursor"),
    "skin": seed({}, skin=SKIN[:SKIN.rfind("\n", 0, 400) + 1]),
}

out = pathlib.Path(__file__).resolve().parent / "corpus" / "startup"
out.mkdir(parents=True, exist_ok=True)
for name, data in SEEDS.items():
    (out / name).write_bytes(data)
print(f"{len(SEEDS)} seeds in {out}")
