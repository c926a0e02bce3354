#!/usr/bin/python3
# The program as a screen reader meets it, through the accessibility bus (AT-SPI), while the
# posture selection window is open on a report whose regions are all chosen:
# - every drawing, button, list, text box and picture in sight has a name;
# - the main postures of each region are one named group of radio buttons, one of them chosen;
# - a drawing chosen through the bus is followed by its new score, spoken as a change of its
#   description (the choice is then put back).
# Writes the first tab as a screen reader reads it to the file given. Exits 1 on any fault.
# (The roles and names of the windows and their parts are checked offscreen: test_usability.)
import re
import sys
import time
import warnings

import gi

gi.require_version('Atspi', '2.0')
from gi.repository import Atspi, GLib  # noqa: E402

# Debian 12's libatspi calls the action names' getter deprecated and offers none other.
warnings.simplefilter('ignore', DeprecationWarning)

Named = {'push button', 'list', 'text', 'image', 'radio button', 'check box', 'combo box'}
faults = []
heard = []


def children(node):
    return [c for c in (node.get_child_at_index(i) for i in range(node.get_child_count())) if c]


def is_(node, state):
    return node.get_state_set().contains(state)


def descendants(node):
    for child in children(node):
        if is_(child, Atspi.StateType.SHOWING):
            yield child
            yield from descendants(child)


def of_role(node, role):
    return [n for n in descendants(node) if n.get_role_name() == role]


def wait(seconds, until=lambda: False):
    end = time.time() + seconds
    while time.time() < end and not until():
        GLib.MainContext.default().iteration(False)
        time.sleep(0.01)


def window(parent, title, showing=True):
    def shown():
        return [w for w in children(parent) if w.get_name() == title and
                (is_(w, Atspi.StateType.SHOWING) or not showing)]
    wait(10, shown)
    return shown()[0] if shown() else sys.exit('no window "%s" in sight' % title)


def press(node):
    for i in range(node.get_n_actions()):
        if node.get_action_name(i) in ('Press', 'Toggle'):
            return node.do_action(i)
    faults.append('"%s" cannot be pressed' % node.get_name())


def dump(node, depth, out):
    line = '  ' * depth + '%s "%s"' % (node.get_role_name(), node.get_name())
    line += ' - ' + node.get_description() if node.get_description() else ''
    out.write(line + (' (chosen)' if is_(node, Atspi.StateType.CHECKED) else '') + '\n')
    for child in [c for c in children(node) if is_(c, Atspi.StateType.SHOWING)]:
        dump(child, depth + 1, out)


app = window(Atspi.get_desktop(0), 'VESK Procedure', showing=False)
posture = window(app, 'VESK')
faults += ['a %s without a name' % n.get_role_name() for n in descendants(posture)
           if n.get_role_name() in Named and not n.get_name().strip()]
groups = of_role(posture, 'panel')
for group in groups:
    chosen = [n for n in of_role(group, 'radio button') if is_(n, Atspi.StateType.CHECKED)]
    if not group.get_name() or len(of_role(group, 'radio button')) < 2 or len(chosen) != 1:
        faults.append('group "%s": %d chosen' % (group.get_name(), len(chosen)))
if len(groups) != 3 or len(of_role(posture, 'radio button')) != sum(
        len(of_role(g, 'radio button')) for g in groups):
    faults.append('the radio buttons of the first tab are not all in its 3 groups')
with open(sys.argv[1], 'w') as out:
    dump(posture, 0, out)

# A choice and its score: another trunk posture, then the one the report chose again.
listener = Atspi.EventListener.new(
    lambda e: heard.append((e.source.get_name(), e.source.get_description())))
listener.register('object:property-change:accessible-description')
wait(1)
trunk = of_role(groups[0], 'radio button')
was = next(n for n in trunk if is_(n, Atspi.StateType.CHECKED))
for drawing in [n for n in trunk if n.get_name() != was.get_name()][:1] + [was]:
    heard.clear()
    press(drawing)
    wait(3, lambda: any(name == drawing.get_name() for name, _ in heard))
    said = [text for name, text in heard if name == drawing.get_name()]
    if not said or not re.search(r'Trunk score: \d', said[-1]) or not is_(
            drawing, Atspi.StateType.CHECKED):
        faults.append('"%s" chosen, heard %s' % (drawing.get_name(), heard))

for fault in faults:
    print(fault)
sys.exit(1 if faults else 0)
