#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks the built Debian package without installing it: the validators, the release's lintian and
the release's appstreamcli find nothing, the desktop entry and the AppStream data point at files the
package holds, the icons have the sizes their directories claim, nothing goes into fontconfig's
configuration, the licence is stated in Debian's machine-readable form, every place that names the
version names the same one, and the package depends on the libraries it links and on what the
program loads at run time.
  contents.py PACKAGE_BUILD_DIR"""
import filecmp
import gzip
import pathlib
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / "blackbox"))
from harness import Findings, output, run  # noqa: E402

build = pathlib.Path(sys.argv[1])
TOP = pathlib.Path(__file__).resolve().parents[2]
# Any line of appstreamcli's but its verdict and what it is known to say: the metadata names its
# developer both in <developer>, which Debian 12's AppStream predates, and in <developer_name>, which
# 1.0 deprecates, and 1.0 wants a homepage, which the project does not have.
KNOWN = re.compile(r"^$|Validation (was successful|failed)|: (unknown-tag developer|developer-name-tag-deprecated"
                   r"|url-homepage-missing)$")

def findings(said):
    return [line for line in said.splitlines() if not KNOWN.search(line)]

def contents():
    see = (found := Findings()).see
    deb = next(build.glob("sorvanto_*.deb"))
    with tempfile.TemporaryDirectory(prefix="sorvanto-contents.") as folder:
        root = pathlib.Path(folder)
        output("dpkg-deb", "-x", deb, root)
        print("== validators")
        desktop = root / "usr/share/applications/sorvanto.desktop"
        metainfo = next((root / "usr/share/metainfo").glob("*.metainfo.xml"))
        see(subprocess.run(["desktop-file-validate", desktop]).returncode == 0, "desktop-file-validate")
        said = subprocess.run(["appstreamcli", "validate", "--pedantic", "--no-net", metainfo], capture_output=True,
                              text=True)
        print(said.stdout + said.stderr)
        see(not findings(said.stdout + said.stderr), "appstreamcli validate --pedantic")
        # The release's own AppStream checked the metadata in the build's root, where lintian may leave it out.
        appstream, lintian = build / "appstream.txt", build / "lintian.txt"
        see(appstream.exists(), "no appstream.txt from the build")
        see(not appstream.exists() or not findings(appstream.read_text()),
            "the release's appstreamcli validate --pedantic")
        # The release's own lintian ran after the build.
        see(lintian.exists(), "no lintian.txt from the build")
        see(not lintian.exists() or not lintian.read_text(), "lintian --pedantic -I reports tags:\n" +
            (lintian.read_text() if lintian.exists() else ""))

        print("== the desktop entry and the AppStream data name files of the package")
        entry = dict(line.split("=", 1) for line in desktop.read_text().splitlines() if "=" in line)
        data = xml.etree.ElementTree.parse(metainfo).getroot()
        see((root / "usr/bin" / entry["Exec"]).is_file(), f"Exec={entry['Exec']} is not an installed program")
        see(entry.get("Categories") == "Utility;", f"Categories={entry.get('Categories')}")
        see(entry.get("Comment"), "no Comment")
        for size, suffix in (("32x32", "png"), ("scalable", "svg")):
            see((root / f"usr/share/icons/hicolor/{size}/apps/{entry['Icon']}.{suffix}").exists(),
                f"Icon={entry['Icon']} has no {size} icon")
        launchable = data.findtext(".//launchable[@type='desktop-id']")
        see(launchable == "sorvanto.desktop", f"the metainfo launches {launchable!r}")
        binary = data.findtext(".//provides/binary")
        see((root / "usr/bin" / (binary or "-")).is_file(), f"the metainfo provides {binary!r}, which is not installed")
        see(metainfo.name == f"{data.findtext('id')}.metainfo.xml", f"metainfo file {metainfo.name}: not its id")

        print("== icons")
        icons = root / "usr/share/icons/hicolor"
        for png in icons.glob("*x*/apps/sorvanto.png"):
            size = output("identify", "-format", "%wx%h", png)
            see(size == png.parent.parent.name, f"{png} is {size}")
        sizes = sorted(p.name for p in icons.iterdir())
        see(sizes == ["128x128", "256x256", "32x32", "48x48", "64x64", "scalable"], f"icon sizes: {sizes}")
        colours = int(output("identify", "-format", "%k", icons / "32x32/apps/sorvanto.png"))
        see(colours <= 16, f"the 32x32 icon has {colours} colours")
        try:
            xml.etree.ElementTree.parse(icons / "scalable/apps/sorvanto.svg")
        except xml.etree.ElementTree.ParseError as error:
            see(False, f"the scalable icon is not well-formed: {error}")

        print("== nothing for other programs")
        # The program loads its font aliases itself; in fontconfig's configuration they would be every program's.
        for folder in ("etc/fonts", "usr/share/fontconfig"):
            see(not (root / folder).exists(), f"the package installs into /{folder}")

        print("== licence")
        copyright = (root / "usr/share/doc/sorvanto/copyright").read_text()
        see(copyright.startswith("Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"),
            "the copyright file is not in the machine-readable format")
        see("\nLicense: GPL-3+\n" in copyright, "the copyright file does not name GPL-3+")
        see("/usr/share/common-licenses/GPL-3" in copyright, "the copyright file does not point at the licence's text")
        see(data.findtext("project_license") == "GPL-3.0-or-later", "the metainfo does not name GPL-3.0-or-later")
        see(filecmp.cmp(TOP / "LICENSE", "/usr/share/common-licenses/GPL-3", shallow=False),
            "LICENSE is not the GPL's version 3")

        print("== one version")
        version = output("dpkg-deb", "-f", deb, "Version").strip()
        print(version)
        see(data.find(".//releases/release").get("version") == version,
            f"the metainfo's newest release is not {version}")
        changelog = gzip.decompress((root / "usr/share/doc/sorvanto/changelog.gz").read_bytes())
        see(output("dpkg-parsechangelog", "-l-", "-S", "Version", input=changelog.decode()).strip() == version,
            f"the Debian changelog's newest entry is not {version}")
        # Changes not yet released gather under "Unreleased" above the newest release.
        newest = next(line for line in (TOP / "CHANGELOG.md").read_text().splitlines()
                      if line.startswith("## ") and line != "## Unreleased")
        see(newest.startswith(f"## {version} "), f"CHANGELOG.md's newest release is not {version}")
        manual = gzip.decompress((root / "usr/share/man/man1/sorvanto.1.gz").read_bytes()).decode()
        see(re.search(rf'^\.TH SORVANTO 1 .* "Sorvanto {re.escape(version)}"', manual, re.M),
            f"the manual page is not of {version}")

        print("== dependencies")
        depends = output("dpkg-deb", "-f", deb, "Depends").strip()
        print(depends)
        # Debian 13's libraries carry t64 in their names.
        for package in ("libqt6widgets6", "libcanberra0", "libfontconfig1", "fonts-liberation", "fonts-dejavu-core",
                        "fonts-dancingscript", "sound-theme-freedesktop", "libcanberra-pulse"):
            see(re.search(rf"(^|, ){package}(t64)?( |,|$)", depends), f"does not depend on {package}")
        # One exact build of Qt would keep the package from any other.
        see("qt6-base-abi" not in depends, "depends on one build of Qt")
        see(output("dpkg-deb", "-f", deb, "Recommends").strip() == "qt6-translations-l10n",
            "does not recommend qt6-translations-l10n")
    found.done()
    return "validated, its files named, its icons, licence, version and dependencies as they should be"

run(contents)
