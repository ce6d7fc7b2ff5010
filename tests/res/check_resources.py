#!/usr/bin/env python3
"""Checks the compiled resources of Tintora against the expected layout.

Usage: check_resources.py RESFILE VERSION

RESFILE is the binary .res produced by `windres -O res` from res/tintora.rc,
VERSION the project's version. Every dialog control, menu item, string and
the icon are compared field by field with the values the program's code
relies on, the manifest and the version information with what Windows reads.
Exits 1 with a message on the first mismatch, otherwise prints
"resources: N checks passed".
"""

import struct
import sys
import xml.etree.ElementTree as ET

RT_ICON, RT_MENU, RT_DIALOG, RT_STRING, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 4, 5, 6, 14, 16, 24
LANG_JA = 0x411

ATOM_BUTTON, ATOM_EDIT, ATOM_STATIC = 0x0080, 0x0081, 0x0082
TRACKBAR = "msctls_trackbar32"

IDC_STATIC = -1

# Main dialog controls, in template (= creation and tab) order:
# id, class, text, x, y, w, h, style.
PICKER_ITEMS = [
    (IDC_STATIC, ATOM_STATIC, "10進数", 78, 36, 22, 8, 0x50020000),
    (1000, ATOM_EDIT, "", 78, 46, 38, 14, 0x50810880),
    (IDC_STATIC, ATOM_STATIC, "16進数", 78, 64, 22, 8, 0x50020000),
    (1001, ATOM_EDIT, "", 78, 74, 38, 14, 0x50810880),
    (1016, ATOM_STATIC, "", 2, 4, 72, 84, 0x50000007),
    (1017, ATOM_STATIC, "", 78, 4, 46, 28, 0x50000007),
    (1015, ATOM_BUTTON, "キャプチャ開始", 28, 140, 70, 14, 0x50010000),
    (1018, ATOM_STATIC, "R", 4, 100, 8, 8, 0x50020000),
    (1006, TRACKBAR, "Slider1", 10, 100, 104, 10, 0x50010018),
    (1009, ATOM_STATIC, "000", 114, 100, 10, 8, 0x50020000),
    (1019, ATOM_STATIC, "G", 4, 110, 8, 8, 0x50020000),
    (1008, TRACKBAR, "Slider3", 10, 110, 104, 10, 0x50010018),
    (1011, ATOM_STATIC, "000", 114, 110, 11, 8, 0x50020000),
    (1020, ATOM_STATIC, "B", 4, 120, 8, 8, 0x50020000),
    (1007, TRACKBAR, "Slider2", 10, 120, 104, 10, 0x50010018),
    (1010, ATOM_STATIC, "000", 114, 120, 11, 8, 0x50020000),
    (IDC_STATIC, ATOM_STATIC, "", 2, 131, 122, 1, 0x50001010),
    (IDC_STATIC, ATOM_STATIC, "", 2, 94, 122, 1, 0x50001010),
    (1021, ATOM_BUTTON, "c", 116, 46, 8, 14, 0x50010000),
    (1022, ATOM_BUTTON, "c", 116, 74, 8, 14, 0x50010000),
]

# About box controls; the icon control's text is the icon group by number.
ABOUT_ITEMS = [
    (IDC_STATIC, ATOM_STATIC, 134, 11, 17, 20, 20, 0x50000003),
    (1012, ATOM_STATIC, "", 40, 10, 119, 8, 0x50020080),
    (1013, ATOM_STATIC, "", 40, 25, 119, 8, 0x50020000),
    (1, ATOM_BUTTON, "OK", 178, 7, 50, 14, 0x50030001),
]

# Menu bar: (popup text, [(item text or None for a separator, command)]).
MENU = [
    ("操作(&O)", [("最前面表示(&F)", 32774), (None, 0), ("終了(&X)", 32772)]),
    ("色形式(&C)", [("RGB(&R)", 32775), ("HSV(&H)", 32776),
                   ("HLS(&L)", 32777), ("YMC(&Y)", 32778), (None, 0),
                   ("1 ピクセル(&1)", 32790), ("3\u00d73 平均(&3)", 32791), ("5\u00d75 平均(&5)", 32792)]),
    ("ヘルプ(&H)", [("バージョン情報(&A)", 32771)]),
]

# Tooltips of the copy buttons, the swatch, the zoom view and the capture button.
TIPS = ["10進数をコピー (右クリック: ほかの形式)", "16進数をコピー (右クリック: ほかの形式)", "色見本 (右クリック: 最近の色)",
        "拡大表示 (キャプチャ中: ホイールか +/\u2212 で 2\u301c16 倍)", "画面の色を拾う: 動かしてクリック (矢印キーで 1 ピクセル、Enter で確定)"]

MF_GRAYED, MF_DISABLED, MF_CHECKED, MF_POPUP, MF_END = 0x1, 0x2, 0x8, 0x10, 0x80

FONT_NAME = "ＭＳ Ｐゴシック"

MANIFEST_NS = {"v1": "urn:schemas-microsoft-com:asm.v1", "v3": "urn:schemas-microsoft-com:asm.v3",
               "os": "urn:schemas-microsoft-com:compatibility.v1",
               "ws5": "http://schemas.microsoft.com/SMI/2005/WindowsSettings",
               "ws16": "http://schemas.microsoft.com/SMI/2016/WindowsSettings"}
COMMON_CONTROLS_6 = {"type": "win32", "name": "Microsoft.Windows.Common-Controls", "version": "6.0.0.0",
                     "processorArchitecture": "*", "publicKeyToken": "6595b64144ccf1df", "language": "*"}
# Windows 7, 8, 8.1, 10 and 11.
SUPPORTED_OS = ["{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
                "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"]


class Mismatch(Exception):
    pass


class Checker:
    def __init__(self):
        self.count = 0

    def eq(self, what, got, want):
        if got != want:
            show = hex if "style" in what else repr
            raise Mismatch(f"{what}: got {show(got)}, want {show(want)}")
        self.count += 1

    def true(self, what, cond):
        if not cond:
            raise Mismatch(what)
        self.count += 1


def cls_name(cls):
    atoms = {ATOM_BUTTON: "Button atom", ATOM_EDIT: "Edit atom", ATOM_STATIC: "Static atom"}
    if isinstance(cls, int):
        return atoms.get(cls, f"atom {cls:#06x}")
    return repr(cls)


class Reader:
    """Little-endian cursor over one resource's data."""

    def __init__(self, data, pos=0):
        self.data = data
        self.pos = pos

    def take(self, fmt_):
        size = struct.calcsize(fmt_)
        if self.pos + size > len(self.data):
            raise Mismatch(f"data ends early at offset {self.pos}")
        vals = struct.unpack_from("<" + fmt_, self.data, self.pos)
        self.pos += size
        return vals if len(vals) > 1 else vals[0]

    def align(self, n=4):
        self.pos = (self.pos + n - 1) // n * n

    def sz(self):
        """A zero-terminated UTF-16 string."""
        units = []
        while True:
            u = self.take("H")
            if u == 0:
                break
            units.append(u)
        return struct.pack(f"<{len(units)}H", *units).decode("utf-16-le")

    def sz_or_ord(self):
        """A 0xFFFF-prefixed ordinal (returned as int) or a string."""
        first = self.take("H")
        if first == 0xFFFF:
            return self.take("H")
        if first == 0:
            return ""
        self.pos -= 2
        return self.sz()


def read_res(path):
    """Yields (type, name, language, memflags, data) for each resource."""
    with open(path, "rb") as f:
        blob = f.read()
    pos = 0
    entries = []
    while pos < len(blob):
        r = Reader(blob, pos)
        data_size, header_size = r.take("II")
        rtype = r.sz_or_ord()
        name = r.sz_or_ord()
        r.align()
        _data_version, memflags, lang, _version, _chars = r.take("IHHII")
        if r.pos != pos + header_size:
            raise Mismatch(f"resource header at {pos}: size {header_size} does not match its fields")
        data = blob[r.pos:r.pos + data_size]
        if len(data) != data_size:
            raise Mismatch(f"resource at {pos} is cut short")
        # The file begins with an empty entry that only marks the format.
        if not (data_size == 0 and rtype == 0 and name == 0):
            entries.append((rtype, name, lang, memflags, data))
        pos = (r.pos + data_size + 3) // 4 * 4
    return entries


def check_inventory(c, entries):
    keys = sorted((t, n) for t, n, _, _, _ in entries)
    want = sorted([(RT_ICON, 1), (RT_GROUP_ICON, 134), (RT_MENU, 131),
                   (RT_DIALOG, 100), (RT_DIALOG, 102), (RT_STRING, 7), (RT_STRING, 8), (RT_VERSION, 1), (RT_MANIFEST, 1)])
    c.eq("resource inventory (type, name)", keys, want)
    for t, n, lang, _, _ in entries:
        # The loader asks for the manifest in no language.
        c.eq(f"language of resource type {t} name {n}", lang, 0 if t == RT_MANIFEST else LANG_JA)
    return {(t, n): d for t, n, _, _, d in entries}


def same_class(got, want):
    # Window class names are matched without regard to case, and windres
    # stores named control classes upper-cased.
    if isinstance(want, str):
        return isinstance(got, str) and got.lower() == want.lower()
    return got == want


def check_items(c, label, items, read_item):
    for i, want in enumerate(items, 1):
        got = read_item()
        wid, wcls, wtext, wx, wy, ww, wh, wstyle = want
        gid, gcls, gtext, gx, gy, gw, gh, gstyle, gex, ghelp, gextra = got
        where = f"{label} control {i} (id {wid})"
        c.eq(f"{where} id", gid, wid)
        c.true(f"{where} class: got {cls_name(gcls)}, want {cls_name(wcls)}",
               same_class(gcls, wcls))
        c.eq(f"{where} text", gtext, wtext)
        c.eq(f"{where} x, y, w, h", (gx, gy, gw, gh), (wx, wy, ww, wh))
        c.eq(f"{where} style", gstyle, wstyle)
        c.eq(f"{where} extended style", gex, 0)
        c.eq(f"{where} help id", ghelp, 0)
        c.eq(f"{where} creation data", gextra, b"")


def check_picker(c, data):
    r = Reader(data)
    ver, sig = r.take("HH")
    c.eq("IDD_PICKER template version/signature", (ver, sig), (1, 0xFFFF))
    helpid, exstyle, style, count = r.take("IIIH")
    c.eq("IDD_PICKER help id", helpid, 0)
    c.eq("IDD_PICKER extended style", exstyle, 0x00040000)
    c.eq("IDD_PICKER style", style, 0x90CA00C0)
    c.eq("IDD_PICKER control count", count, len(PICKER_ITEMS))
    c.eq("IDD_PICKER position and size", r.take("hhhh"), (0, 0, 127, 159))
    c.eq("IDD_PICKER menu", r.sz_or_ord(), 131)
    c.eq("IDD_PICKER window class", r.sz_or_ord(), "")
    c.eq("IDD_PICKER caption", r.sz(), "")
    c.eq("IDD_PICKER font size, weight, italic, charset", r.take("HHBB"), (9, 0, 0, 1))
    c.eq("IDD_PICKER font name", r.sz(), FONT_NAME)

    def item():
        r.align()
        help_, ex, st, x, y, w, h, cid = r.take("IIIhhhhi")
        cls = r.sz_or_ord()
        text = r.sz_or_ord()
        n = r.take("H")
        extra = data[r.pos:r.pos + n]
        r.pos += n
        return cid, cls, text, x, y, w, h, st, ex, help_, extra

    check_items(c, "IDD_PICKER", PICKER_ITEMS, item)
    c.eq("IDD_PICKER trailing bytes", len(data) - r.pos, 0)


def check_about(c, data):
    r = Reader(data)
    style, exstyle, count = r.take("IIH")
    c.true("IDD_ABOUTBOX must be a standard template, not an extended one",
           (style & 0xFFFF0000) != 0xFFFF0000)
    c.eq("IDD_ABOUTBOX style", style, 0x80C800C0)
    c.eq("IDD_ABOUTBOX extended style", exstyle, 0)
    c.eq("IDD_ABOUTBOX control count", count, len(ABOUT_ITEMS))
    c.eq("IDD_ABOUTBOX position and size", r.take("hhhh"), (0, 0, 235, 55))
    c.eq("IDD_ABOUTBOX menu", r.sz_or_ord(), "")
    c.eq("IDD_ABOUTBOX window class", r.sz_or_ord(), "")
    c.eq("IDD_ABOUTBOX caption", r.sz(), "")
    c.eq("IDD_ABOUTBOX font size", r.take("H"), 9)
    c.eq("IDD_ABOUTBOX font name", r.sz(), FONT_NAME)

    def item():
        r.align()
        st, ex, x, y, w, h, cid = r.take("IIhhhhh")
        cls = r.sz_or_ord()
        text = r.sz_or_ord()
        n = r.take("H")
        extra = data[r.pos:r.pos + n]
        r.pos += n
        return cid, cls, text, x, y, w, h, st, ex, 0, extra

    check_items(c, "IDD_ABOUTBOX", ABOUT_ITEMS, item)
    c.eq("IDD_ABOUTBOX trailing bytes", len(data) - r.pos, 0)


def check_menu(c, data):
    r = Reader(data)
    c.eq("IDR_MENU header version, size", r.take("HH"), (0, 0))
    for pi, (ptext, items) in enumerate(MENU):
        last_popup = pi == len(MENU) - 1
        flags = r.take("H")
        text = r.sz()
        c.eq(f"menu pop-up {pi + 1} text", text, ptext)
        c.eq(f"menu pop-up {ptext} flags", flags, MF_POPUP | (MF_END if last_popup else 0))
        for ii, (itext, cmd) in enumerate(items):
            last = ii == len(items) - 1
            where = f"menu {ptext} item {ii + 1}"
            flags, cid = r.take("HH")
            text = r.sz()
            c.true(f"{where} is checked, greyed or disabled (flags {flags:#x})",
                   not flags & (MF_CHECKED | MF_GRAYED | MF_DISABLED))
            c.eq(f"{where} flags", flags, MF_END if last else 0)
            c.eq(f"{where} command", cid, cmd)
            c.eq(f"{where} text", text, itext or "")
    c.eq("IDR_MENU trailing bytes", len(data) - r.pos, 0)


def read_strings(c, data, block):
    """The non-empty strings of a string table block, by identifier."""
    r = Reader(data)
    strings = []
    for _ in range(16):
        n = r.take("H")
        strings.append(data[r.pos:r.pos + 2 * n].decode("utf-16-le"))
        r.pos += 2 * n
    c.eq(f"string block {block} trailing bytes", len(data) - r.pos, 0)
    return {(block - 1) * 16 + i: s for i, s in enumerate(strings) if s}


def check_strings(c, data, version, tips):
    present = read_strings(c, data, 7)
    c.eq("string identifiers present", sorted(present), [102, 103, 105, 106, 107, 108, 109])
    c.eq("tooltips", read_strings(c, tips, 8), dict(zip(range(112, 117), TIPS)))
    c.eq("accessible names", [present[i] for i in range(106, 110)], ["10進数をコピー", "16進数をコピー", "拡大表示", "色見本"])
    c.eq("IDS_VERSION", present[102], "Tintora ver 1.3")
    c.eq("IDS_VERSION against the project's version", present[102], "Tintora ver " + version)
    c.eq("IDS_ABOUT_TITLE", present[105], "Tintora のバージョン情報")
    copyright_ = present[103]
    c.true("IDS_COPYRIGHT must be one line", "\n" not in copyright_ and "\r" not in copyright_)
    # The copyright line has no SS_NOPREFIX, so an ampersand would vanish
    # into a mnemonic underline.
    c.true("IDS_COPYRIGHT must not contain '&'", "&" not in copyright_)
    return copyright_


def check_manifest(c, data):
    root = ET.fromstring(data)

    def one(path):
        found = root.findall(path, MANIFEST_NS)
        c.eq(f"manifest elements {path}", len(found), 1)
        return found[0]

    c.eq("manifest dependency", one("v1:dependency/v1:dependentAssembly/v1:assemblyIdentity").attrib,
         COMMON_CONTROLS_6)
    c.eq("manifest execution level", one("v3:trustInfo/v3:security/v3:requestedPrivileges/"
                                         "v3:requestedExecutionLevel").get("level"), "asInvoker")
    c.eq("manifest dpiAware", one("v3:application/v3:windowsSettings/ws5:dpiAware").text, "true/pm")
    c.eq("manifest dpiAwareness", one("v3:application/v3:windowsSettings/ws16:dpiAwareness").text,
         "PerMonitorV2, PerMonitor")
    c.eq("manifest supportedOS", sorted(e.get("Id") for e in root.iterfind(
        "os:compatibility/os:application/os:supportedOS", MANIFEST_NS)), SUPPORTED_OS)


def version_node(data, pos=0):
    """A VS_VERSIONINFO node: (key, value, {child key: child node}), and its end."""
    length, size, text = struct.unpack_from("<3H", data, pos)
    r = Reader(data, pos + 6)
    key = r.sz()
    r.align()
    value = data[r.pos:r.pos + size * (1 + text)]
    r.pos += len(value)
    children = {}
    while (r.pos + 3) // 4 * 4 < pos + length:
        r.align()
        child, r.pos = version_node(data, r.pos)
        children[child[0]] = child
    return (key, value, children), pos + length


def check_version(c, data, version, copyright_):
    n = [int(p) for p in (version.split(".") + ["0"] * 3)[:4]]
    (key, fixed, blocks), _ = version_node(data)
    f = struct.unpack("<13I", fixed)
    c.eq("version resource key, signature", (key, f[0]), ("VS_VERSION_INFO", 0xFEEF04BD))
    c.eq("file and product version", f[2:6], (n[0] << 16 | n[1], n[2] << 16 | n[3]) * 2)
    # Flags mask, flags, Windows NT, application, subtype, date.
    c.eq("version flags, OS, type", f[6:], (0x3F, 0, 0x40004, 1, 0, 0, 0))
    tables = blocks["StringFileInfo"][2]
    c.eq("version string tables (Japanese, Unicode)", list(tables), ["041104B0"])
    text = ".".join(map(str, n))
    c.eq("version strings", {k: v.decode("utf-16-le").rstrip("\0") for k, v, _ in tables["041104B0"][2].values()},
         {"CompanyName": "Tintora", "FileDescription": "Tintora", "FileVersion": text, "InternalName": "tintora",
          "LegalCopyright": copyright_, "OriginalFilename": "tintora.exe", "ProductName": "Tintora",
          "ProductVersion": text})
    c.eq("version translation", blocks["VarFileInfo"][2]["Translation"][1], struct.pack("<HH", LANG_JA, 1200))


def check_icon(c, group, image):
    r = Reader(group)
    c.eq("icon group header (reserved, type, count)", r.take("HHH"), (0, 1, 1))
    w, h, colours, reserved, planes, bpp, size, image_id = r.take("BBBBHHIH")
    c.eq("icon group entry size", (w, h), (32, 32))
    c.eq("icon group entry colour count, reserved", (colours, reserved), (0, 0))
    c.eq("icon group entry planes, bits", (planes, bpp), (1, 8))
    c.eq("icon group entry bytes", size, 2216)
    c.eq("icon group entry image id", image_id, 1)
    c.eq("icon group trailing bytes", len(group) - r.pos, 0)

    c.eq("icon image length", len(image), 2216)
    hdr = struct.unpack_from("<IiiHHIIiiII", image, 0)
    c.eq("icon header size", hdr[0], 40)
    c.eq("icon width, height (colour + mask)", (hdr[1], hdr[2]), (32, 64))
    c.eq("icon planes, bits per pixel", (hdr[3], hdr[4]), (1, 8))
    c.eq("icon compression", hdr[5], 0)
    c.eq("icon image size", hdr[6], 1024)
    c.true("icon palette must be the full 256 entries", hdr[9] in (0, 256))

    pixels = image[40 + 1024:40 + 2048]
    mask = image[40 + 2048:]
    transparent = [bool(mask[row * 4 + x // 8] & (0x80 >> (x % 8)))
                   for row in range(32) for x in range(32)]
    opaque = transparent.count(False)
    c.true(f"icon must have a visible picture and a transparent background "
           f"({opaque} of 1024 pixels opaque)", 100 <= opaque <= 900)
    for i, t in enumerate(transparent):
        if t and pixels[i] != 0:
            raise Mismatch(f"icon pixel (x {i % 32}, y {31 - i // 32} from the top) is transparent "
                           f"but has colour index {pixels[i]}, not 0")
    c.count += 1


def main(argv):
    if len(argv) != 3:
        sys.stderr.write(__doc__.split("\n\n")[1] + "\n")
        return 2
    c = Checker()
    try:
        res = check_inventory(c, read_res(argv[1]))
        check_picker(c, res[(RT_DIALOG, 102)])
        check_about(c, res[(RT_DIALOG, 100)])
        check_menu(c, res[(RT_MENU, 131)])
        copyright_ = check_strings(c, res[(RT_STRING, 7)], argv[2], res[(RT_STRING, 8)])
        check_icon(c, res[(RT_GROUP_ICON, 134)], res[(RT_ICON, 1)])
        check_manifest(c, res[(RT_MANIFEST, 1)])
        check_version(c, res[(RT_VERSION, 1)], argv[2], copyright_)
    except (Mismatch, KeyError, ET.ParseError) as e:
        sys.stderr.write(f"resources: {argv[1]}: {e}\n")
        return 1
    except OSError as e:
        sys.stderr.write(f"resources: {e}\n")
        return 1
    print(f"resources: {c.count} checks passed")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
