#!/usr/bin/env python3
"""Writes the vessel data files used by the tests, straight from the vessel.dat layout.

default_vessel.bin: a new vessel record. sample_vessel.bin: every field changed, a name with
a character outside ASCII and two hydrostatic rows. Run from this folder.
"""
import struct


def f64(*values):
    return b"".join(struct.pack("<d", v) for v in values)


def i32(*values):
    return b"".join(struct.pack("<i", v) for v in values)


def text(s):
    raw = s.encode("cp1252")
    assert len(raw) < 255
    return bytes([len(raw)]) + raw


def vessel(f, rows):
    return (f64(f["calibrationHeading"]) + i32(f["containerTiers"])
            + f64(f["depthMoulded"], f["lengthPP"], f["breadth"], f["spareValue"],
                  f["draftForward"], f["draftAft"], f["airCoefficient"], f["hullCoefficient"])
            + i32(f["fullAheadMinutes"], f["manoeuvringMinutes"], f["manoeuvringDistance"])
            + f64(f["minutesPerRpm"], f["maxFuelPerDay"], f["maxPower"],
                  f["initialDisplacement"], f["propellerDiameter"], f["propellerPitch"])
            + i32(f["manoeuvringRpm"], f["maxRpm"])
            + text(f["name"])
            + f64(f["mastTopToKeel"], f["eyeToKeel"], f["calibrationRpm"], f["referenceDraft"],
                  f["referenceDisplacement"])
            + f64(f["displacement"], f["auxValue"])
            + f64(f["mctc"], f["lcb"], f["lcf"], f["waveCoefficient"], f["hydroConstant"])
            + i32(len(rows)) + b"".join(f64(*row) for row in rows))


DEFAULTS = dict(
    calibrationHeading=0.0, containerTiers=3, depthMoulded=24.15, lengthPP=247.0,
    breadth=32.26, spareValue=21.0, draftForward=12.75, draftAft=12.85, airCoefficient=0.03,
    hullCoefficient=0.3, fullAheadMinutes=30, manoeuvringMinutes=15, manoeuvringDistance=3,
    minutesPerRpm=2.0, maxFuelPerDay=150.0, maxPower=65880.0, initialDisplacement=73272.0,
    propellerDiameter=8.0, propellerPitch=7.9, manoeuvringRpm=63, maxRpm=106,
    name="mv Brineholt", mastTopToKeel=60.0, eyeToKeel=45.0, calibrationRpm=63.0,
    referenceDraft=14.0, referenceDisplacement=80950.0, displacement=73272.0, auxValue=8.0,
    mctc=200.0, lcb=1.0, lcf=1.0, waveCoefficient=0.1, hydroConstant=1000.0)

SAMPLE = dict(
    calibrationHeading=271.5, containerTiers=5, depthMoulded=18.2, lengthPP=182.5,
    breadth=28.4, spareValue=-3.25, draftForward=9.1, draftAft=10.35, airCoefficient=0.045,
    hullCoefficient=0.27, fullAheadMinutes=40, manoeuvringMinutes=20, manoeuvringDistance=4,
    minutesPerRpm=1.5, maxFuelPerDay=62.5, maxPower=21000.0, initialDisplacement=41000.0,
    propellerDiameter=6.4, propellerPitch=5.85, manoeuvringRpm=70, maxRpm=124,
    name="Hélène Brineholt", mastTopToKeel=44.8, eyeToKeel=31.6, calibrationRpm=98.0,
    referenceDraft=10.5, referenceDisplacement=45500.0, displacement=39875.5, auxValue=-1.0,
    mctc=512.25, lcb=-2.75, lcf=-4.5, waveCoefficient=0.063, hydroConstant=1025.0)

SAMPLE_ROWS = [(8.0, 30125.5, 612.25, -1.5, -3.0, 480.0, 1.0),
               (12.0, 47010.0, 705.5, -1.25, -2.5, 530.75, 2.0)]

if __name__ == "__main__":
    with open("default_vessel.bin", "wb") as out:
        out.write(vessel(DEFAULTS, []))
    with open("sample_vessel.bin", "wb") as out:
        out.write(vessel(SAMPLE, SAMPLE_ROWS))
