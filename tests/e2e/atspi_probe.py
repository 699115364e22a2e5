#!/usr/bin/python3
"""Listens on the desktop's accessibility bus as a screen reader does and writes
one line per event of the game: the event, the role and the name of its source,
and its extents on the screen ("x y w h"), tab-separated. "ready" is written
once the listeners are in place. Usage: atspi_probe.py OUTPUT_FILE"""
import sys

import pyatspi

EVENTS = [
    "focus:",
    "window:activate",
    "object:property-change:accessible-name",
    "object:state-changed:checked",
    "object:state-changed:showing",
]
out = open(sys.argv[1], "a", buffering=1)


def on_event(event):
    source = event.source
    try:
        if source.getApplication().name != "Velmora Sudoku":
            return
        role, name = source.getRoleName(), source.name
        try:
            box = source.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            extents = f"{box.x} {box.y} {box.width} {box.height}"
        except NotImplementedError:
            extents = "-"
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
