#!/usr/bin/python3
"""The program as a screen reader meets it, through the accessibility bus (AT-SPI), while the
posture selection window is open on a report whose regions are all chosen:
- every window is a frame or a dialog named by its title;
- every drawing, button, list, text box and picture in sight has a name, and no drawing is
  named by its report caption;
- the main postures of each region are one named group of radio buttons, one of them chosen;
- a drawing chosen through the bus is followed by its new score, spoken as a change of its
  description (the choice is then put back);
- the task picture chooser, opened through the bus, names its lists and its path box.
Writes the first tab as a screen reader reads it to the file given. Exits 1 on any fault."""
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


def showing(node):
    return node.get_state_set().contains(Atspi.StateType.SHOWING)


def descendants(node):
    for child in children(node):
        if showing(child):
            yield child
            yield from descendants(child)


def wait(seconds, until=lambda: False):
    end = time.time() + seconds
    while time.time() < end and not until():
        GLib.MainContext.default().iteration(False)
        time.sleep(0.01)


def window(app, title):
    found = []
    wait(10, lambda: found.extend(w for w in children(app) if w.get_name() == title and
                                  showing(w)) or found)
    if not found:
        sys.exit('no window "%s" in sight' % title)
    return found[0]


def press(node):
    for i in range(node.get_n_actions()):
        if node.get_action_name(i) in ('Press', 'Toggle'):
            return node.do_action(i)
    faults.append('"%s" cannot be pressed' % node.get_name())


def check_names(root):
    for node in descendants(root):
        role, name = node.get_role_name(), node.get_name()
        if role in Named and not name.strip():
            faults.append('a %s in "%s" has no name' % (role, root.get_name()))
        if role in ('radio button', 'check box') and re.search(r' - Option \d', name):
            faults.append('drawing named by its caption: ' + name)


def dump(node, depth, out):
    state = node.get_state_set()
    marks = [m for m, s in (('chosen', Atspi.StateType.CHECKED),
                            ('focused', Atspi.StateType.FOCUSED)) if state.contains(s)]
    line = '  ' * depth + '%s "%s"' % (node.get_role_name(), node.get_name())
    line += ' - ' + node.get_description() if node.get_description() else ''
    out.write(line + (' (%s)' % ', '.join(marks) if marks else '') + '\n')
    for child in children(node):
        if showing(child):
            dump(child, depth + 1, out)


desktop = Atspi.get_desktop(0)
wait(10, lambda: [a for a in children(desktop) if a.get_name() == 'VESK Procedure'])
app = next(a for a in children(desktop) if a.get_name() == 'VESK Procedure')
for top in children(app):
    if top.get_role_name() not in ('frame', 'dialog') or not top.get_name():
        faults.append('window "%s" is a %s' % (top.get_name(), top.get_role_name()))
    if top.get_name() == 'KOLVE - Caution Statement' and top.get_role_name() != 'dialog':
        faults.append('the caution statement is no dialog')

posture = window(app, 'VESK')
check_names(posture)
groups = [n for n in descendants(posture) if n.get_role_name() == 'panel']
radios = [n for n in descendants(posture) if n.get_role_name() == 'radio button']
for group in groups:
    members = [n for n in descendants(group) if n.get_role_name() == 'radio button']
    chosen = [n for n in members if n.get_state_set().contains(Atspi.StateType.CHECKED)]
    if not group.get_name() or len(members) < 2 or len(chosen) != 1:
        faults.append('group "%s": %d radio buttons, %d chosen' %
                      (group.get_name(), len(members), len(chosen)))
if len(radios) != sum(len([n for n in descendants(g) if n.get_role_name() == 'radio button'])
                      for g in groups) or len(groups) != 3:
    faults.append('%d radio buttons on the first tab, not all in its 3 groups' % len(radios))
with open(sys.argv[1], 'w') as out:
    dump(posture, 0, out)

# A choice and its score: another trunk posture, then the one the report chose again.
listener = Atspi.EventListener.new(
    lambda e: heard.append((e.source.get_name(), e.source.get_description())))
listener.register('object:property-change:accessible-description')
wait(1)
trunk = [n for n in descendants(groups[0]) if n.get_role_name() == 'radio button']
was = next(n for n in trunk if n.get_state_set().contains(Atspi.StateType.CHECKED))
for drawing in [n for n in trunk if n.get_name() != was.get_name()][:1] + [was]:
    heard.clear()
    press(drawing)
    wait(3, lambda: any(name == drawing.get_name() for name, _ in heard))
    said = [text for name, text in heard if name == drawing.get_name()]
    if not said or not re.search(r'Trunk score: \d', said[-1]):
        faults.append('choosing "%s" was followed by no spoken score: %s' %
                      (drawing.get_name(), heard))
    if not drawing.get_state_set().contains(Atspi.StateType.CHECKED):
        faults.append('"%s" is not chosen after pressing it' % drawing.get_name())

press(next(n for n in descendants(posture) if n.get_name() == 'Load Picture'))
chooser = window(app, 'Open Picture File')
check_names(chooser)
named = {n.get_name() for n in descendants(chooser)}
if chooser.get_role_name() != 'dialog' or not {'Folders', 'Files', 'Path'} <= named:
    faults.append('the picture chooser: a %s with %s' % (chooser.get_role_name(), sorted(named)))
press(next(n for n in descendants(chooser) if n.get_name() == 'Exit'))

for fault in faults:
    print(fault)
sys.exit(1 if faults else 0)
