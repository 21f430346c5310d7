#!/usr/bin/python3
"""Walks through the real program on a real X server, as a child would, with real mouse clicks.

Controls are found by their accessible names on the accessibility bus (the captions a child
reads, the four words of a block picture), never by screen positions; the click then goes to the
middle of the control with xdotool. A screenshot of every step lands in the output folder.

Usage (under xvfb-run, with an accessibility bus running; see walkthrough.sh):
    walk.py <program> <output folder> [all|first|none [<language>]]
    walk.py <program> <output folder> play|shots <language>
"""
import os
import re
import subprocess
import sys
import time

import pyatspi


class Failed(Exception):
    pass


# The names of the attribute values: the Italian words the pictures are named with. In another
# language none of them may reach the child.
ITALIAN_NAMES = {"rotondo", "quadrato", "rettangolo", "triangolo", "rosso", "giallo", "blu", "grande", "piccolo",
                 "spesso", "sottile"}


def data_folders(executable):
    """Where the program finds its data: beside a runnable program, or the data folder of an
    installed one; and the user's own languages."""
    here = os.path.dirname(executable)
    user = os.environ.get("XDG_DATA_HOME") or os.path.join(os.path.expanduser("~"), ".local", "share")
    return (here, os.path.join(here, "..", "share", "games", "zorvelli"), os.path.join(user, "zorvelli"))


def language_file(executable, language):
    for folder in data_folders(executable):
        path = os.path.join(folder, language + ".lng")
        if os.path.isfile(path):
            return path
    return None


def starting_language(executable):
    """The language the program starts in: the one its shipped LangSetting.ini names."""
    for folder in data_folders(executable)[:2]:
        path = os.path.join(folder, "LangSetting.ini")
        if os.path.isfile(path):  # a damaged program folder may hold a folder of that name
            with open(path, encoding="utf-8", errors="replace") as f:
                for line in f:
                    if line.strip().lower().startswith("currentlanguage="):
                        return line.split("=", 1)[1].strip().strip('"')
    return None


class Texts:
    """The texts of one language file, read as the program reads them (sections and keys in any
    letter case, quotes taken off); without the file, the windows' own Italian texts."""

    def __init__(self, executable, language):
        self.values = {}
        path = language and language_file(executable, language)
        if not path:
            return
        section = ""
        with open(path, "rb") as f:
            raw = f.read()
        try:
            text = raw.decode("utf-8-sig")
        except UnicodeDecodeError:
            text = raw.decode("cp1252", errors="replace")
        for line in text.splitlines():
            line = line.strip()
            if line.startswith("["):
                section = line[1:].split("]", 1)[0].strip().lower()
            elif "=" in line and not line.startswith(";"):
                key, value = (part.strip() for part in line.split("=", 1))
                if len(value) >= 2 and value[0] in "\"'" and value[-1] == value[0]:
                    value = value[1:-1]
                self.values.setdefault((section, key.lower()), value)

    def get(self, section, key, default):
        return self.values.get((section.lower(), key.lower())) or default

    def count(self, right, n):
        """What a counter shows: "esatti: 1"."""
        return self.get("Strings", "0011" if right else "0012", "esatti:" if right else "errati:") + f" {n}"


def plain(text):
    """A text as the program hands it to the speech engine: blanks of any kind made one."""
    return " ".join(text.split())


class Program:
    def __init__(self, executable, out):
        self.out = out
        self.step = 0
        self.texts = Texts(executable, starting_language(executable) or "Italiano")
        # What the program says goes to this file (one "voice<TAB>text" a line), when the walk
        # gives one and a sound server lets it speak.
        self.spoken_log = os.environ.get("ZORVELLI_SPEECH_LOG")
        self.speaks = bool(self.spoken_log and os.environ.get("PULSE_SERVER"))
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

    def shot(self, name, path=None):
        self.step += 1
        time.sleep(0.4)
        path = path or os.path.join(self.out, f"step-{self.step:02d}-{name}.png")
        subprocess.run(["/usr/bin/import", "-window", "root", path], check=True, timeout=30)

    def text(self, section, key, default):
        return self.texts.get(section, key, default)

    def italian_left(self):
        """Every text on the accessibility bus (shown or not) that holds a value's Italian name."""
        left = set()
        for node in self._walk(self._app()):
            try:
                texts = (node.name or "", node.description or "")
            except Exception:
                continue
            for text in texts:
                if ITALIAN_NAMES & set(re.findall(r"\w+", text.casefold())):
                    left.add(text)
        return sorted(left)

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
        names = (("Sì", "Yes", "Oui", "Sí", "Ja") if yes else ("No", "Non", "Nein"))
        names += tuple("&" + n for n in names)
        for node in self._walk(dialog):
            if node.getRoleName() == "push button" and node.name in names:
                self.click(node)
                return
        raise Failed("the question has no " + ("Yes" if yes else "No") + " button")

    def open_activity(self, caption):
        self.click(caption, "push button")
        self.window_covers_screen()

    def leave_activity(self, caption_of_menu_button, window=None):
        leave = "Esci"
        if window:
            leave = self.text(window, "mnuEsci.Caption", None) or self.text(window, "mnuFine.Caption", leave)
        self.click(leave, "menu item")
        self.answer_question(True, "leave-question")
        self.find(caption_of_menu_button, "push button")
        self.window_covers_screen()

    # --- listening ------------------------------------------------------------------------------
    def spoken(self):
        """Every sentence said so far, as (voice, text)."""
        if not self.spoken_log or not os.path.isfile(self.spoken_log):
            return []
        with open(self.spoken_log, encoding="utf-8", errors="replace") as f:
            return [tuple(line.rstrip("\n").split("\t", 1)) for line in f if "\t" in line]

    def hear(self, sentences, since, what, timeout=8):
        """Waits until the program says, after its first `since` sentences and in the language
        file's voice, one of the language file's sentences (its %1, %2... any words)."""
        voice = self.text("Speech", "Voice", "it")
        patterns = [re.compile("^" + re.sub(r"%\\?[1-9]", ".+?", re.escape(plain(s))) + "$") for s in sentences]
        deadline = time.time() + timeout
        while time.time() < deadline:
            for said_voice, text in self.spoken()[since:]:
                if said_voice == voice and any(p.match(plain(text)) for p in patterns):
                    return text
            time.sleep(0.1)
        raise Failed(f"{what} was not said in {voice!r}; said: {self.spoken()[since:]}")

    def ended(self, timeout=5):
        try:
            return self.process.wait(timeout) == 0
        except subprocess.TimeoutExpired:
            return False


# --- the activities: one function each, with the caption of its menu button -----------------------

def uguale_diverso(p):
    p.shot("uguale-diverso")
    word_pointed_at(p, p.text("form1", "UGUALI.Caption", "UGUALE"))
    question = p.find(role="label").name
    blocks = [n.name for n in p.find_all(role="image") if n.name.count(" ") == 3]
    if len(blocks) != 2 or not question:
        raise Failed(f"two named blocks and a question expected, found {blocks} and {question!r}")
    p.click(p.text("form1", "UGUALI.Caption", "UGUALE"), "push button")
    if not (p.find_all(p.texts.count(True, 1), "label") or p.find_all(p.texts.count(False, 1), "label")):
        raise Failed("the answer was not counted")
    p.shot("uguale-diverso-answered")
    about(p)


def about(p):
    """The about box: the language file's lines, then the credits, which end with the licence
    and the manual; no web or mail address."""
    p.click("Informazioni", "menu item")
    box = p.find("Zorvelli", ("dialog", "alert"))
    p.shot("about")
    texts = [n.name for n in p._walk(box) if n.getRoleName() == "label" and n.name]
    text = "\n".join(texts)
    if "GPL-3.0-or-later" not in text or not text.rstrip().endswith("man zorvelli") or "@" in text or "://" in text:
        raise Failed(f"the about box does not end with the licence and the manual: {texts}")
    p.click(next(n for n in p._walk(box) if n.getRoleName() == "push button"))
    if p.find_all("Zorvelli", ("dialog", "alert")):
        raise Failed("the about box did not close")


def named_blocks(p):
    """The block pictures on screen, each as its four words (shape, colour, size, thickness)."""
    return [n for n in p.find_all(role="image") if n.name.count(" ") == 3]


def words(text):
    """The words of a text as they compare whatever the letter case ("GROSS" and "groß" alike)."""
    return [w.casefold() for w in text.split()]


def condition(p):
    """The value asked for (the first label, in capitals) as the word the blocks are named with."""
    word = p.find(role="label").name
    if not word or word != word.upper():
        raise Failed(f"a value in capitals expected, found {word!r}")
    return word.casefold()


def insiemi(p):
    p.shot("insiemi")
    value = condition(p)
    blocks = named_blocks(p)
    wanted = [b.name for b in blocks if value in words(b.name)]
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
    p.double_click(p.text("FORM2", "Command1.Caption", "Fatto"), "push button")
    p.find(p.texts.count(True, 1), "label")
    if p.find_all(p.texts.count(False, 1), "label"):
        raise Failed("a double click on a right set was counted wrong too")
    p.shot("insiemi-answered")


def quanti_sono(p):
    p.shot("quanti-sono")
    value = condition(p)
    blocks = named_blocks(p)
    if len(blocks) != 9:
        raise Failed(f"nine named blocks expected, found {[b.name for b in blocks]}")
    count = sum(value in words(b.name) for b in blocks)
    # A block without the value is taken away, as the hint suggests; the count stays.
    others = [b for b in blocks if value not in words(b.name)]
    if others:
        p.click(others[0])
        if len(named_blocks(p)) != 8:
            raise Failed("the clicked block did not go away")
    p.click(str(count), "push button")
    p.find(p.texts.count(True, 1), "label")
    avanti = p.text("pagl3", "bottoneavanti.Caption", "avanti")
    if not p.enabled(p.find(avanti, "push button")) or p.enabled(p.find(str(count), "push button")):
        raise Failed("after the right answer avanti should wake and the numbers rest")
    p.shot("quanti-sono-answered")


def waiting_block(p):
    """The four words of the one block waiting to be placed (the slots are empty at first)."""
    blocks = [n.name for n in named_blocks(p)]
    if len(blocks) != 1:
        raise Failed(f"one waiting block expected, found {blocks}")
    return blocks[0]


def boxes_for(p, block):
    """The boxes on screen, and those whose names fit the block: each box is called by the names
    on its way ("ROSSO", "NON ROSSO", "ROSSO, NON GRANDE"); a name fits when the block has that
    word, or, after the language's negation ("NON "), does not have it."""
    has = words(block)
    negation = p.text("Strings", "0031", "NON ")

    def fits(name):
        return all((part[len(negation):].casefold() not in has) if part.startswith(negation) else
                   (part.casefold() in has) for part in name.split(", "))

    boxes = [n for n in p.find_all(role=BOX_ROLE) if n.name]
    return boxes, [n for n in boxes if fits(n.name)]


def place_block(p, shot_name):
    """Clicks the box whose names fit the waiting block."""
    block = waiting_block(p)
    boxes, right = boxes_for(p, block)
    if len(boxes) not in (2, 4) or len(right) != 1:
        raise Failed(f"one box for {block!r} expected among {[n.name for n in boxes]}")
    p.click(right[0])
    if not p.find_all(p.texts.count(True, 1), "label"):
        raise Failed(f"{block!r} in {right[0].name!r} was not counted right")
    if not [n for n in p.find_all(name=block, role="image")]:
        raise Failed(f"{block!r} is not in its box")
    p.shot(shot_name)


# Boxes are containers, offered to assistive technology as panels.
BOX_ROLE = ("panel", "grouping", "filler")


def strade_1(p):
    p.shot("le-strade-1")
    place_block(p, "le-strade-1-placed")


def finish_game(p, window, shot_name, path=None):
    """Places blocks until a box is full: the box is marked, "avanti" wakes and takes the keyboard.
    Then Enter starts the next game."""
    avanti = p.find(p.text(window, "bottoneavanti.Caption", "avanti"), "push button")
    for _ in range(8):
        if p.enabled(avanti):
            break
        waiting = max(named_blocks(p), key=lambda b: p.extents(b)[2])  # larger than those placed
        right = boxes_for(p, waiting.name)[1]
        if len(right) != 1:
            raise Failed(f"one box for {waiting.name!r} expected")
        p.click(right[0])
        time.sleep(0.2)
    if not p.enabled(avanti):
        raise Failed("no box became full")
    if not path:
        p.shot(shot_name + "-cheer")
    time.sleep(1.5)
    p.shot(shot_name, path)
    if not p.focused(avanti):
        raise Failed("avanti did not take the keyboard at the end of the game")
    p.key("Return")
    if p.enabled(avanti):
        raise Failed("Enter on avanti did not start the next game")


def tabella(p):
    p.shot("tabella")
    place_block(p, "tabella-placed")
    finish_game(p, "pagl9", "tabella-finished")


def strade_2(p):
    p.shot("le-strade-2")
    p.click(p.text("pagl8", "Command2.Caption", "aiuto"), "push button")
    time.sleep(0.5)  # two presses, not a double click (which presses once)
    p.click(p.text("pagl8", "Command2.Caption", "aiuto"), "push button")  # the whole way is marked now
    p.shot("le-strade-2-help")
    place_block(p, "le-strade-2-placed")


def trova_il_blocco(p):
    p.shot("trova-il-blocco")
    blocks = named_blocks(p)
    labels = [n.name for n in p.find_all(role="label") if len(n.name.split()) == 4]
    if len(blocks) != 12 or len(labels) != 1:
        raise Failed(f"twelve named blocks and a four-line description expected, found {len(blocks)} and {labels}")
    described = words(labels[0])
    target = [b for b in blocks if words(b.name) == described]
    if not target:
        raise Failed(f"no block fits {described}")
    p.click(target[0])
    avanti = p.text("FormTrova", "bottoneavanti.Caption", "avanti")
    if not p.find_all(p.texts.count(True, 1), "label") or not p.enabled(p.find(avanti, "push button")):
        raise Failed("finding the block was not counted, or avanti did not wake")
    p.shot("trova-il-blocco-found")


def chain_letter(p, blocks, stays):
    """The letter that answers the last link of a domino chain: what changed, or what stayed."""
    first, second = (b.name.split() for b in blocks[-2:])
    same = [i for i in range(4) if first[i] == second[i]]
    if stays:
        answer = same[0] if len(same) == 1 else 4
    else:
        answer = 4 if len(same) == 4 else next(i for i in range(4) if first[i] != second[i])
    return p.text("FormDomino2" if stays else "FormDomino", f"Command1({answer}).Caption", "FCDSN"[answer])


def chain_link(p, name, stays):
    """Answers the first link of a domino chain."""
    p.shot(name)
    blocks = named_blocks(p)
    if len(blocks) != 2:
        raise Failed(f"a chain of two named blocks expected, found {[b.name for b in blocks]}")
    letter = chain_letter(p, blocks, stays)
    p.click(letter, "push button")
    if not p.find_all(p.texts.count(True, 1), "label") or not p.find_all(letter, "label"):
        raise Failed(f"the answer {letter} was not counted or not written into the link")
    p.shot(name + "-answered")


def finish_chain(p, name, stays):
    """Answers every further link of the chain: the finished chain stays in sight under a cheer
    while the new one starts."""
    for _ in range(10):
        p.click(chain_letter(p, named_blocks(p), stays), "push button")
    if len(named_blocks(p)) != 2:
        raise Failed("the chain did not start again after its eleventh link")
    p.shot(name + "-finished-chain")


def cosa_cambia(p):
    chain_link(p, "cosa-cambia", stays=False)
    finish_chain(p, "cosa-cambia", stays=False)


def task_spoken(p, window, since):
    """The task of the window's first turn is said, and said again by its speaker button, whose
    name is the language's "listen"."""
    if not p.speaks:
        return
    keys = [f"form1.{k}" for k in ("shape", "size", "thickness", "colour")] if window == "form1" else [window]
    sentences = [p.text("Speech", k, "") for k in keys]
    sentences = [s for s in sentences if s]
    said = p.hear(sentences, since, f"the task of {window}")
    again = len(p.spoken())
    p.click(p.text("Speech", "Listen", "ascolta"), "push button")
    if p.hear(sentences, again, f"the task of {window}, on the speaker button") != said:
        raise Failed(f"the speaker button of {window} said another task")


def word_pointed_at(p, caption):
    """Resting the pointer on a word answer says the word."""
    if not p.speaks:
        return
    since = len(p.spoken())
    x, y, w, h = p.extents(p.find(caption, "push button"))
    p._xdotool("mousemove", str(x + w // 2), str(y + h // 2))
    p.hear([caption.lower()], since, f"the word {caption!r} pointed at")


# Each activity: the caption of its menu button (in Italian, and its key in the menu's section),
# its window, and the walk through one turn.
ACTIVITIES = [
    ("uguale - diverso", "Command1", "form1", uguale_diverso),
    ("insiemi", "Command2", "FORM2", insiemi),
    ("quanti sono ?", "Command3", "pagl3", quanti_sono),
    ("le strade 1", "Command4", "pagl7", strade_1),
    ("tabella", "Command7", "pagl9", tabella),
    ("le strade 2", "Command9", "pagl8", strade_2),
    ("trova il blocco", "Command8", "FormTrova", trova_il_blocco),
    ("Cosa cambia?", "Command10", "FormDomino", cosa_cambia),
    ("Cosa resta uguale?", "Command11", "FormDomino2", lambda p: chain_link(p, "cosa-resta-uguale", stays=True)),
]


def pick_language(p, executable, language):
    """"Lingua" > the language: from now on the program speaks it, and so does the walk."""
    p.click(p.text("formMenu", "mnuLanguages.Caption", "Lingua"), ("menu", "menu item"))
    p.click(language, ("menu item", "check menu item", "radio menu item"))
    p.texts = Texts(executable, language)
    p.shot("language-" + language)


def activity(p, name):
    caption, button, window, walk = next(a for a in ACTIVITIES if a[0] == name)
    return p.text("formMenu", button + ".Caption", caption), window, walk


def in_language(p, language, activities, shots):
    """Plays one turn of each activity in the language picked, and checks that no Italian name of
    a value is left on the accessibility bus; or, with shots, photographs each as it opens."""
    slug = language.casefold().translate(str.maketrans("çñéè", "cnee"))
    for name in activities:
        caption, window, walk = activity(p, name)
        since = len(p.spoken())
        p.open_activity(caption)
        task_spoken(p, window, since)
        if shots:
            size = "x".join(map(str, p.screen))
            p.shot(name, os.path.join(p.out, f"{name.replace(' ', '-')}-{slug}-{size}.png"))
            if name == "tabella":  # and finished: the full cell marked, "avanti" to go on
                finish_game(p, window, "tabella-finished",
                            os.path.join(p.out, f"tabella-finished-{slug}-{size}.png"))
        else:
            walk(p)
            left = p.italian_left()
            if left and language != "Italiano":
                raise Failed(f"Italian names left in {caption!r}: {left}")
        p.leave_activity(caption, window)


def main(executable, out, activities="all", language=None):
    """activities: "all", "first" or "none", then language (if given) is picked in the menu
    "Lingua" at the end; "play" picks language first and plays "trova il blocco" and "le strade
    1" in it; "shots" picks language first and photographs "trova il blocco" and "tabella"."""
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
        p.find(p.text("formMenu", "Command5.Caption", "FINE"), "push button")
        p.window_covers_screen()
        p.shot("menu")
        if activities in ("play", "shots"):
            if language != starting_language(executable):
                pick_language(p, executable, language)
            chosen = ("trova il blocco", "le strade 1") if activities == "play" else ("trova il blocco", "tabella")
            in_language(p, language, chosen, activities == "shots")
        else:
            walks = {"all": ACTIVITIES, "first": ACTIVITIES[:1], "none": []}[activities]
            for caption, _, window, walk in walks:
                since = len(p.spoken())
                p.open_activity(caption)
                task_spoken(p, window, since)
                walk(p)
                p.leave_activity(caption, window)
            if language:
                pick_language(p, executable, language)
        p.shot("menu-again")
        p.click(p.text("formMenu", "Command5.Caption", "FINE"), "push button")
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
