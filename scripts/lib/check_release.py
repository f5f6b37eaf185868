#!/usr/bin/python3
"""Checks the Windows release zip, for scripts/test-windows:

    check_release.py ZIP VERSION

- the zip holds velnor.exe and README.txt and nothing else;
- README.txt is UTF-8 with a byte-order mark and CRLF line ends (what Notepad on Windows 7
  reads as UTF-8), and names the version;
- velnor.exe is a 32-bit program that imports only from DLLs every Windows since 7 has: no
  runtime DLL (the runtimes are linked in), no shcore.dll, no api-ms-win-* set;
- it imports no function that Windows 7 lacks: none of those known to come later, and only
  functions that the SDK headers declare when told the program is for Windows 7;
- its resources hold the manifest (type 24, number 1) and the version, with VERSION as its
  file and product version.
The MinGW tools i686-w64-mingw32-objdump, -windres and -gcc must be on PATH.
Exit status 1 with the reasons, one a line, when a check fails.
"""

import os
import re
import subprocess
import sys
import tempfile
import zipfile

TOOLS = "i686-w64-mingw32-"

# On every Windows since XP; a program linked statically needs nothing else.
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "winmm.dll", "msvcrt.dll",
               "advapi32.dll", "shell32.dll", "ole32.dll", "comctl32.dll", "comdlg32.dll",
               "version.dll", "imm32.dll", "shlwapi.dll", "ws2_32.dll"}

# Functions from Windows 8 on that the SDK headers declare whatever version they are told,
# and those of the dpi family, which must be looked up at run time.
LATER_FUNCTIONS = {
    "GetSystemTimePreciseAsFileTime", "WaitOnAddress", "WakeByAddressSingle",
    "WakeByAddressAll", "CreateFile2", "GetCurrentThreadStackLimits", "SetThreadDescription",
    "GetThreadDescription", "InitializeSynchronizationBarrier", "EnterSynchronizationBarrier",
    "DeleteSynchronizationBarrier", "GetDpiForWindow", "GetDpiForSystem", "GetDpiForMonitor",
    "SetProcessDpiAwareness", "GetProcessDpiAwareness", "SetProcessDpiAwarenessContext",
    "SetThreadDpiAwarenessContext", "GetThreadDpiAwarenessContext", "AdjustWindowRectExForDpi",
    "GetSystemMetricsForDpi", "SystemParametersInfoForDpi", "EnableNonClientDpiScaling"}

problems = []


def run(*command):
    done = subprocess.run(command, capture_output=True, text=True,
                          env=dict(os.environ, LC_ALL="C"))
    return done.returncode, done.stdout + done.stderr


def check_readme(text_bytes, version):
    if not text_bytes.startswith(b"\xef\xbb\xbf"):
        problems.append("README.txt does not start with the UTF-8 byte-order mark")
    if text_bytes.replace(b"\r\n", b"").count(b"\n") or text_bytes.replace(b"\r\n", b"").count(
            b"\r"):
        problems.append("README.txt has line ends other than CRLF")
    try:
        text = text_bytes.decode("utf-8-sig")
    except UnicodeDecodeError as error:
        problems.append("README.txt is not UTF-8: %s" % error)
        return
    if version not in text.splitlines()[0]:
        problems.append("README.txt's first line does not name version %s" % version)


def imports(exe):
    """{dll (lower case): [function, ...]} from the import table."""
    status, text = run(TOOLS + "objdump", "-p", exe)
    if status != 0:
        sys.exit("objdump failed: " + text.strip())
    if not re.search(r"^Magic\s+010b\s+\(PE32\)", text, re.M):
        problems.append("velnor.exe is not a 32-bit program")
    table = {}
    dll = None
    for line in text.splitlines():
        named = re.match(r"\s+DLL Name: (\S+)", line)
        entry = re.match(r"\s+[0-9a-f]+\s+\d+\s+(\S+)$", line)
        if named:
            dll = named.group(1).lower()
            table[dll] = []
        elif dll and entry:
            table[dll].append(entry.group(1))
        elif not line.strip():
            dll = None
    return table


def check_imports(table):
    for dll in sorted(table):
        if dll not in SYSTEM_DLLS:
            problems.append("imports from %s, which is not on every Windows since 7" % dll)
    functions = sorted({f for dll, names in table.items() if dll != "msvcrt.dll" for f in names})
    for function in functions:
        if function in LATER_FUNCTIONS:
            problems.append("imports %s directly, which Windows 7 lacks" % function)
    # The SDK headers told to stop at Windows 7 must declare every function used.
    with tempfile.TemporaryDirectory() as folder:
        probe = os.path.join(folder, "probe.c")
        with open(probe, "w") as out:
            out.write("#include <windows.h>\n#include <mmsystem.h>\n")
            for function in functions:
                out.write("void* use_%s = (void*)&%s;\n" % (function, function))
        status, text = run(TOOLS + "gcc", "-D_WIN32_WINNT=0x0601", "-DWINVER=0x0601",
                           "-fsyntax-only", probe)
    for function in sorted(set(re.findall(r"'(\w+)' undeclared", text)) - LATER_FUNCTIONS):
        problems.append("imports %s, not declared for Windows 7 by the SDK headers" % function)
    if status != 0 and not problems:
        problems.append("the Windows 7 header probe did not compile: " + text.strip())


def check_resources(exe, version):
    status, script = run(TOOLS + "windres", "-i", exe, "-O", "rc")
    if status != 0:
        problems.append("windres cannot read the resources: " + script.strip())
        return
    if not re.search(r"^1 24\b", script, re.M):
        problems.append("no manifest resource (type 24, number 1)")
    if not re.search(r"^1 VERSIONINFO\b", script, re.M):
        problems.append("no version resource")
    for key in ("FileVersion", "ProductVersion"):
        if 'VALUE "%s", "%s"' % (key, version) not in script:
            problems.append("the version resource's %s is not %s" % (key, version))


def main(argv):
    if len(argv) != 2:
        sys.exit(__doc__.strip().splitlines()[0])
    path, version = argv
    with zipfile.ZipFile(path) as archive, tempfile.TemporaryDirectory() as folder:
        names = sorted(archive.namelist())
        if names != ["README.txt", "velnor.exe"]:
            problems.append("the zip holds %s, not README.txt and velnor.exe" % names)
        if "README.txt" in names:
            check_readme(archive.read("README.txt"), version)
        if "velnor.exe" in names:
            exe = archive.extract("velnor.exe", folder)
            check_imports(imports(exe))
            check_resources(exe, version)
    for problem in problems:
        print(problem)
    sys.exit(1 if problems else 0)


if __name__ == "__main__":
    main(sys.argv[1:])
