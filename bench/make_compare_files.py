#!/usr/bin/env python3
"""Writes two installations' files for bench/compare.sh, as Scrivlo writes
them: OUT/reference and OUT/customer, each with QZScrivlo.log and
QZRegNode.reg.

    make_compare_files.py OUT FILES KEYS

The logs list FILES files each (a tenth in the shared-files tree, the rest in
the install tree, in folders of 40 files nested three deep, and the four
system components); the customer's install folder is another one, and about
1% of its files are changed, 0.5% moved, 0.5% missing, 0.5% extra and 0.2%
without a digest. The scripts hold KEYS keys each (group keys of 99 child
keys, each with a quoted path, a dword and 16 bytes of binary data, 1 in 10
also with 300 bytes of hex(2) data in continuation lines); the customer's
has about 1% of values changed, 0.5% of keys missing and 0.5% extra, and a
few records that could not be read. Fixed pseudo-random contents."""
import hashlib
import random
import sys


def digest(seed):
    return hashlib.md5(seed.encode()).hexdigest()


def file_line(md5, name, size):
    return ("%-40s" % md5 if md5 else "") + " %-30s " % name + "%-10d" % size + "\r\n"


def section(folder):
    return "\r\n\r\n\r\nTarget Directory : " + folder + "\r\n\r\n"


def tree_files(count, prefix, rng):
    """(relative folder, name, content seed, size) for count files."""
    files = []
    for i in range(count):
        folder_number = i // 40
        folder = "" if folder_number == 0 else "d%d\\s%d\\" % (folder_number // 10, folder_number % 10)
        size = int(rng.lognormvariate(9, 2.5)) % (1 << 33)
        files.append((folder, "%s_file_%06d.dat" % (prefix, i), "%s-%d" % (prefix, i), size))
    return files


def signed32(size):
    low = size & 0xFFFFFFFF
    return low - (1 << 32) if low >= 1 << 31 else low


def write_log(path, trees, components):
    out = ["%-39s|%-29s|%-9s\r\n" % ("MD5", "File Name", "Size"), "-" * 80 + "\r\n"]
    for root, files in trees:
        by_folder = {"": []}
        for entry in files:
            by_folder.setdefault(entry[0], []).append(entry)
            parts = entry[0].split("\\")[:-1]
            for depth in range(1, len(parts)):
                by_folder.setdefault("".join(p + "\\" for p in parts[:depth]), [])
        # Depth first: a folder's files, then each subfolder's section.
        for folder in sorted(by_folder, key=lambda f: f.split("\\")):
            out.append(section(root + folder))
            for _, name, seed, size, md5 in by_folder[folder]:
                out.append(file_line(md5, name, signed32(size)))
            if not by_folder[folder]:
                out.append("no files found\r\n")
    for folder, names in components:
        out.append(section(folder))
        for name in names:
            out.append(file_line(digest(name), name, 4096))
    with open(path, "w", newline="") as f:
        f.write("".join(out))


def make_logs(out, count, rng):
    shared = tree_files(count // 10, "shared", rng)
    install = tree_files(count - count // 10, "install", rng)
    windows = "C:\\WINDOWS"
    components = [(windows + "\\system32\\", ["quend.dll", "pelvarn.dll"]),
                  (windows + "\\system32\\drivers\\", ["trunmolk.sys"]),
                  (windows + "\\system\\", ["halvix.vxd"])]
    reference = [("C:\\Program Files\\Common Files\\Corvalin\\", [e + (digest(e[2]),) for e in shared]),
                 ("C:\\Program Files\\Corvalin\\Desktop\\", [e + (digest(e[2]),) for e in install])]
    write_log(out + "/reference/QZScrivlo.log", reference, components)

    customer_install = []
    for folder, name, seed, size, md5 in reference[1][1]:
        roll = rng.random()
        if roll < 0.01:
            customer_install.append((folder, name, seed, size + 1, digest(seed + "changed")))
        elif roll < 0.015:
            customer_install.append(("moved\\", name, seed, size, md5))
        elif roll < 0.02:
            continue
        elif roll < 0.022:
            customer_install.append((folder, name, seed, size, ""))
        else:
            customer_install.append((folder, name, seed, size, md5))
        if rng.random() < 0.005:
            extra = "extra_" + name
            customer_install.append((folder, extra, extra, 100, digest(extra)))
    customer = [reference[0], ("D:\\Apps\\Corvalin\\", customer_install)]
    write_log(out + "/customer/QZScrivlo.log", customer, components)


def hex_lines(prefix, data):
    """hex bytes with the continuation lines the registry editor writes."""
    text = prefix
    lines = []
    for i, byte in enumerate(data):
        piece = "%02x" % byte + ("," if i + 1 < len(data) else "")
        if len(text) + len(piece) > 77 and i + 1 < len(data):
            lines.append(text + "\\")
            text = "  "
        text += piece
    lines.append(text)
    return "\r\n".join(lines)


def key_records(count, rng):
    records = []
    branch = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvalin"
    records.append((branch, []))
    made = 1
    group = 0
    while made < count:
        records.append((branch + "\\Group%04d" % group, []))
        made += 1
        for child in range(99):
            if made >= count:
                break
            n = made
            values = [('"Path"', '"C:\\\\Program Files\\\\Corvalin\\\\Part%07d\\\\bin"' % n),
                      ('"Count"', "dword:%08x" % (n * 2654435761 % (1 << 32))),
                      ('"Blob"', hex_lines("hex:", bytes(rng.randrange(256) for _ in range(16))))]
            if n % 10 == 0:
                values.append(('"Expand"', hex_lines("hex(2):", ("%%SystemRoot%%\\part%07d" % n).encode("utf-16-le") * 6)))
            records.append((branch + "\\Group%04d\\Key%02d" % (group, child), values))
            made += 1
        group += 1
    return records


def write_script(path, records):
    out = ["Windows Registry Editor Version 5.00\r\n\r\n"]
    for key, values in records:
        if key is None:
            out.append("\r\n\r\n")
            continue
        out.append("[" + key + "]\r\n")
        for name, data in values:
            out.append(name + "=" + data + "\r\n") if not name.startswith(";") else out.append(name + "\r\n")
        out.append("\r\n")
    with open(path, "w", newline="") as f:
        f.write("".join(out))


def make_scripts(out, count, rng):
    reference = key_records(count, rng)
    write_script(out + "/reference/QZRegNode.reg", reference)
    customer = []
    for key, values in reference:
        roll = rng.random()
        if roll < 0.005 and values:
            continue
        changed = []
        for name, data in values:
            if rng.random() < 0.01:
                data = '"changed"' if data.startswith('"') else "dword:00000000"
            changed.append((name, data))
        if roll > 0.999:
            changed.append(("; a value that could not be read", ""))
        customer.append((key, changed))
        if rng.random() < 0.005 and values:
            customer.append((key + "Extra", [('"Extra"', '"yes"')]))
        if rng.random() < 0.0005:
            customer.append((None, []))
    write_script(out + "/customer/QZRegNode.reg", customer)


def main():
    out, files, keys = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    import os
    for side in ("reference", "customer"):
        os.makedirs(out + "/" + side, exist_ok=True)
    make_logs(out, files, random.Random(1))
    make_scripts(out, keys, random.Random(2))


if __name__ == "__main__":
    main()
