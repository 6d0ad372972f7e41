#!/usr/bin/env python3
"""Writes the route golden files of this folder from the documented byte layouts.

Little-endian i32 and f64, texts with a one-byte length prefix in Windows-1252. A weather block
stores the pressure + 9000.0 and all fourteen values; the older block (old_wx) stores the bare
pressure and ends after the observation count.
"""
import os
import struct

def f(*v): return b''.join(struct.pack('<d', x) for x in v)
def i(*v): return b''.join(struct.pack('<i', x) for x in v)
def t(s): b = s.encode('cp1252'); return bytes([len(b)]) + b
def pos(name='New Position', lat=45.0, lon=5.0, zone=0.0, req=0.0, sch=0.0, tm=0.0):
    return f(15.0, lat, lon) + t(name) + f(zone, req, sch, tm)
def wx(p=1000.0, at=18.0, cs=0.0, cr=0.0, aux=1.4, st=18.0, wd=0.0, ws=0.0, n=0,
       sd=0.0, sh=0.0, vis=15.0, wh=0.0, text=''):
    return f(p + 9000.0, at, cs, cr, aux, st, wd, ws) + i(n) + f(sd, sh, vis, wh) + t(text)
def old_wx(p=1000.0, at=18.0, cs=0.0, cr=0.0, aux=1.4, st=18.0, wd=0.0, ws=0.0, n=0):
    return f(p, at, cs, cr, aux, st, wd, ws) + i(n)
def wp(position, weather, manual=0, gc=0, gs=12.0, spare2=1.0, spare1=0, own_wx=1):
    return position + weather + i(manual, gc) + f(gs, spare2) + i(spare1, own_wx)
def fix(position, weather, cmg=0.0, smg=0.0, steered=0.0, log=0.0, spare=0.0, rpm=0.0, draft=4.0):
    return position + weather + f(cmg, smg, steered, log, spare, rpm, draft)
files = {
  'default_waypoint.bin': wp(pos(), wx()),
  'route_v4.q3v': i(4) + t('V-042') + i(0) + i(2)
      + wp(pos('Rotterdam', 51.9, 4.1, 0.041666666666666664, 9000.5, 9001.0, 9000.0),
           wx(1012.5, wd=270.0, ws=15.0, n=3, text='GOOD'), gs=14.5, own_wx=0)
      + wp(pos('Lisboa', 38.7, -9.1), old_wx(1016.0, cs=180.0, cr=0.5), manual=1, gc=1, gs=11.0)
      + t('Keep clear of the TSS') + i(0) + i(0),
  'route_v3.q3v': i(3) + t('OLD-7') + i(1) + i(1) + wp(pos('Hamburg', 53.5, 9.9), old_wx(1008.0)) + i(0) + i(0),
  'history.dat': i(2)
      + fix(pos('Position Fix', 50.0, -2.0, tm=9000.25), wx(1010.0, cs=90.0, cr=1.5, text='RAIN'),
            cmg=87.5, smg=13.2, steered=85.0, log=12.9, spare=0.25, rpm=96.0, draft=9.5)
      + fix(pos('Latest Position Fix', 50.1, -1.5, tm=9000.5), old_wx(995.0, ws=22.0)),
  'meteo.dat': i(1) + pos('Grid', 40.0, -20.0)
      + wx(1015.0, n=2) + wx(1020.0, n=3, text='FOG') + old_wx(999.0, n=1)
      + wx(1005.0, sd=300.0, sh=2.5) + wx(1011.0, vis=4.0) + f(0.0) + t(''),
  'schedule.dat': i(2) + f(100.0, 24.0, 0.0, 9000.0) + t('Rotterdam')
      + f(250.5, 12.0, 2.0, 9002.25) + t('Bremerhaven'),
}
files['fix_older_weather.dat'] = fix(pos('Latest Position Fix', 50.1, -1.5, tm=9000.5),
                                     old_wx(995.0, ws=22.0), cmg=12.0, draft=7.25)
here = os.path.dirname(os.path.abspath(__file__))
for name, data in files.items():
    with open(os.path.join(here, name), 'wb') as out:
        out.write(data)
