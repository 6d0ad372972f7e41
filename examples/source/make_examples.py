#!/usr/bin/env python3
"""Builds the example data set in examples/ from the descriptions below.

A container ship on a winter passage from Rotterdam to New York, under way on
2026-12-06: vessel, a dozen ports with pilot stations, the route document, a week of
history fixes with weather, an average-weather grid, two storms, three navigational
warnings, charts and publications, reporting points, forecast areas and a master
schedule. Run it with the keelmark command built:

    examples/source/make_examples.py build/keelmark
"""
import datetime as dt
import json
import math
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.dirname(HERE)
KEELMARK = sys.argv[1] if len(sys.argv) > 1 else os.path.join(OUT, "..", "build", "keelmark")
NOW = "2026-12-06T12:00:00Z"


def day(text):
    """Day number (day 1.0 = 2000-01-01 00:00 UTC) of "YYYY-MM-DD HH:MM" UTC."""
    t = dt.datetime.strptime(text, "%Y-%m-%d %H:%M")
    return (t - dt.datetime(1999, 12, 31)).total_seconds() / 86400.0


def iso(text):
    return dt.datetime.strptime(text, "%Y-%m-%d %H:%M").strftime("%Y-%m-%dT%H:%M:00Z")


def build(kind, content, name):
    data = subprocess.run([KEELMARK, "--now", NOW, "build", "--type", kind],
                          input=json.dumps(content).encode(), capture_output=True, check=True).stdout
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)


def weather(wind_dir, wind, swell_dir=0.0, swell=0.0, waves=0.0, current_set=0.0, current=0.0,
            pressure=1013.0, air=10.0, sea=12.0, visibility=10.0, text="GOOD", count=0):
    return {"WindDirection": wind_dir, "WindSpeed": wind, "SwellDirection": swell_dir,
            "SwellHeight": swell, "WaveHeight": waves, "CurrentSet": current_set,
            "CurrentRate": current, "AirPressure": pressure, "AirTemperature": air,
            "SeaTemperature": sea, "Visibility": visibility, "WeatherText": text,
            "ObservationCount": count}


def position(name, lat, lon, zone_hours=0.0, **extra):
    record = {"Name": name, "Latitude": lat, "Longitude": lon, "ZoneOffset": zone_hours / 24.0}
    record.update(extra)
    return record


# --- The vessel: a 4,500 TEU container ship. ---
VESSEL = {
    "name": "mv Keelmark Pioneer", "lengthPP": 247.0, "breadth": 32.26, "depthMoulded": 24.15,
    "draftForward": 11.9, "draftAft": 12.3, "displacement": 68450.0, "initialDisplacement": 68450.0,
    "containerTiers": 4, "eyeToKeel": 45.0, "mastTopToKeel": 60.5, "propellerDiameter": 8.0,
    "propellerPitch": 7.9, "maxRpm": 104, "manoeuvringRpm": 60, "calibrationRpm": 72.0,
    "calibrationHeading": 255.0, "maxFuelPerDay": 148.0, "maxPower": 57100.0,
    "hullCoefficient": 0.3, "airCoefficient": 0.02, "waveCoefficient": 0.03,
    "fullAheadMinutes": 30, "manoeuvringMinutes": 15, "manoeuvringDistance": 3,
    "minutesPerRpm": 2.0, "mctc": 196.0, "lcb": 1.2, "lcf": -2.4,
}

# --- The route: Maas pilot to Ambrose pilot. (name, lat, lon, great circle, manual kn) ---
DEPARTURE = "2026-12-01 06:00"
ARRIVAL = "2026-12-10 20:00"
ROUTE = [
    ("Maas Center pilot", 52.0, 3.883, False, None),
    ("Noord Hinder", 52.0, 2.85, False, None),
    ("Dover Strait SW lane", 51.0, 1.45, False, 12.0),
    ("Royal Sovereign", 50.6, 0.55, False, None),
    ("Casquets TSS", 49.95, -2.35, False, None),
    ("Lizard Point", 49.85, -5.2, False, None),
    ("Bishop Rock", 49.7, -6.6, False, None),
    ("47N 020W", 47.0, -20.0, True, None),
    ("43N 040W", 43.0, -40.0, True, None),
    ("41N 055W", 41.0, -55.0, True, None),
    ("Nantucket Shoals", 40.45, -69.0, False, None),
    ("Ambrose pilot", 40.45, -73.8, False, None),
]


def route_document():
    waypoints = []
    for i, (name, lat, lon, gc, manual) in enumerate(ROUTE):
        w = position(name, lat, lon, 1.0 if i == 0 else (-5.0 if i == len(ROUTE) - 1 else 0.0))
        w["GreatCircle"] = 1 if gc else 0
        w["UseVoyageWeather"] = 1
        if manual:
            w["ManualSpeed"] = 1
            w["GroundSpeed"] = manual
        if i == 0:
            w["Time"] = day(DEPARTURE)
            w["ScheduledTime"] = day(DEPARTURE)
            w["RequiredTime"] = day(DEPARTURE)
        waypoints.append(w)
    waypoints[-1]["ScheduledTime"] = day(ARRIVAL)
    voyage = {"Version": 4, "VoyageNumber": "KP-2648W", "ConstantRpm": 1,
              "Note": "Winter North Atlantic passage. Keep clear of the storm tracks south of 40N.",
              "Waypoints": waypoints}
    charts = [
        dict(position("BA 2182A North Sea Southern Sheet", 52.5, 3.0), Number="NM 4812/26",
             Publisher="UKHO", Scale=750000.0, ScaleLatitude=53.0, LayoutTag="Folio 1",
             Edition=iso("2025-06-12 00:00"), IsChart=1),
        dict(position("NP 136 Ocean Passages for the World", 0.0, 0.0), Number="Edition 6",
             Publisher="UKHO", Edition=iso("2024-03-01 00:00"), IsChart=0),
        dict(position("BA 2675 English Channel", 50.2, -2.0), Number="NM 4790/26", Publisher="UKHO",
             Scale=500000.0, ScaleLatitude=50.0, LayoutTag="Folio 1", Edition=iso("2024-11-21 00:00"),
             IsChart=1),
        dict(position("NP 282(1) Radio Signals: Maritime Safety", 0.0, 0.0), Number="Weekly 48/26",
             Publisher="UKHO", Edition=iso("2026-07-01 00:00"), IsChart=0),
        dict(position("BA 4011 North Atlantic Ocean Southern Part", 35.0, -40.0),
             Number="NM 4410/26", Publisher="UKHO", Scale=10000000.0, ScaleLatitude=35.0,
             LayoutTag="Folio 4", Edition=iso("2023-09-14 00:00"), IsChart=1),
        dict(position("NOAA 12300 Approaches to New York", 40.3, -73.5), Number="LNM 47/26",
             Publisher="NOAA", Scale=400000.0, ScaleLatitude=40.5, LayoutTag="Folio US",
             Edition=iso("2025-01-09 00:00"), IsChart=1, Projection=0),
        dict(position("NP 74 Sailing Directions: Channel Pilot", 0.0, 0.0), Number="Edition 11",
             Publisher="UKHO", Edition=iso("2025-10-30 00:00"), IsChart=0),
    ]
    reporting = [
        dict(position("CROSS Gris-Nez (MANCHEREP)", 50.87, 1.58), Action="Report on VHF 13 entering the Dover Strait TSS", Time=day("2026-12-01 13:40"), ReportFlag=1),
        dict(position("Jobourg Traffic (MAREP)", 49.68, -2.25), Action="Report on VHF 13 passing Casquets", Time=day("2026-12-01 22:10"), ReportFlag=1),
        dict(position("AMVER position report", 47.0, -20.0), Action="Send AMVER PR every 48 hours"),
        dict(position("New York VTS", 40.45, -73.8, -5.0), Action="Call on VHF 14 one hour before Ambrose"),
    ]
    return {"Voyage": voyage, "Charts": charts, "ReportingPoints": reporting}


def along_route(hours_from_departure, speed=15.5):
    """A rough position along the route (plane sailing between waypoints)."""
    left = hours_from_departure * speed
    for (n1, la1, lo1, _, _), (n2, la2, lo2, _, _) in zip(ROUTE, ROUTE[1:]):
        dlat = (la2 - la1) * 60.0
        dlon = (lo2 - lo1) * 60.0 * math.cos(math.radians((la1 + la2) / 2))
        leg = math.hypot(dlat, dlon)
        if left <= leg:
            f = left / leg
            course = math.degrees(math.atan2(dlon, dlat)) % 360.0
            return la1 + f * (la2 - la1), lo1 + f * (lo2 - lo1), course
        left -= leg
    return ROUTE[-1][1], ROUTE[-1][2], 270.0


def history():
    fixes = []
    start = dt.datetime.strptime(DEPARTURE, "%Y-%m-%d %H:%M")
    weather_cycle = [(250, 22, 3.0, "OVERCAST"), (270, 28, 4.0, "RAIN"), (300, 18, 2.5, "GOOD"),
                     (230, 32, 4.5, "ROUGH"), (210, 15, 2.0, "GOOD"), (280, 25, 3.5, "RAIN")]
    for i in range(0, 21):
        hours = 6.0 * i + 3.0
        t = start + dt.timedelta(hours=hours)
        lat, lon, course = along_route(hours)
        wdir, wind, swell, text = weather_cycle[i % len(weather_cycle)]
        fixes.append(dict(position("Position Fix", round(lat, 4), round(lon, 4), 1.0 if lon > -2 else 0.0),
                          Time=day(t.strftime("%Y-%m-%d %H:%M")), CourseMadeGood=round(course, 1),
                          SpeedMadeGood=15.5 - (0.8 if wind > 25 else 0.0), SteeredCourse=round(course, 1),
                          LogSpeed=15.9, EngineRpm=72.0, DraftAft=12.3,
                          Weather=weather(wdir, wind, wdir, swell, swell * 0.6,
                                          (course + 40) % 360, 0.4, 1002.0 + i % 5, 9.0, 11.5,
                                          8.0 if text != "RAIN" else 4.0, text)))
    fixes[-1]["Name"] = "Latest Position Fix"
    return {"records": fixes}


PORTS = [
    ("Rotterdam", 51.95, 4.05, 1.0, "Netherlands", "ECT Delta Terminal", "Maas Center", 52.0, 3.883, "VHF 01"),
    ("Antwerp", 51.28, 4.3, 1.0, "Belgium", "MPET Deurganck", "Wandelaar", 51.383, 3.05, "VHF 60"),
    ("Hamburg", 53.54, 9.93, 1.0, "Germany", "CTA Altenwerder", "Elbe Pilot", 54.0, 8.1, "VHF 68"),
    ("Le Havre", 49.48, 0.1, 1.0, "France", "Terminal de France", "Le Havre Pilot", 49.55, -0.05, "VHF 20"),
    ("Felixstowe", 51.95, 1.32, 0.0, "United Kingdom", "Trinity Terminal", "Sunk Pilot", 51.85, 1.63, "VHF 14"),
    ("Southampton", 50.9, -1.43, 0.0, "United Kingdom", "SCT 4", "Nab Tower", 50.67, -0.95, "VHF 09"),
    ("New York", 40.67, -74.15, -5.0, "United States", "Port Newark Container Terminal", "Ambrose Pilot", 40.45, -73.8, "VHF 73"),
    ("Halifax", 44.63, -63.56, -4.0, "Canada", "PSA Halifax South End", "Chebucto Head Pilot", 44.5, -63.47, "VHF 12"),
    ("Boston", 42.35, -71.04, -5.0, "United States", "Conley Terminal", "Boston Pilot", 42.38, -70.78, "VHF 12"),
    ("Philadelphia", 39.92, -75.14, -5.0, "United States", "Packer Avenue Terminal", "Cape Henlopen Pilot", 38.8, -75.03, "VHF 14"),
    ("Baltimore", 39.25, -76.55, -5.0, "United States", "Seagirt Marine Terminal", "Cape Henry Pilot", 36.93, -75.95, "VHF 16"),
    ("Norfolk", 36.87, -76.33, -5.0, "United States", "Norfolk International Terminals", "Cape Henry Pilot", 36.93, -75.95, "VHF 16"),
]


def ports():
    records = []
    for name, lat, lon, zone, country, berth, pilot, plat, plon, vhf in PORTS:
        inbound = [position(pilot, plat, plon, zone), position(name + " berth", lat, lon, zone)]
        records.append(dict(position(name, lat, lon, zone), Country=country, BerthName=berth,
                            AgentName="Keelmark Shipping Agency " + name,
                            AgentEmail="ops." + name.lower().replace(" ", "") + "@keelmark-agency.example",
                            AgentTel="+00 555 0100", PilotCall=pilot, PilotText="Board 2 nM off the station",
                            VhfChannel=vhf, MaxDraft=14.5, Salinity=1.020,
                            InboundTraject={"Version": 4, "Waypoints": inbound}))
    return {"records": records}


def meteo():
    records = []
    for lat in (40.0, 45.0, 50.0, 55.0):
        for lon in range(-75, 10, 5):
            base = weather(260.0 if lat > 45 else 240.0, 18.0 + (lat - 40) * 0.6, 270.0, 2.5 + (lat - 40) * 0.1,
                           1.8, 60.0 if lon < -40 else 80.0, 0.6 if -70 < lon < -40 else 0.3,
                           1010.0, 8.0, 11.0, 10.0, "", 12)
            winter = dict(base, WindSpeed=base["WindSpeed"] + 8, SwellHeight=base["SwellHeight"] + 1.5)
            summer = dict(base, WindSpeed=base["WindSpeed"] - 6, SwellHeight=max(0.5, base["SwellHeight"] - 1.0),
                          AirTemperature=18.0, SeaTemperature=19.0)
            records.append(dict(position("Grid %gN %gW" % (lat, -lon) if lon < 0 else "Grid %gN %gE" % (lat, lon), lat, float(lon)),
                                JanFeb=winter, MarMay=base, JunAug=summer, SepDec=winter,
                                Latest=dict(winter, ObservationCount=1), Time=day("2026-11-20 00:00")))
    return {"records": records}


def storms():
    return {"records": [
        dict(position("ALPHA", 32.5, -48.0), Time=day("2026-12-06 06:00"), Course=40.0, Speed=14.0,
             CentralPressure=985, MaxWind=55, EyeDiameter=30, FieldRadius=250),
        dict(position("BETA", 27.8, -63.5), Time=day("2026-12-06 06:00"), Course=10.0, Speed=9.0,
             CentralPressure=992, MaxWind=45, EyeDiameter=20, FieldRadius=180),
    ]}


def warnings():
    def warning(ident, lat, lon, issued, valid, text, outline):
        return dict(position(ident, lat, lon), Time=day(issued), RequiredTime=day(valid),
                    Message={"Author": "NAVAREA coordinator", "Description": text,
                             "IssueDate": iso(issued)},
                    Outline=[position("Outline", a, b) for a, b in outline])
    return {"records": [
        warning("NAVAREA IV 1187/26", 41.2, -57.6, "2026-12-04 14:00", "2026-12-12 00:00",
                "Drifting containers reported, vessels keep a sharp lookout",
                [(41.5, -58.0), (41.5, -57.2), (40.9, -57.2), (40.9, -58.0)]),
        warning("NAVAREA I 342/26", 49.93, -2.3, "2026-12-02 09:00", "2026-12-20 00:00",
                "Casquets TSS: racon of buoy CS2 unreliable", [(49.93, -2.3)]),
        warning("NAVAREA IV 1203/26", 40.35, -70.5, "2026-12-05 18:00", "2026-12-15 00:00",
                "Cable laying operations, give wide berth", [(40.5, -70.8), (40.2, -70.2)]),
    ]}


def forecasts():
    def area(name, nw, se, when, w):
        return {"Name": name, "NorthWest": position("NW corner", *nw), "SouthEast": position("SE corner", *se),
                "ForecastTime": iso(when), "Weather": w, "AreaText": name, "UseAverageCurrent": 1}
    return {"records": [
        area("Dover", (51.5, 0.5), (50.5, 2.5), "2026-12-06 06:00", weather(240, 25, 240, 2.0, 1.5, 45, 1.2, 1004, 9, 11, 6, "RAIN")),
        area("Plymouth", (50.3, -6.0), (48.5, -2.5), "2026-12-06 06:00", weather(260, 30, 260, 3.5, 2.5, 80, 0.8, 998, 10, 12, 8, "ROUGH")),
        area("Sole", (50.0, -15.0), (48.0, -6.0), "2026-12-06 06:00", weather(270, 35, 270, 5.0, 3.5, 90, 0.4, 992, 11, 13, 10, "STORM")),
    ]}


def schedule():
    legs = [("Rotterdam", 0.0, 30.0, 1.0, "2026-11-29 18:00"), ("New York", 3420.0, 48.0, -5.0, "2026-12-10 20:00"),
            ("Norfolk", 285.0, 24.0, -5.0, "2026-12-13 08:00"), ("Halifax", 860.0, 20.0, -4.0, "2026-12-16 14:00"),
            ("Antwerp", 2710.0, 36.0, 1.0, "2026-12-25 06:00")]
    return {"records": [{"Name": n, "Distance": d, "PortStay": s, "ZoneHours": z, "Eta": day(e)} for n, d, s, z, e in legs]}


def main():
    build("vessel", VESSEL, "vessel.dat")
    build("route", route_document(), "atlantic-westbound.q3v")
    build("history", history(), "voyage.dat")
    build("ports", ports(), "port.dat")
    build("meteo", meteo(), "meteo.dat")
    build("storms", storms(), "hurricane.dat")
    build("warnings", warnings(), "warning.dat")
    build("forecasts", forecasts(), "forecast.dat")
    build("schedule", schedule(), "schedule.dat")


if __name__ == "__main__":
    main()
