"""The shipped catalogue, loaded in a Wine prefix of the test's own, made
fresh, so that switching its Windows version or importing into it disturbs
nothing else.

  catalogue.py versions   --build DIR   loads it as each Windows version
  catalogue.py round_trip --build DIR   flips every setting, saves them to a
                                        .reg file, imports that file with the
                                        registry editor and loads it again;
                                        then exports what differs from its
                                        default and carries it into a fresh
                                        prefix with velmora-dump /check and
                                        /apply, where it must read the same
  catalogue.py undo       --build DIR   flips and applies every setting, then
                                        imports the apply's undo file: the
                                        registry must be as it was
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile

# Each Windows the catalogue is loaded as: the version winecfg sets, then the
# build and product type that the prefix's registry reports instead of
# winecfg's, which Wine's version detection reads; and what detection makes
# of it: product type, version, service pack and build, then the product type
# in the registry and the service pack text as old systems read them, then
# whether an element for Windows 10 and later is kept. From Windows 8.1 on, a
# program learns the true version only where its manifest names the system.
WINDOWS = {
    "winxp64": ("winxp64", None, None, "1 0502 0200 3790 1 0200 0"),
    "win2003": ("win2003", None, None, "2 0502 0200 3790 2 0200 0"),
    "vista": ("vista", None, None, "1 0600 0200 6002 1 0200 0"),
    "win7": ("win7", None, None, "1 0601 0100 7601 1 0100 0"),
    "win10": ("win10", None, None, "1 0a00 0000 18362 1 0000 1"),
    "w10-22h2": ("win10", 19045, None, "1 0a00 0000 19045 1 0000 1"),
    "w11-23h2": ("win10", 22631, None, "1 0a00 0000 22631 1 0000 1"),
    "w11-24h2": ("win10", 26100, None, "1 0a00 0000 26100 1 0000 1"),
    "srv2022": ("win10", 20348, "ServerNT", "2 0a00 0000 20348 2 0000 1"),
    # A domain controller: product type 2 in the version record.
    "dc2025": ("win10", 26100, "LanmanNT", "2 0a00 0000 26100 2 0000 1"),
}
VERSIONS = tuple(WINDOWS)

# Settings that show only where their conditions hold: (qualified id, the
# versions that show it).
LEGACY = ("winxp64", "win2003")
VISTA_ON = VERSIONS[2:]
TEN_ON = VERSIONS[4:]
TEN_2004_ON = VERSIONS[5:]
KNOWN = [
    ("net-tcpip.ip.DefaultTTL", LEGACY),
    ("net-tcpip-retrans.ack.SackOpts", LEGACY),
    ("net-tcpip-conn.ports.MaxUserPort", LEGACY),
    ("net-adapters.window.\x01global.TcpWindowSize", LEGACY),
    ("net-adapters.rfc1323.\x01global.Tcp1323Opts", LEGACY),
    ("mm-system.SystemResponsiveness.SystemResponsiveness", VISTA_ON),
    ("err-dumps.LocalDumps.LocalDumps", VISTA_ON),
    ("sec-uac.EnableLUA.EnableLUA", VISTA_ON),
    ("priv-telemetry.AllowTelemetry.AllowTelemetry", TEN_ON),
    ("share-client.DisableBandwidthThrottling.DisableBandwidthThrottling", TEN_ON),
    ("cpu-scheduling.Win32PrioritySeparation.Win32PrioritySeparation", VERSIONS),
    # Builds of Windows 10 and 11 told apart, and client editions from servers.
    ("ai-features.TurnOffWindowsCopilot.TurnOffWindowsCopilot",
     ("w10-22h2", "w11-23h2", "w11-24h2")),
    ("ai-features.recall.AllowRecallEnablement", ("w11-24h2",)),
    ("net-netbios.dns-client.EnableMulticast", TEN_2004_ON),
]

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


VERSION_REG = r"""Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion]
{build}

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\ProductOptions]
{type}
"""


SOURCES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "docs",
                       "catalogue-sources.md")


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
        base, build, product_type, detected = WINDOWS[version]
        for _ in range(3):
            # winecfg writes its version's build and product type every time.
            self.wine("winecfg", "-v", base)
            if build or product_type:
                self.import_reg("version.reg", VERSION_REG.format(
                    build=f'"CurrentBuild"="{build}"\n"CurrentBuildNumber"="{build}"'
                    if build else "",
                    type=f'"ProductType"="{product_type}"' if product_type else ""))
            probe = os.path.join(self.build, "tests", "xml", "system_version_probe.exe")
            code, out, err = self.wine(probe)
            if out.strip() == detected:
                return
        raise Failure(f"the prefix would not switch to {version}: detected {out}{err}")

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


POST = re.compile(r"^    item (\S+) class=\S+ target=\S+ post=(\d) ", re.M)


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
    # Every setting that any Windows shows names its sources; an adapter's
    # copy is listed as <adapter>.
    listed = set(re.findall(r"^\| (\S+) \|", open(SOURCES, encoding="utf-8").read(), re.M))
    unlisted = sorted({re.sub(r"\{[0-9a-fA-F-]+\}", "<adapter>", q).replace("\x01", "\\x01")
                       for items in shown.values() for q, v in items.items()
                       if v[0] != "velmora.generic.ExecItem"} - listed)
    if unlisted:
        raise Failure(f"settings without a row in {SOURCES}:\n" + "\n".join(unlisted))


def test_round_trip(build, prefix):
    items = windows(os.path.join(build, "run", "items"))
    check = os.path.join(build, "tests", "app", "catalogue_check.exe")
    dump_exe = os.path.join(build, "run", "velmora-dump.exe")
    prefix.import_reg("planted.reg", PLANTED)
    for version in ("winxp64", "w11-24h2"):
        prefix.switch(version)
        before = items_of(run(prefix, dump_exe, "/items", items))
        expected = items_of(run(prefix, check, items, "flip", prefix.windows_path("flipped.reg")))
        prefix.import_reg("flipped.reg")
        after = items_of(run(prefix, dump_exe, "/items", items))
        faults = []
        for qualified, (cls, _, _, current, inherited) in expected.items():
            if qualified not in after:
                faults.append(f"{qualified}: gone after the import")
                continue
            _, _, stored_now, current_now, inherited_now = after[qualified]
            if (current_now, inherited_now) != (current, inherited) or stored_now != current_now:
                faults.append(f"{qualified} ({cls}): set {current} inherited={inherited}, "
                              f"reads {current_now} inherited={inherited_now}")
        changed = sum(1 for q, v in expected.items() if before.get(q, v)[3] != v[3])
        print(f"{version}: {len(expected)} items, {changed} changed by the file")
        if changed < len(expected) // 2:
            raise Failure(f"as {version} only {changed} of {len(expected)} items changed")
        if faults:
            raise Failure(f"as {version}:\n" + "\n".join(faults))
    # What now differs from its default goes to a fresh machine through
    # velmora-dump: /export here, where the machine matches its own file, then
    # /check, /apply and /check again there.
    run(prefix, dump_exe, "/items", items, "/export", prefix.windows_path("tuned.reg"))
    tuned = {q: v for q, v in after.items() if v[3] != v[1]}
    settle(prefix, dump_exe, items, "here")
    fresh = Prefix(os.path.abspath(build))
    try:
        fresh.switch("w11-24h2")
        fresh.import_reg("planted.reg", PLANTED)
        shutil.copy(prefix.path("tuned.reg"), fresh.path("tuned.reg"))
        code, out, err = settings_command(fresh, dump_exe, items, "/check")
        differing = out.splitlines()[:-1]
        strangers = [line for line in differing if line.split(" ")[0] not in tuned]
        print(f"fresh /check: exit {code}, {len(differing)} settings differ")
        if code != 1 or err or strangers or len(differing) < len(tuned) // 2:
            raise Failure(f"fresh /check: exit {code}, {len(differing)} of {len(tuned)} tuned "
                          f"settings listed; not tuned: {strangers}\n{out}{err}")
        code, out, err = settings_command(fresh, dump_exe, items, "/apply")
        dump = run(fresh, dump_exe, "/items", items)
        posts = dict(POST.findall(dump))
        applied = [line.split(" ")[1] for line in out.splitlines() if line.startswith("applied ")]
        post = max((int(posts[q]) for q in applied), default=0)
        # Wine hands on only the low byte of an exit code: 3010 arrives as 194.
        expected = {0: 0, 1: 3, 2: 3010}[post] & 0xFF
        print(f"fresh /apply: exit {code}, {len(applied)} settings applied, expected {expected}")
        for line in out.splitlines():
            if line.startswith("undo Z:"):
                os.remove(line[len("undo Z:"):].replace("\\", "/"))
        if code != expected or err or len(applied) < len(differing):
            raise Failure(f"fresh /apply: exit {code}, expected {expected}\n{out}{err}")
        settle(fresh, dump_exe, items, "fresh, applied")
        carried = items_of(dump)
    finally:
        fresh.close()
    lost = [f"{q}: {v[3]} inherited={v[4]}, carried {carried.get(q)}"
            for q, v in tuned.items() if carried.get(q, (None,) * 5)[3:] != v[3:]]
    print(f"w11-24h2: {len(tuned)} of {len(after)} items exported")
    if lost or len(tuned) < len(after) // 2:
        raise Failure(f"{len(tuned)} of {len(after)} items exported, lost:\n" + "\n".join(lost))


def settings_command(prefix, dump_exe, items, command):
    return prefix.wine(dump_exe, "/items", items, command, prefix.windows_path("tuned.reg"))


def settle(prefix, dump_exe, items, where):
    """The machine matches the file: /check exits 0 and lists nothing."""
    code, out, err = settings_command(prefix, dump_exe, items, "/check")
    print(f"{where} /check: exit {code}, {out.strip().splitlines()[-1] if out.strip() else ''}")
    if code != 0 or err or not out.startswith("differ=0 "):
        raise Failure(f"{where} /check: exit {code}\n{out}{err}")


def test_undo(build, prefix):
    items = windows(os.path.join(build, "run", "items"))
    check = os.path.join(build, "tests", "app", "catalogue_check.exe")
    prefix.import_reg("planted.reg", PLANTED)
    for version in ("winxp64", "w11-24h2"):
        prefix.switch(version)
        folder = prefix.path(f"undo-{version}")
        os.mkdir(folder)
        report = run(prefix, check, items, "undo", windows(folder))
        print(f"{version}: {report.strip().splitlines()[-1]}")


TESTS = {"versions": test_versions, "round_trip": test_round_trip, "undo": test_undo}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("test", choices=sorted(TESTS))
    parser.add_argument("--build", required=True)
    args = parser.parse_args()
    prefix = None
    try:
        prefix = Prefix(os.path.abspath(args.build))
        TESTS[args.test](args.build, prefix)
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
