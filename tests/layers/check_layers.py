#!/usr/bin/env python3
"""Holds every #include of the program's folders to the arrows of the architecture.

Usage: check_layers.py SOURCE_ROOT      check the tree; exit 1 naming each forbidden arrow
       check_layers.py --self-test      check the rules themselves on rows of known answers

Each file belongs to one layer; a layer may include itself and the layers it points to (the
arrows point down only). Qt headers and the Windows headers are held to the folders that may
touch those systems. Tests, benchmarks and fuzz targets are not held: they may reach anything.
"""

import pathlib
import re
import sys

CHECKED = ("textconv", "fileio", "resources", "platform", "toolkit", "model", "ui", "tools")

# The model files that read or write the main dialog through the toolkit; every other model
# file is pure.
MODEL_CODEC = ("model/bit_codec.", "model/bit_fields.")

# Files the system-bound parts of a folder are recognised by.
ENTRY_QT = ("ui/main/main.cpp",)
ENTRY_WIN32 = ("ui/main/main_win32.cpp",)
ENTRY_WEB = ("ui/main/main_web.cpp",)
REPLAY_QT = ("tools/replay/qt_", "tools/replay/main.cpp")
REPLAY_WIN32 = ("tools/replay/win32_",)
REPLAY_WEB = ("tools/replay/web/",)


def layer_of(path):
    """The layer of a repository path ("model/formats.h"), None when it is not checked."""
    if path.startswith(MODEL_CODEC):
        return "model_codec"
    if path.startswith(ENTRY_QT):
        return "entry_qt"
    if path.startswith(ENTRY_WIN32):
        return "entry_win32"
    if path.startswith(REPLAY_QT):
        return "replay_qt"
    if path.startswith(REPLAY_WIN32):
        return "replay_win32"
    if path.startswith(ENTRY_WEB):
        return "entry_web"
    if path.startswith(REPLAY_WEB):
        return "replay_web"
    if path == "platform/handles.h":
        return "handles"
    if path.startswith("fileio/file_writer_win32"):
        return "fileio_win32"
    parts = path.split("/")
    if len(parts) < 2 or parts[0] not in CHECKED:
        return None
    if parts[0] in ("platform", "ui", "tools") and len(parts) > 2:
        return parts[0] + "_" + parts[1]
    return parts[0]


BELOW_UI = {"model", "model_codec", "toolkit", "textconv", "platform", "handles", "fileio",
            "resources"}

# layer -> the layers it may include (besides itself).
ARROWS = {
    "textconv": set(),
    "fileio": set(),
    "fileio_win32": {"fileio"},
    "resources": set(),
    "handles": set(),
    "platform": {"handles"},
    "platform_qt": {"platform", "handles", "resources", "textconv"},
    "platform_win32": {"platform", "handles", "resources", "textconv"},
    # The page writes the summary file itself: the file writer's interface is its to implement.
    "platform_web": {"platform", "handles", "resources", "textconv", "fileio"},
    "platform_fake": {"platform", "handles"},
    "toolkit": {"platform", "handles", "textconv"},
    "model": {"textconv", "handles"},
    "model_codec": {"model", "toolkit", "platform", "handles", "textconv"},
    "ui_shared": BELOW_UI - {"fileio"},
    "ui_auxwin": BELOW_UI | {"ui_shared"},
    "ui_main": BELOW_UI | {"ui_shared", "ui_auxwin"},
    "entry_qt": {"ui_main", "platform_qt"},
    "entry_win32": {"ui_main", "platform_win32"},
    "entry_web": {"ui_main", "platform_web"},
    "tools_cli": {"model", "textconv"},
    "tools_replay": BELOW_UI | {"ui_main", "ui_shared", "ui_auxwin"},
    "replay_qt": BELOW_UI | {"tools_replay", "ui_main", "platform_qt"},
    "replay_win32": BELOW_UI | {"tools_replay", "ui_main", "platform_win32"},
    "replay_web": BELOW_UI | {"tools_replay", "ui_main", "platform_web"},
}

# System headers and the layers that may include them.
QT_HEADER = re.compile(r"^Q[A-Za-z]|^Qt[A-Za-z]*/")
WIN32_HEADERS = {"windows.h", "commctrl.h", "commdlg.h", "oleacc.h", "initguid.h", "shlobj.h",
                 "shellapi.h", "objbase.h", "uxtheme.h"}
MAY_USE_QT = {"platform_qt", "replay_qt"}
MAY_USE_WIN32 = {"platform_win32", "replay_win32", "entry_win32", "fileio_win32"}

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.MULTILINE)


def forbidden(path, quote, target):
    """Why including `target` from `path` breaks an arrow; None when it may."""
    source = layer_of(path)
    if source is None:
        return None
    if quote == "<":
        name = target.split("/")[-1].lower()
        if QT_HEADER.match(target) and source not in MAY_USE_QT:
            return "Qt header outside the Qt platform and the Qt driver"
        if name in WIN32_HEADERS and source not in MAY_USE_WIN32:
            return "Windows header outside the Windows platform and driver"
        return None
    destination = layer_of(target)
    if destination is None:
        return "includes from outside the program's folders"
    if destination == source or destination in ARROWS[source]:
        return None
    return f"{source} may not include {destination}"


def check(root):
    faults = []
    checked = 0
    for folder in CHECKED:
        for file in sorted((root / folder).rglob("*")):
            if file.suffix not in (".h", ".cpp"):
                continue
            path = file.relative_to(root).as_posix()
            for match in INCLUDE.finditer(file.read_text(encoding="utf-8", errors="replace")):
                checked += 1
                why = forbidden(path, match.group(1), match.group(2))
                if why:
                    text = file.read_text(encoding="utf-8", errors="replace")
                    line = text.count("\n", 0, match.start()) + 1
                    closer = ">" if match.group(1) == "<" else '"'
                    faults.append(f"{path}:{line}: #include {match.group(1)}{match.group(2)}"
                                  f"{closer}: {why}")
    return faults, checked


# (name, file, include as written, allowed)
SELF_TEST_ROWS = [
    ("pure model uses the text layer", "model/classify.cpp", '"textconv/layouts.h"', True),
    ("pure model holds handles", "model/app_state.h", '"platform/handles.h"', True),
    ("pure model reaches the toolkit", "model/classify.cpp", '"toolkit/dialog.h"', False),
    ("pure model reaches the codec", "model/app_state.cpp", '"model/bit_codec.h"', False),
    ("pure model reaches the platform", "model/ids.h", '"platform/dialog_template.h"', False),
    ("codec goes through the toolkit", "model/bit_codec.cpp", '"toolkit/dialog.h"', True),
    ("text layer is pure", "textconv/layouts.cpp", '"model/formats.h"', False),
    ("toolkit uses the interface", "toolkit/dialog.h", '"platform/platform.h"', True),
    ("toolkit reaches Qt's platform", "toolkit/dialog.cpp", '"platform/qt/qt_platform.h"', False),
    ("toolkit includes Qt", "toolkit/dialog.cpp", "<QWidget>", False),
    ("interface reaches up", "platform/platform.h", '"toolkit/dialog.h"', False),
    ("Qt platform includes Qt", "platform/qt/dialog_window.cpp", "<QDialog>", True),
    ("Windows platform includes Qt", "platform/win32/win32_text.cpp", "<QString>", False),
    ("Qt platform includes windows.h", "platform/qt/qt_platform.cpp", "<windows.h>", False),
    ("one platform reaches another", "platform/win32/win32_platform.cpp",
     '"platform/qt/qt_platform.h"', False),
    ("auxiliary window reaches the main one", "ui/auxwin/summary.cpp",
     '"ui/main/main_window.h"', False),
    ("main window uses the auxiliary ones", "ui/main/startup.cpp", '"ui/auxwin/summary.h"', True),
    ("main window names a platform", "ui/main/startup.cpp", '"platform/qt/qt_platform.h"', False),
    ("entry point names its platform", "ui/main/main.cpp", '"platform/qt/qt_platform.h"', True),
    ("command line uses the pure model", "tools/cli/window_views.cpp", '"model/classify.h"', True),
    ("command line reaches the codec", "tools/cli/reading.cpp", '"model/bit_codec.h"', False),
    ("command line reaches the toolkit", "tools/cli/cli.cpp", '"toolkit/dialog.h"', False),
    ("shared driver includes Qt", "tools/replay/driver.cpp", "<QWidget>", False),
    ("shared driver reaches a platform", "tools/replay/driver.cpp",
     '"platform/win32/win32_platform.h"', False),
    ("Qt driver includes Qt", "tools/replay/qt_driver.cpp", "<QApplication>", True),
    ("Windows driver uses the shared one", "tools/replay/win32_driver.cpp",
     '"tools/replay/driver.h"', True),
    ("program reaches the tests", "ui/main/startup.cpp", '"tests/support/temp_folder.h"', False),
]


def self_test():
    wrong = 0
    for name, path, written, allowed in SELF_TEST_ROWS:
        quote, target = written[0], written[1:-1]
        why = forbidden(path, quote, target)
        if (why is None) != allowed:
            wrong += 1
            print(f"{name}: {path} including {written} should be "
                  f"{'allowed' if allowed else 'refused'}, got {why or 'allowed'}")
    print(f"{len(SELF_TEST_ROWS) - wrong} of {len(SELF_TEST_ROWS)} rows right")
    return 1 if wrong else 0


def main(argv):
    if argv[1:] == ["--self-test"]:
        return self_test()
    if len(argv) != 2:
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    faults, checked = check(pathlib.Path(argv[1]))
    for fault in faults:
        print(fault)
    print(f"{checked} includes checked, {len(faults)} forbidden")
    if checked == 0:
        print("no include found: is SOURCE_ROOT the repository?")
        return 1
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
