#!/usr/bin/env python3
"""Writes the ship report golden files of reports/ from the documented message tables.

One voyage, vessel and present position (the same values as ship_report_test.cpp) give one
message per writer. Lines end in CR LF; the Equador and ShipRep messages are one line with no
line end. Field forms: latitude "DDMMN/", longitude "DDDMMW/" with truncated minutes; time group
day, hour, minute and "Z"; date-time group adds "%b%y"; course three digits; speed in tenths
with one "0" below 100; whole knots "%2.0f/".
"""
import datetime
import os

MONTHS = ['Jan', 'Feb', 'Mar', 'Apr', 'May', 'Jun', 'Jul', 'Aug', 'Sep', 'Oct', 'Nov', 'Dec']

def utc(text): return datetime.datetime.strptime(text, '%Y-%m-%dT%H:%M')

class Point:
    def __init__(self, name, lat, lon, time=None, req=None, course=0.0, speed=12.0, gc=0):
        self.name, self.lat, self.lon = name, lat, lon
        self.time, self.req = utc(time) if time else None, utc(req) if req else None
        self.course, self.speed, self.gc = course, speed, gc

def coord(x, digits, pos, neg):
    a = abs(x); d = int(a); m = int((a - d) * 60.0)
    return '%0*d%02d%s/' % (digits, d, m, pos if x >= 0.0 else neg)
def position(p): return coord(p.lat, 2, 'N', 'S') + coord(p.lon, 3, 'E', 'W')
def group(t): return '%02d%02d%02dZ' % (t.day, t.hour, t.minute)
def tgs(p): return group(p.req) + '/'                         # time group of RequiredTime, "/"
def dtg(t): return group(t) + MONTHS[t.month - 1] + '%02d' % (t.year % 100) + '/'
def course(c): return '%03d/' % int(c)
def speed(s): v = int(s * 10.0); return ('0' if v < 100 else '') + '%d/' % v
def knots(s): return '%2.0f/' % s

VESSEL = {'name': 'ALPHA', 'call': 'PABC', 'imo': '9123456'}
ROUTE = [
    Point('ROTTERDAM', 51.9316, 4.175, time='2026-12-05T14:30', req='2026-12-05T14:45'),
    Point('CAPE', -36.75, 18.5, req='2026-12-07T06:00', course=5.7, speed=12.5),
    Point('WP TWO', 0.0, -0.20833333, req='2026-12-09T09:05', course=245.3, speed=8.4, gc=1),
    Point('NEW YORK', 40.45, -73.78333, req='2027-01-03T09:05', course=359.9, speed=0.5),
]
FIX = Point('Latest Position Fix', 1.5, -0.5, time='2026-12-08T21:07', req='2026-12-08T23:59')
FIX_CMG, FIX_SMG = 250.2, 8.0
DEP, WP1, WP2, DEST = ROUTE[0], ROUTE[1], ROUTE[2], ROUTE[-1]
# The waypoint ahead of the fix is WP TWO (nearest, and its leg course is close to the course
# made good); the destination follows it.
AHEAD, AFTER = ROUTE[2], ROUTE[3]

A1 = 'A/%(name)s/%(call)s//' % VESSEL
A2 = 'A/%(name)s/%(call)s/%(imo)s//' % VESSEL
A3 = 'A/%(call)s/%(name)s/NL/CTR//' % VESSEL
A4 = '%(name)s/NL/%(call)s/' % VESSEL

def leg(p): return 'L/' + ('GC/' if p.gc else 'RL/') + speed(p.speed) + position(p)
def r1(p): return leg(p) + p.name + '/' + tgs(p) + '/'
def r2(p): return leg(p) + tgs(p) + p.name + '//'
def r3(p): return 'L/' + speed(p.speed) + position(p) + tgs(p) + '/'
def r4(p): return 'L/RL/' + position(p) + '/'
def route(form): return [form(p) for p in ROUTE[1:]]

FIX_B = 'B/' + group(FIX.time) + '/' + '/'
FIX_C = 'C/' + position(FIX) + '/'
FIX_LINES = [FIX_B, FIX_C, 'E/' + course(FIX_CMG) + '/', 'F/' + speed(FIX_SMG) + '/']
G = 'G/' + DEP.name + '/' + position(DEP) + '/'
I = 'I/' + DEST.name + '/' + position(DEST) + '/'
K = 'K/' + DEST.name + '/' + position(DEST) + tgs(DEST) + '/'
SAIL_B_TO_I = ['B/' + tgs(DEP) + '/', 'E/' + course(WP1.course) + '/',
               'F/' + speed(WP1.speed) + '/', G, I]

LINES = {
  'amver_sp': ['AMVER/SP//', A1] + SAIL_B_TO_I + route(r1) + ['Z/EOR//'],
  'amver_pr': ['AMVER/PR//', A1] + FIX_LINES + [I, 'Z/EOR//'],
  'amver_fr': ['AMVER/FR//', A1, K, 'Z/EOR//'],
  'sistram_1': ['SISTRAM/1/' + dtg(DEP.time) + '/', A3, 'B/' + tgs(DEP) + '/', G, I] + route(r3)
      + ['V/NONE//', 'M/INMARSAT//', 'X/NONE//', 'Y/NONE//'],
  'sistram_2': ['SISTRAM/2/' + dtg(FIX.time) + '/', A3] + FIX_LINES
      + ['M/INMARSAT//', 'X/NONE//', 'Y/NONE//'],
  'sistram_4': ['SISTRAM/4/' + dtg(DEST.req) + '/', A3, K, 'X/NONE//', 'Y/NONE//'],
  'ausrep_sp': ['AUSREP/SP//', A2, 'F/' + speed(WP1.speed) + '/',
                'H/' + dtg(DEP.req) + position(DEP) + '/', 'K/' + dtg(DEST.req) + position(DEST) + '/']
      + route(r1) + ['M/INMARSAT//', 'N/{STATE DATE TIME NEXT REPORT}//', 'V/NONE//'],
  'ausrep_pr': ['AUSREP/PR//', A2] + FIX_LINES + ['N/{PLEASE STATE DATE TIME NEXT REPORT HERE}//'],
  'ausrep_fr': ['AUSREP/FR//', A2, 'K/' + tgs(DEST) + position(DEST) + tgs(DEST) + '/', 'X/NONE//'],
  'jasrep_sp': ['JASREP/SP//', A1] + SAIL_B_TO_I + route(r2)
      + ['M/' + course(WP1.course) + course(WP2.course) + '/', 'V/NONE//', 'X/NONE//', 'Y/AMVER//'],
  'jasrep_pr': ['JASREP/PR//', A1] + FIX_LINES
      + ['M/' + course(AHEAD.course) + course(AFTER.course) + '/', 'X/NONE//', 'Y/AMVER//'],
  'jasrep_fr': ['JASREP/FR//', A1, FIX_B, FIX_C, 'X/FINAL REPORT//', 'Y/AMVER//'],
  'chilrep_sp': ['CHILREP/SP//', A1, 'F/' + speed(WP1.speed) + '/', G,
                 'H/' + dtg(DEP.req) + position(DEP) + '/',
                 'I/' + DEST.name + '/' + position(DEST) + dtg(DEST.req) + '/',
                 'J/{PLEASE STATE WHETHER PILOT IS CARRIED ONBOARD}//',
                 'K/' + tgs(DEST) + position(DEST) + '/'] + route(r4)
      + ['M/INMARSAT//', 'N/{PLEASE STATE DAILY REPORTING TIME}//', 'V/NONE//', 'X/NONE//'],
  'chilrep_pr': ['CHILREP/PR//', A1] + FIX_LINES + ['X/NONE//'],
  'chilrep_fr': ['CHILREP/FR//', A1, 'K/' + tgs(DEST) + '/' + position(DEST) + '/',
                 'X/Final Report//'],
}
PIECES = {
  'equador_sp': ['SP/', A4, tgs(DEP), DEST.name + '/', position(DEP), course(WP1.course),
                 knots(WP1.speed), DEP.name + '/', tgs(DEST)],
  'equador_pr': ['PR/', A4, tgs(FIX), position(FIX), course(FIX_CMG), knots(FIX_SMG)],
  'equador_fr': ['FR/', A4, tgs(DEST), DEP.name + '/', course(DEST.course), knots(DEST.speed),
                 DEST.name + '/', tgs(DEST)],
  'shiprep_pr': ['PR/', '%(name)s/%(call)s/NL/' % VESSEL, tgs(FIX), position(FIX),
                 course(FIX_CMG), knots(FIX_SMG), DEST.name + '/', tgs(DEST)],
}

here = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'reports')
os.makedirs(here, exist_ok=True)
for name, lines in LINES.items():
    with open(os.path.join(here, name + '.txt'), 'wb') as out:
        out.write(''.join(line + '\r\n' for line in lines).encode('cp1252'))
for name, pieces in PIECES.items():
    with open(os.path.join(here, name + '.txt'), 'wb') as out:
        out.write(''.join(pieces).encode('cp1252'))
