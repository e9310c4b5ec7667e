"""Swaps config.json in a folder among the given files, as fast as renames go, until the first is gone.

Usage: swap_config.py FOLDER FIRST [OTHER...]; each name is made config.json in turn by a hard
link and a rename, so that a reader sees one whole file or another, never a half-written one.
"""
import os
import sys

os.chdir(sys.argv[1])
names = sys.argv[2:]
while os.path.exists(names[0]):
    for name in names:
        try:
            os.link(name, "swapping")
            os.replace("swapping", "config.json")
        except OSError:
            pass
