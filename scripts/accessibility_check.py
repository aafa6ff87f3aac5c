"""What a screen reader gets from the real window, through AT-SPI: run by
accessibility-check.sh beside a simulated board at 127.0.0.2 and the configurator
set to read it, in the language given (uk, the default, or en). Prints what it finds;
exits 1 on the first thing a screen reader would get wrong."""
import re
import sys
import time

import pyatspi

LANGUAGE = sys.argv[1] if len(sys.argv) > 1 else "uk"
# What the English windows say where the Ukrainian ones say the key.
ENGLISH = {
    " - Версія программи": " - Firmware version",
    "Отримано датаграм": "Datagrams received",
    "Адреса відправника": "Sender address",
    "Порт відправника": "Sender port",
    "Ідентифікатор останньої датаграми": "Identifier of the last datagram",
    "Діагностика плати": "Board diagnostics",
    "Версія програми плати": "Board firmware version",
    "Прочитати: ": "Read: ",
    "постійна памьять": "Permanent memory",
    "робоча конфігурація": "Working configuration",
    "Дізнатися зовнішню IP-адресу": "Look up the external IP address",
    "Мережа плат": "Board network",
    " адрес": " address",
    "Перша адреса": "First address",
    "Остання адреса": "Last address",
    "Шукати": "Search",
    "Адреса": "Address",
    "Ідентифікатор": "Identifier",
    "Версія": "Version",
    "Стан": "State",
    "відповіла": "answered",
    "Історія…": "History…",
    "Історія записів: 127.0.0.2": "Write history: 127.0.0.2",
    "Замінити плату…": "Replace board…",
    "Замінити плату 127.0.0.2": "Replace board 127.0.0.2",
    "(копію не вибрано)": "(no backup chosen)",
    "Закрити": "Close",
    "Змінити поля…": "Change fields…",
    "Змінити поля вибраних плат": "Change fields of the selected boards",
    "Маска": "Mask",
    "Переглянути": "Preview",
    "Плата": "Board",
    "Поле": "Field",
    "Зараз": "Now",
    "Нове": "New",
    "Чому не буде записано": "Why it will not be written",
    "Записати": "Write",
}


def t(text):
    return ENGLISH[text] if LANGUAGE == "en" else text


SUFFIX = t(" - Версія программи")
VALUES = {  # a value label, by its description: what it shows at start
    t("Отримано датаграм"): "0",
    t("Адреса відправника"): "",
    t("Порт відправника"): "",
    t("Ідентифікатор останньої датаграми"): "0",
    t("Діагностика плати"): "",
    t("Версія програми плати"): "-------------",
}


def fail(why):
    print("FAIL:", why)
    sys.exit(1)


def application(name, seconds=60):  # a sanitized build on a loaded machine starts slowly
    end = time.time() + seconds
    while time.time() < end:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == name:
                return app
        time.sleep(0.2)
    fail(f"no application {name!r} on the accessibility bus")


def nodes(root):
    found = []

    def walk(node):
        found.append(node)
        for child in node:
            if child is not None:
                walk(child)

    walk(root)
    return found


CYRILLIC = re.compile("[\u0400-\u04ff]")


def check_language(root, when):
    """In English nothing a screen reader reads is in Cyrillic: names, descriptions, texts."""
    if LANGUAGE != "en":
        return
    count = 0
    for node in nodes(root):
        said = [node.name, node.description]
        try:
            said.append(node.queryText().getText(0, -1))
        except NotImplementedError:
            pass
        for text in said:
            count += 1
            if text and CYRILLIC.search(text):
                fail(f"{when}: a {node.getRoleName()} says {text!r}")
    print(f"{when}: {count} names, descriptions and texts, none in Cyrillic")


def value_labels(app):
    labels = {n.description: n for n in nodes(app) if n.getRoleName() == "label" and n.description in VALUES}
    missing = set(VALUES) - set(labels)
    if missing:
        fail(f"no label described as {sorted(missing)}")
    return labels


def buttons(app):
    return [n for n in nodes(app) if n.getRoleName() == "push button"]


def check_start(app):
    for what, shown in VALUES.items():
        name = value_labels(app)[what].name
        print(f"at start: {what}: {name!r}")
        if name != shown:
            fail(f"{what} is named {name!r}, but shows {shown!r}")
    names = [b.name for b in buttons(app)]
    for wanted in (t("Прочитати: ") + t("постійна памьять"), t("Прочитати: ") + t("робоча конфігурація"),
                   t("Дізнатися зовнішню IP-адресу")):
        if wanted not in names:
            fail(f"no button named {wanted!r}: {names}")
    if len(names) != len(set(names)):
        fail(f"two buttons have one name: {names}")
    for label in (n for n in nodes(app) if n.name in (t("постійна памьять"), t("робоча конфігурація"))):
        targets = [t.name for r in label.getRelationSet()
                   if r.getRelationType() == pyatspi.RELATION_LABEL_FOR
                   for t in (r.getTarget(i) for i in range(r.getNTargets()))]
        print(f"label {label.name!r} labels {targets}")
        if targets != [t("Прочитати: ") + label.name]:
            fail(f"the caption {label.name!r} labels {targets}")


def check_after_read(app):
    read = next(b for b in buttons(app) if b.name == t("Прочитати: ") + t("робоча конфігурація"))
    read.queryAction().doAction(0)  # as a screen reader user presses it
    end = time.time() + 10
    while time.time() < end:
        labels = value_labels(app)
        if labels[t("Версія програми плати")].name == "2.17" + SUFFIX and labels[t("Отримано датаграм")].name == "3":
            break
        time.sleep(0.1)
    labels = value_labels(app)
    for what, node in labels.items():
        print(f"after a read: {what}: {node.name!r}")
    expected = {
        t("Отримано датаграм"): {"3"},  # the board's two answers and the frame sent to 6767 itself
        t("Адреса відправника"): {"127.0.0.1", "127.0.0.2"},
        t("Порт відправника"): {"8026", "8024", "6767"},
        t("Ідентифікатор останньої датаграми"): {"1234"},
        t("Версія програми плати"): {"2.17" + SUFFIX},
    }
    for what, names in expected.items():
        if labels[what].name not in names:
            fail(f"after a read, {what} is named {labels[what].name!r}, not the text it shows {names}")


def check_fleet(app):
    """The fleet window beside it: its value label, its buttons, and a table whose cells a
    screen reader reads as the values shown."""
    fleet = next((w for w in app if w is not None and w.name == t("Мережа плат")), None)
    if fleet is None:
        fail(f"no fleet window {t('Мережа плат')!r}")
    networks = [n.name for n in nodes(fleet) if n.getRoleName() == "label" and t(" адрес") in n.name]
    print(f"fleet: my networks: {networks}")
    if not networks:
        fail("the label of the networks searched is not named for the addresses it shows")
    unnamed = [n.getRoleName() for n in nodes(fleet)
               if n.getRoleName() in ("push button", "text", "table") and not n.name]
    if unnamed:
        fail(f"fleet controls without a name: {unnamed}")
    edits = {n.name: n for n in nodes(fleet) if n.getRoleName() == "text"}
    edits[t("Перша адреса")].queryEditableText().setTextContents("127.0.0.2")
    edits[t("Остання адреса")].queryEditableText().setTextContents("")
    next(b for b in buttons(fleet) if b.name == t("Шукати")).queryAction().doAction(0)
    table = next(n for n in nodes(fleet) if n.getRoleName() == "table").queryTable()

    def first_row():  # the board is there already, seen as the configurator read it
        return {table.getColumnHeader(c).name: table.getAccessibleAt(0, c).name for c in range(table.nColumns)}

    end = time.time() + 10
    while time.time() < end and (table.nRows < 1 or first_row().get(t("Стан")) != t("відповіла")):
        time.sleep(0.1)
    row = first_row()
    print(f"fleet: the row found: {row}")
    for column, value in ((t("Адреса"), "127.0.0.2"), (t("Ідентифікатор"), "1234"), (t("Версія"), "2.17"),
                          (t("Стан"), t("відповіла"))):
        if row.get(column) != value:
            fail(f"the cell under {column!r} is named {row.get(column)!r}, not {value!r}")
    table.addRowSelection(0)
    return fleet


def open_dialog(app, fleet, button, title):
    next(b for b in buttons(fleet) if b.name == button).queryAction().doAction(0)
    end = time.time() + 10
    while time.time() < end:
        dialog = next((w for w in app if w is not None and w.name == title), None)
        if dialog is not None:
            return dialog
        time.sleep(0.1)
    fail(f"{button!r} opened no dialog {title!r}")


def check_named(dialog):
    roles = ("push button", "check box", "text", "combo box", "spin button", "table")
    unnamed = [n.getRoleName() for n in nodes(dialog) if n.getRoleName() in roles and not n.name]
    if unnamed:
        fail(f"controls of {dialog.name!r} without a name: {unnamed}")


def check_other_dialogs(app, fleet):
    """"Історія…" and "Замінити плату…" on the same row: every control named; the label
    that shows the chosen backup is named for what it shows."""
    for button, title in ((t("Історія…"), t("Історія записів: 127.0.0.2")),
                          (t("Замінити плату…"), t("Замінити плату 127.0.0.2"))):
        dialog = open_dialog(app, fleet, button, title)
        check_named(dialog)
        labels = [n.name for n in nodes(dialog) if n.getRoleName() == "label"]
        print(f"{title}: labels {labels}")
        if button == t("Замінити плату…") and t("(копію не вибрано)") not in labels:
            fail(f"the backup's label is not named for what it shows: {labels}")
        check_language(dialog, title)
        next(b for b in buttons(dialog) if b.name == t("Закрити")).queryAction().doAction(0)


def check_change_fields(app, fleet):
    """"Змінити поля…" on the row found: every control of the dialog named, a field ticked
    and typed, and the preview's cells read as shown."""
    dialog = open_dialog(app, fleet, t("Змінити поля…"), t("Змінити поля вибраних плат"))
    check_named(dialog)
    box = next(n for n in nodes(dialog) if n.getRoleName() == "check box" and n.name == t("Маска"))
    box.queryAction().doAction(0)
    mask = next(n for n in nodes(dialog) if n.getRoleName() == "text" and n.name == t("Маска"))
    mask.queryEditableText().setTextContents("255.255.0.0")
    next(b for b in buttons(dialog) if b.name == t("Переглянути")).queryAction().doAction(0)
    table = next(n for n in nodes(dialog) if n.getRoleName() == "table").queryTable()
    end = time.time() + 10
    while time.time() < end and table.nRows < 1:
        time.sleep(0.1)
    if table.nRows < 1:
        fail("the preview shows no row")
    row = {table.getColumnHeader(c).name: table.getAccessibleAt(0, c).name for c in range(table.nColumns)}
    print(f"change fields: the preview: {row}")
    if row != {t("Плата"): "127.0.0.2", t("Поле"): t("Маска"), t("Зараз"): "255.0.0.0", t("Нове"): "255.255.0.0",
               t("Чому не буде записано"): ""}:
        fail(f"the preview's cells are named {row}")
    write = next(b for b in buttons(dialog) if b.name == t("Записати"))
    if not write.getState().contains(pyatspi.STATE_ENABLED):
        fail(f"{t('Записати')!r} is not enabled after a preview with a change")
    check_language(dialog, "the preview")
    next(b for b in buttons(dialog) if b.name == t("Закрити")).queryAction().doAction(0)


app = application("TalvikCom")
check_start(app)
check_language(app, "at start")
check_after_read(app)
check_language(app, "after a read")
fleet_window = check_fleet(app)
check_language(app, "after a search")
check_change_fields(app, fleet_window)
check_other_dialogs(app, fleet_window)
print("every value label is named for the text it shows")
