#!/usr/bin/python3
"""Writes one line per accessibility event of the game, as a screen reader hears
it: the event, its source's role, name and extents on the screen ("x y w h"),
tab-separated; "ready" once listening. Usage: atspi_probe.py OUTPUT_FILE"""
import sys

import pyatspi

EVENTS = [
    "focus:",
    "window:activate",
    "object:property-change:accessible-name",
    "object:state-changed:showing",
]
out = open(sys.argv[1], "a", buffering=1)


def on_event(event):
    source = event.source
    try:
        if source.getApplication().name != "Velmora Sudoku":
            return
        role, name = source.getRoleName(), source.name
        box = source.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        extents = f"{box.x} {box.y} {box.width} {box.height}"
    except Exception as error:  # the object may be gone already
        role, name, extents = "?", str(error), "-"
    kind = event.type.rstrip(":")
    if kind.startswith("object:state-changed"):
        kind += f":{event.detail1}"
    name = name.replace("\n", " | ")
    out.write(f"{kind}\t{role}\t{name}\t{extents}\n")


pyatspi.Registry.registerEventListener(on_event, *EVENTS)
out.write("ready\n")
pyatspi.Registry.start()
