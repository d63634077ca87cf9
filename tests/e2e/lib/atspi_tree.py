"""The program's accessibility tree as the e2e scripts read it (pyatspi)."""
import sys
import time

import pyatspi


def app(tries=100):
    """The program's application node, waiting for it to reach the bus."""
    for _ in range(tries):
        for a in pyatspi.Registry.getDesktop(0):
            if a is not None and a.name == "quorvel":
                return a
        time.sleep(0.2)
    sys.exit("quorvel is not on the accessibility bus")


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def find(name, under=None):
    """The first node named `name`, waiting a while for it to appear."""
    for _ in range(50):
        for node in walk(under or app()):
            if node.name == name:
                return node
        time.sleep(0.2)
    sys.exit("nothing named " + name)
