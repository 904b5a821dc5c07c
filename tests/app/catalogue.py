"""The shipped catalogue, loaded in a Wine prefix of the test's own, made
fresh, so that switching its Windows version or importing into it disturbs
nothing else.

  catalogue.py versions   --build DIR   loads it as each Windows version
  catalogue.py round_trip --build DIR   flips every setting, saves them to a
                                        .reg file, imports that file with the
                                        registry editor and loads it again
  catalogue.py export     --build DIR   flips every setting, exports what then
                                        differs from its default with
                                        velmora-dump and imports the export
                                        into a second fresh prefix
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile

VERSIONS = ("winxp64", "win2003", "vista", "win7", "win10")

# Settings that show only where their conditions hold: (qualified id, the
# versions that show it).
LEGACY = ("winxp64", "win2003")
VISTA_ON = ("vista", "win7", "win10")
KNOWN = [
    ("net-tcpip.ip.DefaultTTL", VERSIONS),
    ("net-tcpip-retrans.ack.SackOpts", LEGACY),
    ("net-tcpip-conn.ports.MaxUserPort", LEGACY),
    ("net-adapters.window.\x01global.TcpWindowSize", LEGACY),
    ("net-adapters.rfc1323.\x01global.Tcp1323Opts", LEGACY),
    ("mm-system.SystemResponsiveness.SystemResponsiveness", VISTA_ON),
    ("err-dumps.LocalDumps.LocalDumps", VISTA_ON),
    ("sec-uac.EnableLUA.EnableLUA", VISTA_ON),
    ("priv-telemetry.AllowTelemetry.AllowTelemetry", ("win10",)),
    ("share-client.DisableBandwidthThrottling.DisableBandwidthThrottling", ("win10",)),
    ("cpu-scheduling.Win32PrioritySeparation.Win32PrioritySeparation", VERSIONS),
]

# Values that Wine writes back itself, with its own default, whenever a
# program starts after they were deleted.
WINE_RESTORES = {"vfx.vfx-font.FontSmoothing", "vfx.vfx-font.FontSmoothingType",
                 "desktop.DragFullWindows.DragFullWindows"}

ADAPTERS = r"HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Class\{4D36E972-E325-11CE-BFC1-08002BE10318}"
INTERFACES = r"HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\Tcpip\Parameters\Interfaces"
# What a 64-bit Windows holds and Wine lacks: two adapters (the first with a
# window of its own, the second inheriting), the class key's Properties
# entry that is no adapter, and the desktop heap line.
PLANTED = rf"""Windows Registry Editor Version 5.00

[{ADAPTERS}\0000]
"NetCfgInstanceId"="{{5A0C1B7E-0000-4000-8000-000000000001}}"
"DriverDesc"="Intel(R) PRO/1000 MT Network Connection"

[{ADAPTERS}\0001]
"NetCfgInstanceId"="{{5A0C1B7E-0000-4000-8000-000000000002}}"
"DriverDesc"="Virtual Ethernet Adapter"

[{ADAPTERS}\Properties]

[{INTERFACES}\{{5A0C1B7E-0000-4000-8000-000000000001}}]
"TcpWindowSize"=dword:0000faf0

[{INTERFACES}\{{5A0C1B7E-0000-4000-8000-000000000002}}]

[HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Session Manager\SubSystems]
"Windows"="%SystemRoot%\\system32\\csrss.exe ObjectDirectory=\\Windows SharedSection=1024,20480,768 Windows=On SubSystemType=Windows ServerDll=basesrv,1 ServerDll=winsrv:UserServerDllInitialization,3 ServerDll=winsrv:ConServerDllInitialization,2 ProfileControl=Off MaxRequestThreads=16"
"""


class Failure(Exception):
    pass


class Prefix:
    """A Wine prefix made for one test and removed after it."""

    def __init__(self, build):
        self.build = build
        self.folder = tempfile.mkdtemp(prefix="catalogue-", dir=build)
        self.env = dict(os.environ, WINEPREFIX=os.path.join(self.folder, "prefix"),
                        WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
        self.env.pop("DISPLAY", None)
        self.wine("wineboot", "--init", timeout=180)

    def wine(self, *args, timeout=60):
        try:
            ran = subprocess.run(["wine", *args], env=self.env, cwd=self.folder,
                                 capture_output=True, timeout=timeout, stdin=subprocess.DEVNULL)
        except subprocess.TimeoutExpired:
            raise Failure(f"wine {' '.join(args)} did not end within {timeout} s")
        return ran.returncode, ran.stdout.decode("utf-8", "replace"), ran.stderr.decode(
            "utf-8", "replace")

    def path(self, name):
        return os.path.join(self.folder, name)

    def windows_path(self, name):
        return "Z:" + self.path(name).replace("/", "\\")

    def switch(self, version):
        for _ in range(3):
            if self.wine("winecfg", "-v")[1].strip() == version:
                return
            self.wine("winecfg", "-v", version)
        raise Failure(f"the prefix would not switch to {version}")

    def import_reg(self, name, text=None):
        if text is not None:
            with open(self.path(name), "wb") as file:
                file.write(b"\xff\xfe" + text.replace("\n", "\r\n").encode("utf-16-le"))
        code, out, err = self.wine("regedit", "/s", self.windows_path(name))
        if code != 0:
            raise Failure(f"regedit /s {name}: exit {code}\n{out}{err}")

    def close(self):
        subprocess.run(["wineserver", "-k"], env=self.env, timeout=60,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        shutil.rmtree(self.folder, ignore_errors=True)


def windows(path):
    return "Z:" + path.replace("/", "\\")


def run(prefix, program, *args):
    code, out, err = prefix.wine(program, *args)
    if code != 0:
        raise Failure(f"{os.path.basename(program)} {' '.join(args)}: exit {code}\n{out}{err}")
    return out


ITEM = re.compile(r"^    item (\S+) class=(\S+) .* default=(\S+) stored=(\S+) current=(\S+)"
                  r"(?: inherited=(\S+))?"
                  r"(?: targets=\d+)?$", re.M)


def items_of(dump):
    """qualified id -> (class, default, stored, current, inherited)."""
    found = {}
    for match in ITEM.finditer(dump):
        if match.group(1) in found:
            raise Failure(f"{match.group(1)!r} listed twice")
        found[match.group(1)] = match.groups()[1:]
    return found


def test_versions(build, prefix):
    items = windows(os.path.join(build, "run", "items"))
    dump_exe = os.path.join(build, "run", "velmora-dump.exe")
    shown = {}
    for version in VERSIONS:
        prefix.switch(version)
        code, out, err = prefix.wine(os.path.join(build, "tests", "app", "catalogue_check.exe"),
                                     items, "check")
        if code != 0:
            raise Failure(f"as {version} the catalogue is not sound:\n{out}{err}")
        shown[version] = items_of(run(prefix, dump_exe, "/items", items))
        print(f"{version}: {len(shown[version])} items")
    for qualified, versions in KNOWN:
        where = [version for version in VERSIONS if qualified in shown[version]]
        if where != list(versions):
            raise Failure(f"{qualified!r} shows as {where}, expected as {list(versions)}")


def test_round_trip(build, prefix):
    items = windows(os.path.join(build, "run", "items"))
    check = os.path.join(build, "tests", "app", "catalogue_check.exe")
    dump_exe = os.path.join(build, "run", "velmora-dump.exe")
    prefix.import_reg("planted.reg", PLANTED)
    for version in ("winxp64", "win10"):
        prefix.switch(version)
        before = items_of(run(prefix, dump_exe, "/items", items))
        expected = items_of(run(prefix, check, items, "flip", prefix.windows_path("flipped.reg")))
        prefix.import_reg("flipped.reg")
        after = items_of(run(prefix, dump_exe, "/items", items))
        faults = []
        for qualified, (cls, default, _, current, inherited) in expected.items():
            if qualified not in after:
                faults.append(f"{qualified}: gone after the import")
                continue
            _, _, stored_now, current_now, inherited_now = after[qualified]
            if qualified in WINE_RESTORES and current == default:
                continue
            if (current_now, inherited_now) != (current, inherited) or stored_now != current_now:
                faults.append(f"{qualified} ({cls}): set {current} inherited={inherited}, "
                              f"reads {current_now} inherited={inherited_now}")
        changed = sum(1 for q, v in expected.items() if before.get(q, v)[3] != v[3])
        print(f"{version}: {len(expected)} items, {changed} changed by the file")
        if changed < len(expected) // 2:
            raise Failure(f"as {version} only {changed} of {len(expected)} items changed")
        if faults:
            raise Failure(f"as {version}:\n" + "\n".join(faults))


VALUE_NAME = re.compile(r'^("(?:[^"\\]|\\.)*"|@)=')


def entries_of(script, entries):
    """Adds the script's keys, and its values as (key, name), folded."""
    key = None
    for line in script.splitlines():
        if line.startswith("["):
            key = line.lower()
            entries.add(key)
        elif (name := VALUE_NAME.match(line)) and key is not None:
            entries.add((key, name.group(1).lower()))
    return entries


def records_of(out):
    """qualified id -> the entries that the item records when saved alone."""
    parts = re.split(r"^item (\S+)\n", out, flags=re.M)[1:]
    return {qualified: entries_of(script, set())
            for qualified, script in zip(parts[::2], parts[1::2])}


def export_checked(prefix, items, name):
    """Exports with velmora-dump; checks that the file holds exactly what the
    items away from their defaults record, so that an item at its default
    that got in would add its value. Gives the dump and those items."""
    check = os.path.join(prefix.build, "tests", "app", "catalogue_check.exe")
    dump_exe = os.path.join(prefix.build, "run", "velmora-dump.exe")
    shown = items_of(run(prefix, dump_exe, "/items", items))
    records = records_of(run(prefix, check, items, "records"))
    run(prefix, dump_exe, "/items", items, "/export", prefix.windows_path(name))
    exported = [q for q, (_, default, _, current, _) in shown.items() if current != default]
    with open(prefix.path(name), "rb") as file:
        found = entries_of(file.read().decode("utf-16"), set())
    wanted = set().union(*(records[q] for q in exported))
    print(f"{name}: {len(exported)} of {len(shown)} items exported, "
          f"{len(found)} keys and values")
    if found != wanted:
        raise Failure(f"{name} differs from the records of the items off their defaults:\n"
                      f"extra {sorted(map(str, found - wanted))}\n"
                      f"missing {sorted(map(str, wanted - found))}")
    return shown, exported


def test_export(build, prefix):
    items = windows(os.path.join(build, "run", "items"))
    check = os.path.join(build, "tests", "app", "catalogue_check.exe")
    prefix.import_reg("planted.reg", PLANTED)
    # Fresh, nearly every item is at its default; flipped, nearly none is.
    # Each dump runs after the import, so a value that Wine wrote back
    # itself (WINE_RESTORES) is read as the export reads it.
    export_checked(prefix, items, "fresh.reg")
    run(prefix, check, items, "flip", prefix.windows_path("flipped.reg"))
    prefix.import_reg("flipped.reg")
    tuned, exported = export_checked(prefix, items, "tuned.reg")
    second = Prefix(build)
    try:
        second.import_reg("planted.reg", PLANTED)
        shutil.copy(prefix.path("tuned.reg"), second.path("tuned.reg"))
        second.import_reg("tuned.reg")
        carried = items_of(run(second, os.path.join(build, "run", "velmora-dump.exe"),
                               "/items", items))
    finally:
        second.close()
    faults = [f"{q}: exported {tuned[q][3]} inherited={tuned[q][4]}, reads "
              f"{carried[q][3]} inherited={carried[q][4]}" if q in carried else f"{q}: gone"
              for q in exported if carried.get(q, ())[3:] != tuned[q][3:]]
    if faults:
        raise Failure("after the import into a second prefix:\n" + "\n".join(faults))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("test", choices=("versions", "round_trip", "export"))
    parser.add_argument("--build", required=True)
    args = parser.parse_args()
    prefix = None
    try:
        prefix = Prefix(os.path.abspath(args.build))
        {"versions": test_versions, "round_trip": test_round_trip,
         "export": test_export}[args.test](args.build, prefix)
    except Failure as failure:
        print(f"FAILED {args.test}: {failure}")
        return 1
    finally:
        if prefix is not None:
            prefix.close()
    print(f"passed {args.test}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
