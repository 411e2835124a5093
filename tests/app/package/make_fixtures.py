#!/usr/bin/env python3
"""Writes the small ZIP archives the data package tests read. Each damaged or unsafe archive stays in the
repository as a regression file; run this only to re-create them."""
import struct
import zipfile
from pathlib import Path

HERE = Path(__file__).resolve().parent
STAMP = (2026, 1, 1, 0, 0, 0)


def archive(name, members):
    path = HERE / name
    with zipfile.ZipFile(path, "w") as z:
        for member, data, method in members:
            info = zipfile.ZipInfo(member, STAMP)
            info.compress_type = method
            z.writestr(info, data)
    return path


def good(name):
    return archive(name, [
        ("XMLD/", b"", zipfile.ZIP_STORED),
        ("XMLD/stored.txt", b"Hallo Werft\r\n", zipfile.ZIP_STORED),
        ("XMLD/sub/", b"", zipfile.ZIP_STORED),
        ("XMLD/sub/deflated.txt", b"Luftschiff " * 200, zipfile.ZIP_DEFLATED),
    ])


def patch(path, at, new):
    data = bytearray(path.read_bytes())
    data[at:at + len(new)] = new
    path.write_bytes(bytes(data))


def central(path):
    data = path.read_bytes()
    return data.rfind(b"PK\x01\x02")  # the last central directory record (XMLD/sub/deflated.txt)


good("good.zip")

p = good("truncated.zip")
p.write_bytes(p.read_bytes()[: len(p.read_bytes()) // 2])

p = good("bad_crc.zip")
patch(p, central(p) + 16, b"\x00\x00\x00\x00")

p = good("bad_deflate.zip")
data = p.read_bytes()
at = data.find(b"XMLD/sub/deflated.txt") + len("XMLD/sub/deflated.txt") + 4
patch(p, at, b"\xff\xff\xff\xff")

p = good("bad_directory.zip")
data = p.read_bytes()
patch(p, data.find(b"PK\x01\x02"), b"PK\x09\x09")

p = good("directory_outside.zip")
data = p.read_bytes()
end = data.rfind(b"PK\x05\x06")
patch(p, end + 16, struct.pack("<I", len(data) + 100))

p = good("size_understated.zip")
patch(p, central(p) + 24, struct.pack("<I", 100))

archive("slip_dotdot.zip", [("XMLD/ok.txt", b"ok", zipfile.ZIP_DEFLATED),
                            ("XMLD/../../evil.txt", b"evil", zipfile.ZIP_DEFLATED)])
archive("slip_absolute.zip", [("XMLD/ok.txt", b"ok", zipfile.ZIP_DEFLATED),
                              ("/tmp/evil.txt", b"evil", zipfile.ZIP_DEFLATED)])
archive("slip_drive.zip", [("XMLD/ok.txt", b"ok", zipfile.ZIP_DEFLATED),
                           ("C:/evil.txt", b"evil", zipfile.ZIP_DEFLATED)])
archive("slip_backslash.zip", [("XMLD/ok.txt", b"ok", zipfile.ZIP_DEFLATED),
                               ("XMLD\\..\\..\\evil.txt", b"evil", zipfile.ZIP_DEFLATED)])
# zipfile cuts names at NUL, so the byte goes in afterwards, in the local and the central header.
p = archive("slip_nul.zip", [("XMLD/ok.txt", b"ok", zipfile.ZIP_DEFLATED),
                             ("XMLD/evil_.txt/../../../evil.txt", b"evil", zipfile.ZIP_DEFLATED)])
p.write_bytes(p.read_bytes().replace(b"evil_.txt", b"evil\x00.txt"))

# Name clashes that would make an extraction fail half-way: each is refused before anything is written.
archive("clash_file_folder.zip", [("XMLD/ok.txt", b"ok", zipfile.ZIP_DEFLATED),
                                  ("XMLD/same", b"file", zipfile.ZIP_DEFLATED),
                                  ("XMLD/same/", b"", zipfile.ZIP_STORED)])
archive("clash_file_under_file.zip", [("XMLD/ok.txt", b"ok", zipfile.ZIP_DEFLATED),
                                      ("XMLD/same", b"file", zipfile.ZIP_DEFLATED),
                                      ("XMLD/same/inner.txt", b"inner", zipfile.ZIP_DEFLATED)])
archive("clash_duplicate.zip", [("XMLD/ok.txt", b"ok", zipfile.ZIP_DEFLATED),
                                ("XMLD/twice.txt", b"first", zipfile.ZIP_DEFLATED),
                                ("XMLD/twice.txt", b"second", zipfile.ZIP_DEFLATED)])
archive("clash_letter_case.zip", [("XMLD/ok.txt", b"ok", zipfile.ZIP_DEFLATED),
                                  ("XMLD/Name.txt", b"upper", zipfile.ZIP_DEFLATED),
                                  ("XMLD/name.txt", b"lower", zipfile.ZIP_DEFLATED)])
archive("name_too_long.zip", [("XMLD/ok.txt", b"ok", zipfile.ZIP_DEFLATED),
                              ("XMLD/" + "n" * 300 + ".txt", b"long", zipfile.ZIP_DEFLATED)])

# Several directory entries pointing at the same local header and data: the data would be written once
# per entry.
p = archive("overlap.zip", [("XMLD/a.txt", b"Luftschiff " * 500, zipfile.ZIP_DEFLATED)])
data = p.read_bytes()
cd = data.find(b"PK\x01\x02")
end = data.rfind(b"PK\x05\x06")
record = data[cd:end]
copies = [record]
for i in range(1, 8):
    copies.append(record.replace(b"XMLD/a.txt", b"XMLD/%d.txt" % i))
directory = b"".join(copies)
eocd = bytearray(data[end:])
struct.pack_into("<HHII", eocd, 8, len(copies), len(copies), len(directory), cd)
p.write_bytes(data[:cd] + directory + bytes(eocd))
