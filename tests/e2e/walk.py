#!/usr/bin/python3
"""Walks through the real program on a real X server, as a child would, with real mouse clicks.

Controls are found by their accessible names on the accessibility bus (the captions a child
reads, the four words of a block picture), never by screen positions; the click then goes to the
middle of the control with xdotool. A screenshot of every step lands in the output folder.

Usage (under xvfb-run, with an accessibility bus running; see walkthrough.sh):
    walk.py <program> <output folder>
"""
import os
import subprocess
import sys
import time

import pyatspi


class Failed(Exception):
    pass


class Program:
    def __init__(self, executable, out):
        self.out = out
        self.step = 0
        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        self.process = subprocess.Popen([executable], env=env)
        self.screen = tuple(int(v) for v in self._xdotool("getdisplaygeometry").split())

    # --- looking -------------------------------------------------------------------------------
    def _app(self):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "Zorvelli":
                return app
        return None

    def _walk(self, node, depth=0):
        if node is None or depth > 12:
            return
        yield node
        for child in node:
            yield from self._walk(child, depth + 1)

    def find_all(self, name=None, role=None, showing=True):
        found = []
        for node in self._walk(self._app()):
            try:
                if name is not None and node.name != name:
                    continue
                if role is not None and node.getRoleName() not in ((role,) if isinstance(role, str) else role):
                    continue
                if showing and not node.getState().contains(pyatspi.STATE_SHOWING):
                    continue
                found.append(node)
            except Exception:  # a control that went away while we looked
                continue
        return found

    def find(self, name=None, role=None, timeout=10):
        deadline = time.time() + timeout
        while time.time() < deadline:
            found = self.find_all(name, role)
            if found:
                return found[0]
            time.sleep(0.1)
        raise Failed(f"no {role or 'control'} named {name!r} on screen")

    def extents(self, node):
        e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        return e.x, e.y, e.width, e.height

    def enabled(self, node):
        return node.getState().contains(pyatspi.STATE_ENABLED)

    # --- acting --------------------------------------------------------------------------------
    def _xdotool(self, *args):
        return subprocess.run(["xdotool", *args], check=True, capture_output=True, text=True, timeout=15).stdout

    def click(self, node_or_name, role=None):
        node = self.find(node_or_name, role) if isinstance(node_or_name, str) else node_or_name
        x, y, w, h = self.extents(node)
        self._xdotool("mousemove", str(x + w // 2), str(y + h // 2), "click", "1")
        time.sleep(0.3)

    def double_click(self, node_or_name, role=None):
        """Two presses as quick as a young child's double click."""
        node = self.find(node_or_name, role) if isinstance(node_or_name, str) else node_or_name
        x, y, w, h = self.extents(node)
        self._xdotool("mousemove", str(x + w // 2), str(y + h // 2), "click", "--repeat", "2", "--delay", "80", "1")
        time.sleep(0.5)

    def focused(self, node):
        return node.getState().contains(pyatspi.STATE_FOCUSED)

    def key(self, *keys):
        self._xdotool("key", *keys)
        time.sleep(0.3)

    def shot(self, name):
        self.step += 1
        time.sleep(0.4)
        path = os.path.join(self.out, f"step-{self.step:02d}-{name}.png")
        subprocess.run(["/usr/bin/import", "-window", "root", path], check=True, timeout=30)

    # --- windows -------------------------------------------------------------------------------
    def window_covers_screen(self):
        """The program's one visible top-level window lies at 0,0 and covers the screen."""
        deadline = time.time() + 10
        geometry = ""
        while time.time() < deadline:
            ids = self._xdotool("search", "--onlyvisible", "--class", "zorvelli").split()
            if ids:
                geometry = self._xdotool("getwindowgeometry", ids[-1])
                w, h = self.screen
                if "Position: 0,0" in geometry and f"Geometry: {w}x{h}" in geometry:
                    return
            time.sleep(0.1)
        raise Failed(f"the window does not cover the screen: {geometry}")

    def answer_question(self, yes, shot_name):
        """A question box titled Zorvelli: answer Yes ("Sì") or No."""
        dialog = self.find("Zorvelli", ("dialog", "alert"))
        self.shot(shot_name)
        names = ("Sì", "Yes", "&Sì", "&Yes") if yes else ("No", "&No")
        for node in self._walk(dialog):
            if node.getRoleName() == "push button" and node.name in names:
                self.click(node)
                return
        raise Failed("the question has no " + ("Yes" if yes else "No") + " button")

    def open_activity(self, caption):
        self.click(caption, "push button")
        self.window_covers_screen()

    def leave_activity(self, caption_of_menu_button):
        self.click("Esci", "menu item")
        self.answer_question(True, "leave-question")
        self.find(caption_of_menu_button, "push button")
        self.window_covers_screen()

    def ended(self, timeout=5):
        try:
            return self.process.wait(timeout) == 0
        except subprocess.TimeoutExpired:
            return False


# --- the activities: one function each, with the caption of its menu button -----------------------

def uguale_diverso(p):
    p.shot("uguale-diverso")
    question = p.find(role="label").name
    blocks = [n.name for n in p.find_all(role="image") if n.name.count(" ") == 3]
    if len(blocks) != 2 or not question:
        raise Failed(f"two named blocks and a question expected, found {blocks} and {question!r}")
    p.click("UGUALE", "push button")
    if not (p.find_all("esatti: 1", "label") or p.find_all("errati: 1", "label")):
        raise Failed("the answer was not counted")
    p.shot("uguale-diverso-answered")


def named_blocks(p):
    """The block pictures on screen, each as its four words (shape, colour, size, thickness)."""
    return [n for n in p.find_all(role="image") if n.name.count(" ") == 3]


def condition(p):
    """The value asked for (the first label, in capitals) as the word the blocks are named with."""
    word = p.find(role="label").name
    if not word or word != word.upper():
        raise Failed(f"a value in capitals expected, found {word!r}")
    return word.lower()


def insiemi(p):
    p.shot("insiemi")
    value = condition(p)
    blocks = named_blocks(p)
    wanted = [b.name for b in blocks if value in b.name.split()]
    if len(blocks) != 4 or not wanted:
        raise Failed(f"four named blocks, one at least with {value!r}, expected; found {[b.name for b in blocks]}")
    # Each block that has the value goes into the set, which shows it smaller.
    size = p.extents(blocks[0])[2]
    for name in wanted:
        p.click(next(b for b in named_blocks(p) if b.name == name and p.extents(b)[2] >= size * 0.9))
        if not any(b.name == name and p.extents(b)[2] < size * 0.6 for b in named_blocks(p)):
            raise Failed(f"{name!r} did not go into the set")
    p.shot("insiemi-set-built")
    # A double click, as young children give them: one answer, not a second on the new turn.
    p.double_click("Fatto", "push button")
    p.find("esatti: 1", "label")
    if p.find_all("errati: 1", "label"):
        raise Failed("a double click on a right set was counted wrong too")
    p.shot("insiemi-answered")


def quanti_sono(p):
    p.shot("quanti-sono")
    value = condition(p)
    blocks = named_blocks(p)
    if len(blocks) != 9:
        raise Failed(f"nine named blocks expected, found {[b.name for b in blocks]}")
    count = sum(value in b.name.split() for b in blocks)
    # A block without the value is taken away, as the hint suggests; the count stays.
    others = [b for b in blocks if value not in b.name.split()]
    if others:
        p.click(others[0])
        if len(named_blocks(p)) != 8:
            raise Failed("the clicked block did not go away")
    p.click(str(count), "push button")
    p.find("esatti: 1", "label")
    if not p.enabled(p.find("avanti", "push button")) or p.enabled(p.find(str(count), "push button")):
        raise Failed("after the right answer avanti should wake and the numbers rest")
    p.shot("quanti-sono-answered")


def waiting_block(p):
    """The four words of the one block waiting to be placed (the slots are empty at first)."""
    blocks = [n.name for n in named_blocks(p)]
    if len(blocks) != 1:
        raise Failed(f"one waiting block expected, found {blocks}")
    return blocks[0]


def place_block(p, shot_name):
    """Clicks the box whose names fit the waiting block: each box is called by the names on its
    way ("ROSSO", "NON ROSSO", "ROSSO, NON GRANDE"); a name fits when the block has that word,
    or, after "NON ", does not have it."""
    block = waiting_block(p)
    words = block.split()

    def fits(name):
        return all((part[4:].lower() not in words) if part.startswith("NON ") else (part.lower() in words)
                   for part in name.split(", "))

    boxes = [n for n in p.find_all(role=BOX_ROLE) if n.name]
    right = [n for n in boxes if fits(n.name)]
    if len(boxes) not in (2, 4) or len(right) != 1:
        raise Failed(f"one box for {block!r} expected among {[n.name for n in boxes]}")
    p.click(right[0])
    if not p.find_all("esatti: 1", "label"):
        raise Failed(f"{block!r} in {right[0].name!r} was not counted right")
    if not [n for n in p.find_all(name=block, role="image")]:
        raise Failed(f"{block!r} is not in its box")
    p.shot(shot_name)


# Boxes are containers, offered to assistive technology as panels.
BOX_ROLE = ("panel", "grouping", "filler")


def strade_1(p):
    p.shot("le-strade-1")
    place_block(p, "le-strade-1-placed")


def finish_game(p, shot_name):
    """Places blocks until a box is full: the box is marked, "avanti" wakes and takes the keyboard.
    Then Enter starts the next game."""
    avanti = p.find("avanti", "push button")
    for _ in range(8):
        if p.enabled(avanti):
            break
        blocks = named_blocks(p)
        waiting = max(blocks, key=lambda b: p.extents(b)[2])
        words = waiting.name.split()

        def fits(name):
            return all((part[4:].lower() not in words) if part.startswith("NON ") else (part.lower() in words)
                       for part in name.split(", "))

        right = [n for n in p.find_all(role=BOX_ROLE) if n.name and fits(n.name)]
        if len(right) != 1:
            raise Failed(f"one box for {waiting.name!r} expected")
        p.click(right[0])
        time.sleep(0.2)
    if not p.enabled(avanti):
        raise Failed("no box became full")
    p.shot(shot_name + "-cheer")
    time.sleep(1.5)
    p.shot(shot_name)
    if not p.focused(avanti):
        raise Failed("avanti did not take the keyboard at the end of the game")
    p.key("Return")
    if p.enabled(p.find("avanti", "push button")):
        raise Failed("Enter on avanti did not start the next game")


def tabella(p):
    p.shot("tabella")
    place_block(p, "tabella-placed")
    finish_game(p, "tabella-finished")


def strade_2(p):
    p.shot("le-strade-2")
    p.click("aiuto", "push button")
    time.sleep(0.5)  # two presses, not a double click (which presses once)
    p.click("aiuto", "push button")  # the whole way is marked now
    p.shot("le-strade-2-help")
    place_block(p, "le-strade-2-placed")


def trova_il_blocco(p):
    p.shot("trova-il-blocco")
    blocks = named_blocks(p)
    labels = [n.name for n in p.find_all(role="label") if len(n.name.split()) == 4]
    if len(blocks) != 12 or len(labels) != 1:
        raise Failed(f"twelve named blocks and a four-line description expected, found {len(blocks)} and {labels}")
    words = labels[0].split()
    target = [b for b in blocks if b.name.upper().split() == words]
    if not target:
        raise Failed(f"no block fits {words}")
    p.click(target[0])
    if not p.find_all("esatti: 1", "label") or not p.enabled(p.find("avanti", "push button")):
        raise Failed("finding the block was not counted, or avanti did not wake")
    p.shot("trova-il-blocco-found")


def chain_link(p, name, stays):
    """Answers the first link of a domino chain: the letter of what changed, or of what stayed."""
    p.shot(name)
    blocks = named_blocks(p)
    if len(blocks) != 2:
        raise Failed(f"a chain of two named blocks expected, found {[b.name for b in blocks]}")
    first, second = (b.name.split() for b in blocks)
    same = [i for i in range(4) if first[i] == second[i]]
    if stays:
        answer = same[0] if len(same) == 1 else 4
    else:
        answer = 4 if len(same) == 4 else next(i for i in range(4) if first[i] != second[i])
    letter = "FCDSN"[answer]
    p.click(letter, "push button")
    if not p.find_all("esatti: 1", "label") or not p.find_all(letter, "label"):
        raise Failed(f"the answer {letter} was not counted or not written into the link")
    p.shot(name + "-answered")


def finish_chain(p, name, stays):
    """Answers every link of the chain: the finished chain stays in sight under a cheer while
    the new one starts."""
    for _ in range(10):
        blocks = named_blocks(p)
        first, second = (b.name.split() for b in blocks[-2:])
        same = [i for i in range(4) if first[i] == second[i]]
        if stays:
            answer = same[0] if len(same) == 1 else 4
        else:
            answer = 4 if len(same) == 4 else next(i for i in range(4) if first[i] != second[i])
        p.click("FCDSN"[answer], "push button")
    if len(named_blocks(p)) != 2:
        raise Failed("the chain did not start again after its eleventh link")
    p.shot(name + "-finished-chain")


ACTIVITIES = [
    ("uguale - diverso", uguale_diverso),
    ("insiemi", insiemi),
    ("quanti sono ?", quanti_sono),
    ("le strade 1", strade_1),
    ("tabella", tabella),
    ("le strade 2", strade_2),
    ("trova il blocco", trova_il_blocco),
    ("Cosa cambia?", lambda p: (chain_link(p, "cosa-cambia", stays=False),
                                finish_chain(p, "cosa-cambia", stays=False))),
    ("Cosa resta uguale?", lambda p: chain_link(p, "cosa-resta-uguale", stays=True)),
]


def exit_caption(executable, language):
    """The caption of the menu's exit button in the language picked (as its file gives it)."""
    if language:
        # Beside a runnable program, or in the data folder of an installed one.
        here = os.path.dirname(executable)
        lng = next(p for p in (os.path.join(here, language + ".lng"),
                               os.path.join(here, "..", "share", "games", "zorvelli", language + ".lng"))
                   if os.path.exists(p))
        with open(lng, encoding="utf-8", errors="replace") as f:
            for line in f:
                if line.strip().lower().startswith("command5.caption="):
                    return line.split("=", 1)[1].strip().strip('"')
    return "FINE"


def main(executable, out, activities="all", language=None):
    """activities: "all", "first" or "none"; language: a language to pick in the menu "Lingua"."""
    os.makedirs(out, exist_ok=True)
    p = Program(executable, out)
    try:
        p.find("Zorvelli", "label", timeout=20)
        p.window_covers_screen()
        p.shot("splash")
        p.click("Zorvelli", "label")  # the title opens the menu
        # Without any language file the menu says so first.
        time.sleep(0.5)
        for box in p.find_all(role=("dialog", "alert")):
            p.shot("message")
            p.click(next(n for n in p._walk(box) if n.getRoleName() == "push button"))
        p.find("FINE", "push button")
        p.window_covers_screen()
        p.shot("menu")
        walks = {"all": ACTIVITIES, "first": ACTIVITIES[:1], "none": []}[activities]
        for caption, walk in walks:
            p.open_activity(caption)
            walk(p)
            p.leave_activity(caption)
        if language:
            p.click("Lingua", ("menu", "menu item"))
            p.click(language, ("menu item", "check menu item", "radio menu item"))
            p.shot("language-" + language)
        p.shot("menu-again")
        p.click(exit_caption(executable, language), "push button")
        p.answer_question(True, "exit-question")
        if not p.ended():
            raise Failed("the program did not end after FINE")
    except Failed as e:
        p.shot("failed")
        print(f"FAIL: {e}", file=sys.stderr)
        p.process.kill()
        return 1
    print(f"walk passed: screenshots in {out}")
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
