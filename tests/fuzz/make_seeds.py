#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets (corpus/<target>/). Run again after a change
of a layout; the seeds are committed."""
import os, struct, zlib

HERE = os.path.dirname(os.path.abspath(__file__))

def put(target, name, data):
    d = os.path.join(HERE, 'corpus', target)
    os.makedirs(d, exist_ok=True)
    with open(os.path.join(d, name), 'wb') as f:
        f.write(data)

def text(s, cap):
    return bytes([len(s)]) + s + bytes(cap - len(s))

def header(overlay=(0, 0, 0.0), params=(140, 120, 195, 183, 50, 45, 15), interval=1.0):
    t2, t1, t3, tl, s1, s2, s3 = params
    h = text(b'2.1', 3) + bytes([overlay[0], overlay[1]]) + struct.pack('<f', overlay[2])
    h += struct.pack('<d', 45000.5) + text(b'Wang', 20) + text(b'PCB', 20) + text(b'\xb2\xf0', 20)
    h += bytes([1]) + text(b'', 9) + bytes([1, 2, 3, 4]) + struct.pack('<f', t2) + bytes([1])
    h += struct.pack('<6f', t1, t3, tl, s1, s2, s3) + bytes([1]) + text(b'headline', 70)
    h += struct.pack('<3f', 100, 150, interval) + bytes(4)
    assert len(h) == 213
    return h

def sample(i, tc):
    return struct.pack('<4f', i, tc, tc - 5, 1) + bytes([1, 0, 1, 1, 0, 1, 0, 1])

def record(h, n=3, dots=1):
    b = h + struct.pack('<H', n) + b''.join(sample(i, 25 + 10 * i) for i in range(n))
    return b + struct.pack('<H', dots) + b''.join(struct.pack('<3f', i, 30, 20) for i in range(dots))

# Record files: each variant, a cut one, and headers with values no chart can draw.
put('record_file', 'current', record(header()))
put('record_file', 'version20', text(b'2.0', 3) + record(header()[10:209]))
put('record_file', 'unversioned', record(header()[10:209], 2, 0))
put('record_file', 'cut-in-sample', record(header())[:215 + 30])
put('record_file', 'overlay-entry-absurd', record(header((1, 1, 3e9), (1e12, 3e9, 1e12, 0, 3e9, 1e12, 3e9)), 2, 0))
put('record_file', 'overlay-exit-absurd', record(header((1, 0, 1e12), (-1e12, 3e9, 1e12, 0, 1e12, 3e9, 1e12)), 2, 0))

def entry(kind, payload):
    e = kind + struct.pack('<H', len(payload)) + payload
    return e + struct.pack('<I', zlib.crc32(e))

magic = b'TJNL' + struct.pack('<HH', 1, 0)
j = magic + entry(b'H', header()) + b''.join(entry(b'S', struct.pack('<I', i) + sample(i, 30 + i)) for i in range(3))
j += entry(b'D', struct.pack('<H', 1) + struct.pack('<3f', 1, 30, 20))
put('record_journal', 'three-samples', j)
put('record_journal', 'torn', j[:-5])
put('record_journal', 'absurd-header', magic + entry(b'H', header((1, 1, 1e12), (1e12,) * 7)) + entry(b'S', struct.pack('<I', 0) + sample(0, 30)))

def irl_record(board, comp, typ, vals, sensor, unit, orient, sx, sy, k):
    b = text(board, 20) + text(comp, 20) + text(typ, 20) + struct.pack('<9f', *vals)
    return b + text(sensor, 20) + text(unit, 20) + text(orient, 20) + text(sx, 20) + text(sy, 20) + bytes(k)

r1 = irl_record(b'MB-2040', b'BGA U7', b'\xb2\xf0\xba\xb8', (100, 150, 120, 140, 50, 183, 195, 45, 15), b'IR', b'\xa1\xe6', b'left up', b'2.5*10mm', b'5.5*10mm', (0, 0, 128, 63))
r2 = irl_record(b'\xd6\xf7\xb0\xe5', b'QFP', b'Soldering', (90, 140, 110, 150, 0, 190, 230, 60, 20), b'TC', b'\xa8\x48', b'right down', b'2.0*10mm', b'6.0*10mm', (1, 2, 3, 4))
put('profile_file', 'two-rows', struct.pack('<H', 2) + r1 + r2)
put('profile_file', 'count-beyond-rows', struct.pack('<H', 5) + r1)
put('profile_file', 'empty-table', struct.pack('<H', 0))

put('ini_settings', 'commconfig', b'[Comm]\r\nCommPort=2\r\nBAUTRATE=0\r\n[Option]\r\nlanguage=0\r\nintrals=0.5\r\nLineWidth=2\r\nsavePath=/tmp/x/\r\n[2052]\r\nsheshi=\xa1\xe6\r\n')
put('ini_settings', 'bom', b'\xef\xbb\xbf[Option]\nlanguage=1\nintrals=5e6\n[Comm]\nCommPort=2147483647\n')
put('ini_settings', 'open-bracket', b'[Option]\n[\nlanguage=0\n[x\nCommPort=3\n\x00[Comm]\nBAUTRATE=0x10\n')

def crc16(data):
    table = [0x0000, 0x1021, 0x2042, 0x3063, 0x4084, 0x50A5, 0x60C6, 0x70E7,
             0x8108, 0x9129, 0xA14A, 0xB16B, 0xC18C, 0xD1AD, 0xE1CE, 0xF1EF]
    crc = 0
    for b in data:
        crc = ((crc << 4) & 0xFFFF) ^ table[(crc >> 12) ^ (b >> 4)]
        crc = ((crc << 4) & 0xFFFF) ^ table[(crc >> 12) ^ (b & 0x0F)]
    return crc

def frame(tc, state, control=0x0A, settings=0x03):
    f = bytearray(48)
    f[0] = 0xFF; f[1] = control; f[2] = 0x3A; f[3] = state; f[4] = settings; f[9] = 3
    struct.pack_into('<H', f, 10, tc); struct.pack_into('<H', f, 26, tc - 5)
    for off, v in ((12, 120), (14, 140), (16, 183), (18, 195), (20, 50), (22, 100), (24, 150), (28, 45), (30, 15)):
        struct.pack_into('<H', f, off, v)
    return bytes(f) + struct.pack('<H', crc16(f))

put('frame_path', 'two-frames', frame(150, 0x2D) + frame(65535, 0xC0, 0x02, 0x00))
put('frame_path', 'noise-then-frame', b'\x55\x00\xff\x12' + frame(25, 0x05))
put('frame_path', 'bad-checksum', frame(30, 0)[:-1] + b'\x00' + frame(31, 0))
put('command_blocks', 'two-images', frame(150, 0x2D) + frame(30, 0))
put('command_blocks', 'short', frame(150, 0x2D)[:60])

put('text_codec', 'gbk', '拆焊 ℃ ℉ abc'.encode('gbk'))
put('text_codec', 'cut-double-byte', b'\x0a' + '拆焊'.encode('gbk') + b'\xb2')
put('text_codec', 'invalid', b'\x80\xff\xfe\x00\xa1')

def user(no, pw, name, dept, remark):
    return text(no, 16) + text(pw, 16) + text(name, 16) + text(dept, 32) + text(remark, 64)

u1 = user(b'7', b'secret', b'Wang', b'QA', b'night shift')
u2 = user(b'A12', b'', '张三'.encode('gbk'), '维修'.encode('gbk'), b'')
put('user_list', 'two-users', u1 + u2)
put('user_list', 'partial-record', u1 + u2[:40])
put('user_list', 'lengths-over-capacity', b'\xff' * 17 + b'\x30' + b'\xb2' * 16 + b'\x11' + b'\xd6' * 115)
put('user_list', 'empty', b'')
# A length over the capacity over bytes that are no text: a lead byte before a NUL.
put('user_list', 'lead-byte-before-nul', u1 + u2[:51] + bytes([206]) + b'\x04\x00\xac\x00\xd0\xde' + bytes(26) + u2[84:])

def oprec(when, texts):
    return struct.pack('<d', when) + b''.join(text(t, 63) for t in texts)

o1 = oprec(45429.5851, [b'7', b'Wang', b'QA', b'', b'MB-2040', b'QFP'])
o2 = oprec(45430.0, ['A12'.encode(), '张三'.encode('gbk'), '维修'.encode('gbk'), b'x', b'QFP', b'BGA'])
put('operation_log', 'two-entries', o1 + o2)
put('operation_log', 'trailing-bytes', o1 + o2[:100])
put('operation_log', 'absurd-dates', oprec(float('nan'), [b'1'] * 6) + oprec(1e300, [b'2'] * 6) + oprec(-1e12, [b'3'] * 6))
put('operation_log', 'length-over-63', struct.pack('<d', 45000) + b'\xff' + b'\x41' * 383)

with open(os.path.join(HERE, '..', '..', 'data', 'print.frf'), 'rb') as f:
    shipped = f.read()
put('report_template', 'shipped', shipped)
put('report_template', 'shipped-absurd-record', shipped + b'\n#record\n' + record(header((1, 1, 1e12), (1e12, 3e9, -1e12, 0, 3e9, 1e12, 3e9)), 2, 1))
put('report_template', 'variables', b'<p>[p3] [c1] [t1] [nosuch] [p3</p><img src="Picture1"><img src="missing.png">')
put('report_template', 'table', b'<table border=1>' + b'<tr><td>[d1t]</td><td colspan=99999>[d1c]</td></tr>' * 20 + b'</table>')
put('report_template', 'not-utf8', b'\xb2\xf0 <b>\xff\xfe</b> [p3]')
