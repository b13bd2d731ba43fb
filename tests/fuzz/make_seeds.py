#!/usr/bin/env python3
"""Writes the generated seed inputs of the fuzz targets into their folders. The other .xlsx and .xls
seeds are workbooks saved by q36cli read and the fixtures resaved by LibreOffice, and the .xls files
with formulas and in BIFF5 that the exchange tests build (Q36_FUZZ_SEEDS=tests/fuzz/xls
build/bin/exchange_tests --gtest_also_run_disabled_tests --gtest_filter='FuzzSeeds.*').

The transfer seeds are whole and damaged conversations in the input layout of TransferOneInput:
a scenario byte (bit 0 write, bit 1 scan lists, bit 2 English), the number of answers a virtual
radio gives before the seed takes over, a byte of store failures, then deliveries as a length
byte and the bytes (length 0: the response timer fires).
"""
import io
import os
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))


def frame(command, payload):
    body = bytes([command, len(payload)]) + bytes(payload)
    checksum = 0
    for b in body:
        checksum ^= b
    return b"\xC4\xD7" + body + bytes([checksum]) + b"\x04\x04\x04"


def block(kind, index, count, contents):
    data = bytes([kind, index, count]) + bytes(contents)
    return data + bytes(35 - len(data))


def units(mhz):
    u = int(round(mhz * 8000))
    return [u & 0xFF, (u >> 8) & 0xFF, (u >> 16) & 0xFF]


HANDSHAKE_REPLY = frame(0x91, [1, 2, 3] + [0] * 11)
COMMON = frame(0x93, block(1, 0, 1, [2, 0, 60, 0, 0, 0x06, 0x39, 0x30, 2, 0x0B, 8, 0, 0, 0]))


def channel(i, enabled=True):
    if not enabled:
        return frame(0x93, block(2, i, 24, []))
    contents = units(400 + i + 0.0125) + units(401 + i) + [0x01 | (i % 4) << 4, i % 50, (i % 3) << 2 | 0x02,
                                                           i % 83, i % 9]
    return frame(0x93, block(2, i, 24, contents))


def scan(j):
    return frame(0x93, block(3, j, 5, [(j * 7 + s) % 26 for s in range(16)]))


def status(code):
    return frame(0x80, [code])


FULL_READ = [HANDSHAKE_REPLY, COMMON] + [channel(i, i % 5 != 3) for i in range(24)] + [scan(j) for j in range(5)]
FULL_WRITE = [HANDSHAKE_REPLY] + [status(0)] * 31


def seed(name, scenario, answers, failures, deliveries):
    data = bytes([scenario, answers, failures])
    for d in deliveries:
        while len(d) > 255:
            data += bytes([255]) + d[:255]
            d = d[255:]
        data += bytes([len(d)]) + d
    with open(os.path.join(HERE, "transfer", name), "wb") as f:
        f.write(data)


def transfer_seeds():
    seed("read-whole", 0b010, 0, 0, FULL_READ)
    seed("read-no-scan-lists", 0b000, 0, 0, FULL_READ[:26])
    seed("read-english", 0b110, 0, 0, FULL_READ)
    seed("read-from-channel-12", 0b010, 14, 0, FULL_READ[14:])
    seed("read-scan-lists-late", 0b010, 26, 0, [b""] + FULL_READ[26:])
    seed("read-status-refusals", 0b010, 0, 0, [status(1), status(2), status(3), status(4), status(9), status(0)])
    seed("read-damaged", 0b010, 2, 0,
         [channel(0)[:20], channel(0)[20:], b"\xFF\x00\x5A" + channel(1), channel(2) + channel(2),
          channel(3)[:39] + bytes([channel(3)[39] ^ 0xFF]) + channel(3)[40:], b"\x93", b"\xC4\xD7\x93\x23\x02"])
    seed("read-store-fails", 0b010, 1, 1, FULL_READ[1:6])
    seed("read-wrong-indexes", 0b010, 2, 0,
         [frame(0x93, block(2, 99, 24, [])), frame(0x93, block(3, 7, 5, [])), frame(0x93, block(9, 0, 1, []))])
    seed("write-whole", 0b011, 0, 0, FULL_WRITE)
    seed("write-no-scan-lists", 0b001, 0, 0, FULL_WRITE[:26] + [b""])
    seed("write-from-channel-12", 0b011, 14, 0, [status(0)] * 18)
    seed("write-refused-channel-7", 0b011, 8, 0, [status(3), status(0), status(0)])
    seed("write-rows-unreadable", 0b011, 2, 2, [status(0), status(0)])
    seed("write-late-handshake-reply", 0b011, 31, 0, [HANDSHAKE_REPLY, status(0), b"", status(0)])


def codec_seed(name, head, texts):
    with open(os.path.join(HERE, "codec_text", name), "wb") as f:
        f.write(bytes(head) + b"\x1F".join(t.encode() for t in texts))


def codec_text_seeds():
    # selector byte: band (mod 5), bit 3 English, bit 4 scan lists; then the page choices.
    codec_seed("page-and-channel", [0x10, 0x00], ["60", "", "8", "435.0125", "440", "88.5", "754", "3"])
    codec_seed("limits", [0x14, 0x05], ["250", "65535", "250", "136", "174.0000", "254.1", "23", ""])
    codec_seed("refusals", [0x10, 0x03], ["29", "65536", "1", "174.0125", "abc", "", "999", "8"])
    codec_seed("number-forms", [0x01, 0x00], [" 145.5 ", "+.5e3", "1e-400", "-0", "5.", "00012", "1E2", "0x1F"])
    codec_seed("big-numbers", [0x02, 0x00],
               ["99999999999999999999", "1e308", "1e309", "2147483647", "2147483648", "-2147483648", "$FF", "0xFFFFFFFF"])
    codec_seed("dates-and-times", [0x0B, 0x00],
               ["D2024-02-29", "T12:30:59.123", "A2024-01-01 10:00", "I-12", "F1.5", "D2023-02-29", "T24:00",
                "I$7F"])
    codec_seed("fractions", [0x13, 0x08],
               ["30", "0", "2", "136.00625", "173.9999999", "145.50001", "0.000125", "439.99999999999999999"])


def minimal_xlsx(strings=None, name="minimal-types.xlsx"):
    """The three sheets with every cell type the reader knows, in the fewest parts."""
    sheet = ('<?xml version="1.0" encoding="UTF-8"?><worksheet xmlns="http://schemas.openxmlformats.org/'
             'spreadsheetml/2006/main"><sheetData>{}</sheetData></worksheet>')
    common = sheet.format('<row r="2"><c r="B2" t="inlineStr"><is><t>12345</t></is></c><c r="E2" t="s"><v>0</v></c>'
                          '</row><row r="4"><c r="B4"><v>60</v></c><c r="E5" t="b"><v>1</v></c></row>')
    titles = ["信道", "启用", "VOX", "发送频率", "发亚音", "发数值", "发射功率", "接收频率", "收亚音", "收数值",
              "静噪等级", "带宽", "扫描添加", "遇忙禁发"]
    cells = "".join(f'<c t="inlineStr"><is><t>{t}</t></is></c>' for t in titles)
    record = ('<c t="str"><v>01</v></c><c t="b"><v>1</v></c><c t="str"><v>False</v></c><c><v>435.0125</v></c>'
              '<c t="str"><v>CTCSS</v></c><c t="str"><v>88.5</v></c><c t="s"><v>1</v></c><c><v>4.4E2</v></c>'
              '<c t="str"><v>NULL</v></c><c/><c><v>3</v></c><c t="str"><v>宽</v></c><c t="str"><v>添加</v></c>'
              '<c t="e"><v>#N/A</v></c>')
    channels = sheet.format(f'<row>{cells}</row><row>{record}</row>')
    scan_titles = "".join(f'<c t="inlineStr"><is><t>{t}</t></is></c>' for t in ["LIST"] + [f"{k:02}" for k in
                                                                                       range(1, 17)])
    scans = sheet.format(f'<row>{scan_titles}</row><row><c><v>1</v></c><c t="str"><v>CH03</v></c></row>')
    names = ["公共参数", "信道参数", "扫描列表"]
    workbook = ('<?xml version="1.0" encoding="UTF-8"?><workbook xmlns="http://schemas.openxmlformats.org/'
                'spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/'
                'relationships"><sheets>' +
                "".join(f'<sheet name="{n}" sheetId="{k + 1}" r:id="rId{k + 1}"/>' for k, n in enumerate(names)) +
                '</sheets></workbook>')
    rels = ('<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/'
            '2006/relationships">' +
            "".join(f'<Relationship Id="rId{k + 1}" Type="http://schemas.openxmlformats.org/officeDocument/2006/'
                    f'relationships/worksheet" Target="worksheets/sheet{k + 1}.xml"/>' for k in range(3)) +
            '<Relationship Id="rId9" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/'
            'sharedStrings" Target="sharedStrings.xml"/></Relationships>')
    if strings is None:
        strings = '<si><t>开</t></si><si><r><t>高</t></r></si>'.encode()
    strings = ('<?xml version="1.0" encoding="UTF-8"?><sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/'
               '2006/main">').encode() + strings + b'</sst>'
    root_rels = ('<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/'
                 'package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/'
                 'officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/></Relationships>')
    buffer = io.BytesIO()
    with zipfile.ZipFile(buffer, "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("_rels/.rels", root_rels)
        z.writestr("xl/workbook.xml", workbook)
        z.writestr("xl/_rels/workbook.xml.rels", rels)
        z.writestr("xl/sharedStrings.xml", strings)
        for k, part in enumerate([common, channels, scans]):
            z.writestr(f"xl/worksheets/sheet{k + 1}.xml", part)
    with open(os.path.join(HERE, "xlsx", name), "wb") as f:
        f.write(buffer.getvalue())


def invalid_utf8_xlsx():
    """Shared strings that are not UTF-8: a stray continuation byte and a cut sequence, as fuzzing
    found them in a part the XML parser accepted."""
    minimal_xlsx(b'<si><t>\x15o\xaf\xe5\x8a\xa8</t></si><si><r><t>\xe9\xab</t></r></si>',
                 "regression-invalid-utf8.xlsx")


if __name__ == "__main__":
    transfer_seeds()
    codec_text_seeds()
    minimal_xlsx()
    invalid_utf8_xlsx()
