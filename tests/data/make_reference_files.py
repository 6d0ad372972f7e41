#!/usr/bin/env python3
"""Writes the reference-record golden files of this folder from the documented byte layouts.

Little-endian i32 and f64, time values as 32-bit seconds since 1970, texts with a one-byte length
prefix in Windows-1252. Ports: the integer 1000 after the pilot texts marks the newer layout, which
adds fourteen integers and two texts; charts: the tag "Version 4" adds the bitmap path and the two
extents. Run it with the folder to write into: python3 make_reference_files.py tests/data
"""
import os
import struct
import sys

out = sys.argv[1]
def f(*v): return b''.join(struct.pack('<d', x) for x in v)
def i(*v): return b''.join(struct.pack('<i', x) for x in v)
def tm(*v): return b''.join(struct.pack('<I', x) for x in v)
def t(s): b = s.encode('cp1252'); return bytes([len(b)]) + b
def pos(name='New Position', lat=45.0, lon=5.0, zone=0.0, req=0.0, sch=0.0, time=0.0):
    return f(15.0, lat, lon) + t(name) + f(zone, req, sch, time)
def wx(p=1000.0, at=18.0, cs=0.0, cr=0.0, aux=1.4, st=18.0, wd=0.0, ws=0.0, n=0,
       sd=0.0, sh=0.0, vis=15.0, wh=0.0, text=''):
    return f(p + 9000.0, at, cs, cr, aux, st, wd, ws) + i(n) + f(sd, sh, vis, wh) + t(text)
def doc(path='', desc='', date=0, author=''): return t(path) + t(desc) + tm(date) + t(author)
def storm(position, course=0.0, speed=0.0, wind=60, pressure=900, eye=75, radius=300, tend=0):
    return position + f(course, speed) + i(wind, pressure, eye, radius, tend)
def chart(position, copy, tag='Version 4', is_chart=1, text1='', number='', alt='',
          publisher='', issue=0, edition=0, scale=100000.0, scale_lat=0.0, bitmap='',
          lat_ext=0.0, lon_ext=0.0):
    b = position + i(is_chart) + t(text1) + t(tag) + t(copy) + t(number) + t(alt) + t(publisher)
    b += tm(issue, edition) + f(scale, scale_lat)
    if tag == 'Version 4': b += t(bitmap) + f(lat_ext, lon_ext)
    return b
def traject(number='', rpm=1, waypoints=b'', count=0, note=''):
    return i(4) + t(number) + i(rpm, count) + waypoints + t(note)
def port(position, mark, docs=(), requirements=(0,)*14, pilot_tel='', berth_image='',
         spares=(0, 0, 0, 0, 0, 0, 0), drafts=(0.0, 0.0, 1.025), texts=('',)*6, etb=0,
         pilot=('VHF 16', '1', 'PilotStation', '1'), notice=0, inbound=None, outbound=None,
         tide=None):
    b = position + i(*spares) + f(*drafts) + b''.join(t(s) for s in texts)
    b += i(len(docs)) + b''.join(docs) + tm(etb) + b''.join(t(s) for s in pilot)
    b += i(mark, notice)
    if mark == 1000: b += i(*requirements) + t(pilot_tel) + t(berth_image)
    return b + (inbound or traject()) + (outbound or traject()) + (tide or f(*[0.0]*14) + tm(0) + f(*[0.0]*8))

files = {}
# A storm with every default.
files['storm_default.bin'] = storm(pos())
hagibis = storm(pos('HAGIBIS', 14.5, 140.25, 0.375, 0.0, 0.0, 7250.75), 285.0, 12.5, 140, 915, 20, 250, 2)
files['storm_list.dat'] = i(2) + storm(pos()) + hagibis

files['chart_version4.bin'] = chart(pos('Dover Strait', 51.5, -1.25), 'Dover Strait (copy)',
    text1='folio text', number='2449', alt='Straits of Dover', publisher='UKHO',
    issue=1262304000, edition=1577836800, scale=150000.0, scale_lat=51.0,
    bitmap='charts/2449.png', lat_ext=-0.75, lon_ext=2.5)
files['chart_list_mixed.bin'] = i(3) \
    + chart(pos('New Position', 50.0, 0.0), 'Admiralty List of Lights', tag='', is_chart=0,
            number='NP 74', issue=946684800, edition=946684800) \
    + chart(pos('', 49.0, -3.0), '', tag='Version 3', alt='Channel West', issue=0, edition=0) \
    + chart(pos('Thames', 51.4, 0.5), 'Thames', bitmap='thames.bmp', lat_ext=-0.5, lon_ext=1.0,
            issue=1000, edition=2000)

rotterdam_docs = (doc('C:\\docs\\port.doc', 'Port guide', 1600000000, 'Harbour master'),)
maas = pos('Maas Center', 52.0, 3.9) + wx(1013.0, 12.0, 90.0, 1.5, 1.4, 11.0, 225.0, 18.0, 1,
    270.0, 1.5, 8.0, 1.0, 'RAIN') + i(1, 0) + f(8.0, 1.0) + i(0, 0)
tide = f(*[k * 0.5 for k in range(14)]) + tm(1700003600) + f(*[100.0 + k for k in range(8)])
common = dict(docs=rotterdam_docs, spares=(4, 3, 1, 1, 0, 11, 22), drafts=(55.5, 14.2, 1.02),
    texts=('Netherlands', 'ops@agent.example', 'Agent BV', 'Waalhaven 4',
           'Pilot boards at Maas Center', '+31 10 000'),
    etb=1700000000, pilot=('VHF 11', '1', 'Maas Pilot', 'SB'), notice=24,
    inbound=traject('IN-1', 0, maas, 1, 'inbound'), tide=tide)
rotterdam = pos('Rotterdam', 51.95, 4.05, 0.041666666666666664)
files['port_newer_layout.bin'] = port(rotterdam, 1000,
    requirements=(1, 1, 0, 1, 0, 1, 1, 3, 200, 5, 800, 10, 50, 8),
    pilot_tel='+31 10 252', berth_image='berth.bmp', **common)
files['port_older_layout.bin'] = port(rotterdam, 0, **common)
files['port_list.dat'] = i(2) + files['port_newer_layout.bin'] + port(pos('Antwerpen', 51.3, 4.3), 999)

warning = pos('NAVAREA III 123/26', 36.0, -5.5, 0.0, 9800.5, 0.0, 9790.25) + f(0.25) + i(2) \
    + pos('New Position', 35.9, -5.6) + pos('New Position', 36.1, -5.4) + i(0) \
    + doc('warn.txt', 'Firing exercises', 1780000000, 'NAVAREA')
files['warning_record.bin'] = warning
files['warning_list.dat'] = i(2) + warning + pos('Line', 10.0, 20.0) + f(0.0) + i(0) + i(1) + doc()

files['reporting_point_record.bin'] = pos('TSS Ushant', 48.5, -5.75, time=9001.5) + f(1.0) + i(0) \
    + t('Call Ushant Traffic VHF 13') + t('2h before') + i(2) + t('a.doc') + t('b.pdf')

area = pos('NW', 50.0, -20.0) + pos('SE', 40.0, -5.0) + t('Biscay') + t('Earth') + f(7623.0) \
    + tm(1790000000) + wx(1005.0, wd=315.0, ws=30.0, sh=3.0, sd=300.0, vis=5.0, wh=2.5,
                          cs=45.0, cr=0.7, text='ROUGH') + i(0)
files['forecast_record.bin'] = area
files['forecast_list.dat'] = i(1) + area

# New records as the program stores them, created at 2026-12-06 12:00 UTC.
now = 1796558400
files['chart_default.bin'] = chart(pos(), 'New Position', issue=now, edition=now)
files['port_default.bin'] = port(pos(), 1000, etb=now, tide=f(*[0.0]*14) + tm(now) + f(*[0.0]*8))
files['warning_default.bin'] = pos() + f(0.0) + i(0) + i(1) + doc(date=now)
files['reporting_point_default.bin'] = pos('Reporting Point') + f(1.0) + i(0) + t('') + t('') + i(0)
files['forecast_default.bin'] = pos() + pos() + t('') + t('Earth') + f(7623.0) + tm(now) + wx() + i(1)

for name, b in files.items():
    open(os.path.join(out, name), 'wb').write(b)
    print(name, len(b))
