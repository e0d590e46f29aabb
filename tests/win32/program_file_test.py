#!/usr/bin/env python3
"""What Windows and Explorer read from orbalta.exe itself, read here from the file's bytes.

    program_file_test.py resources EXE VERSION   the version, the manifest's keys, the icons
    program_file_test.py paths EXE DIR...        none of the folders is named inside EXE

Exit status 1 with one line per fault.
"""

import struct
import sys
import xml.etree.ElementTree as ElementTree

RT_ICON, RT_BITMAP, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 2, 14, 16, 24

# Explorer's sizes of the program's icon; the buttons' pictures at 100, 125 and 150 %.
ICON_SIZES = {104: {16, 20, 24, 32, 48, 64, 256}, 109: {32, 40, 48}, 110: {32, 40, 48},
              115: {48, 60, 72}}
SUPPORTED_OS = {
    '{35138b9a-5d96-4fbd-8e2d-a2440225f93a}': 'Windows 7',
    '{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}': 'Windows 8',
    '{1f676c76-80e1-4239-95bb-83d0f6d0da78}': 'Windows 8.1',
    '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}': 'Windows 10 and 11',
}


class Resources:
    """The resource tree of a PE file: {type: [(name, bytes of its first language)]}, in the
    order of the directory (named entries first, then ids ascending)."""

    def __init__(self, data):
        self.data = data
        if data[:2] != b'MZ':
            raise ValueError('not an MZ executable')
        pe = struct.unpack_from('<I', data, 0x3C)[0]
        if data[pe:pe + 4] != b'PE\0\0':
            raise ValueError('no PE header')
        sections, optional_size = struct.unpack_from('<H12xH', data, pe + 6)
        optional = pe + 24
        magic = struct.unpack_from('<H', data, optional)[0]
        directories = optional + (112 if magic == 0x20B else 96)
        self.rva, _ = struct.unpack_from('<II', data, directories + 2 * 8)
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            size, address, raw_size, raw = struct.unpack_from('<IIII', data, table + 40 * i + 8)
            self.sections.append((address, max(size, raw_size), raw))
        self.base = self.offset(self.rva) if self.rva else None
        self.types = {}
        if self.base is None:
            return
        for kind, type_dir in self.entries(0):
            items = []
            for name, lang_dir in self.entries(type_dir):
                _, leaf = self.entries(lang_dir)[0]
                rva, size = struct.unpack_from('<II', data, self.base + leaf)
                start = self.offset(rva)
                items.append((name, data[start:start + size]))
            self.types[kind] = items

    def offset(self, rva):
        for address, size, raw in self.sections:
            if address <= rva < address + size:
                return rva - address + raw
        raise ValueError('address 0x%x outside every section' % rva)

    def entries(self, at):
        named, ids = struct.unpack_from('<12xHH', self.data, self.base + at)
        out = []
        for i in range(named + ids):
            name, target = struct.unpack_from('<II', self.data, self.base + at + 16 + 8 * i)
            if name & 0x80000000:
                length = struct.unpack_from('<H', self.data, self.base + (name & 0x7FFFFFFF))[0]
                start = self.base + (name & 0x7FFFFFFF) + 2
                name = self.data[start:start + 2 * length].decode('utf-16-le')
            out.append((name, target & 0x7FFFFFFF))
        return out

    def get(self, kind, name):
        return dict(self.types.get(kind, [])).get(name)


def version_strings(block):
    """The fixed part's (file, product) versions and the StringFileInfo values."""
    def node(at):
        length, value_length, text = struct.unpack_from('<HHH', block, at)
        key_end = block.index(b'\0\0', at + 6)
        while (key_end - at - 6) % 2:
            key_end = block.index(b'\0\0', key_end + 1)
        key = block[at + 6:key_end].decode('utf-16-le')
        value_at = (key_end + 2 + 3) & ~3
        return length, value_length, text, key, value_at

    length, value_length, _, key, value_at = node(0)
    if key != 'VS_VERSION_INFO' or value_length < 52:
        raise ValueError('no VS_VERSION_INFO')
    signature, _, fms, fls, pms, pls = struct.unpack_from('<IIIIII', block, value_at)
    if signature != 0xFEEF04BD:
        raise ValueError('no VS_FIXEDFILEINFO')
    versions = ((fms >> 16, fms & 0xFFFF, fls >> 16, fls & 0xFFFF),
                (pms >> 16, pms & 0xFFFF, pls >> 16, pls & 0xFFFF))
    strings = {}

    def walk(at, end, depth):
        while at < end:
            length, value_length, text, key, value_at = node(at)
            if length == 0:
                break
            if depth == 2:
                raw = block[value_at:value_at + 2 * value_length]
                strings[key] = raw.decode('utf-16-le').rstrip('\0')
            elif key == 'StringFileInfo' or depth == 1:
                walk(value_at, at + length, depth + 1)
            at = (at + length + 3) & ~3

    walk((value_at + value_length + 3) & ~3, length, 0)
    return versions, strings


def check_resources(path, version):
    faults = []
    resources = Resources(open(path, 'rb').read())
    numbers = tuple(int(part) for part in version.split('.')) + (0,)

    block = resources.get(RT_VERSION, 1)
    if block is None:
        faults.append('no version resource')
    else:
        (file_version, product_version), strings = version_strings(block)
        for what, got in (('file', file_version), ('product', product_version)):
            if got != numbers:
                faults.append('%s version %s, not %s' % (what, got, numbers))
        expected = {'ProductName': 'Orbalta', 'OriginalFilename': 'orbalta.exe',
                    'FileVersion': version, 'ProductVersion': version}
        for key, value in expected.items():
            if strings.get(key) != value:
                faults.append('version string %s is %r, not %r' % (key, strings.get(key), value))
        if not strings.get('FileDescription'):
            faults.append('no FileDescription')
        if 'Copyright' not in strings.get('LegalCopyright', ''):
            faults.append('no LegalCopyright')

    manifest = resources.get(RT_MANIFEST, 1)
    if manifest is None:
        faults.append('no manifest')
    else:
        root = ElementTree.fromstring(manifest)
        def texts(tag):
            return [e.text.strip() for e in root.iter() if e.tag.endswith('}' + tag) and e.text]
        def attributes(tag, name):
            return [e.get(name) for e in root.iter() if e.tag.endswith('}' + tag)]
        if attributes('requestedExecutionLevel', 'level') != ['asInvoker']:
            faults.append('execution level is not asInvoker alone')
        awareness = [v.strip() for t in texts('dpiAwareness') for v in t.split(',')]
        if awareness[:1] != ['PerMonitorV2'] or 'System' not in awareness:
            faults.append('dpiAwareness %s: not PerMonitorV2 with System after it' % awareness)
        if [t.lower() for t in texts('dpiAware')] != ['true']:
            faults.append('dpiAware is not true (system-aware before Windows 10)')
        if [t.lower() for t in texts('longPathAware')] != ['true']:
            faults.append('longPathAware is not true')
        missing = set(SUPPORTED_OS) - set(attributes('supportedOS', 'Id'))
        for guid in sorted(missing):
            faults.append('supportedOS lacks %s' % SUPPORTED_OS[guid])
        identity = attributes('assemblyIdentity', 'version')
        if identity != [version + '.0']:
            faults.append('manifest assembly version %s, not %s.0' % (identity, version))

    groups = resources.types.get(RT_GROUP_ICON, [])
    if not groups or groups[0][0] != 104:
        faults.append('the first icon group (what Explorer shows) is not 104')
    icons = dict(resources.types.get(RT_ICON, []))
    for name, group in groups:
        _, _, count = struct.unpack_from('<HHH', group, 0)
        sizes = set()
        for i in range(count):
            width, _, _, _, _, bits, size, icon_id = struct.unpack_from('<BBBBHHIH', group, 6 + 14 * i)
            sizes.add(width or 256)
            if icon_id not in icons or len(icons[icon_id]) != size:
                faults.append('icon %s: image %d missing or of the wrong length' % (name, icon_id))
        wanted = ICON_SIZES.get(name, set())
        if not wanted <= sizes:
            faults.append('icon %s has sizes %s, lacks %s' % (name, sorted(sizes),
                                                               sorted(wanted - sizes)))
    for name in set(ICON_SIZES) - {name for name, _ in groups}:
        faults.append('no icon %d' % name)
    if resources.get(RT_BITMAP, 113) is None:
        faults.append('no bitmap 113')
    return faults


def check_paths(path, folders):
    data = open(path, 'rb').read()
    faults = []
    for folder in folders:
        for spelling in {folder, folder.replace('/', '\\')}:
            for encoded in (spelling.encode(), spelling.encode('utf-16-le')):
                at = data.find(encoded)
                if at >= 0:
                    end = data.find(b'\0', at)
                    faults.append('%s names %s at 0x%x: %r' % (path, folder, at, data[at:end][:120]))
    return faults


def main(argv):
    if len(argv) >= 3 and argv[0] == 'resources':
        faults = check_resources(argv[1], argv[2])
    elif len(argv) >= 3 and argv[0] == 'paths':
        faults = check_paths(argv[1], [f.rstrip('/') for f in argv[2:]])
    else:
        sys.exit(__doc__)
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
