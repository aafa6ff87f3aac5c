"""What a screen reader gets from the real window, through AT-SPI: run by
accessibility-check.sh beside a simulated board at 127.0.0.2 and the configurator
set to read it. Prints what it finds; exits 1 on the first thing a screen reader
would get wrong."""
import sys
import time

import pyatspi

SUFFIX = " - Версія программи"
VALUES = {  # a value label, by its description: what it shows at start
    "Отримано датаграм": "0",
    "Адреса відправника": "",
    "Порт відправника": "",
    "Ідентифікатор останньої датаграми": "0",
    "Діагностика плати": "",
    "Версія програми плати": "-------------",
}


def fail(why):
    print("FAIL:", why)
    sys.exit(1)


def application(name, seconds=20):
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
    for wanted in ("Прочитати: постійна памьять", "Прочитати: робоча конфігурація",
                   "Дізнатися зовнішню IP-адресу"):
        if wanted not in names:
            fail(f"no button named {wanted!r}: {names}")
    if len(names) != len(set(names)):
        fail(f"two buttons have one name: {names}")
    for label in (n for n in nodes(app) if n.name in ("постійна памьять", "робоча конфігурація")):
        targets = [t.name for r in label.getRelationSet()
                   if r.getRelationType() == pyatspi.RELATION_LABEL_FOR
                   for t in (r.getTarget(i) for i in range(r.getNTargets()))]
        print(f"label {label.name!r} labels {targets}")
        if targets != ["Прочитати: " + label.name]:
            fail(f"the caption {label.name!r} labels {targets}")


def check_after_read(app):
    read = next(b for b in buttons(app) if b.name == "Прочитати: робоча конфігурація")
    read.queryAction().doAction(0)  # as a screen reader user presses it
    end = time.time() + 10
    while time.time() < end:
        labels = value_labels(app)
        if labels["Версія програми плати"].name == "2.17" + SUFFIX and labels["Отримано датаграм"].name == "3":
            break
        time.sleep(0.1)
    labels = value_labels(app)
    for what, node in labels.items():
        print(f"after a read: {what}: {node.name!r}")
    expected = {
        "Отримано датаграм": {"3"},  # the board's two answers and the frame sent to 6767 itself
        "Адреса відправника": {"127.0.0.1", "127.0.0.2"},
        "Порт відправника": {"8026", "8024", "6767"},
        "Ідентифікатор останньої датаграми": {"1234"},
        "Версія програми плати": {"2.17" + SUFFIX},
    }
    for what, names in expected.items():
        if labels[what].name not in names:
            fail(f"after a read, {what} is named {labels[what].name!r}, not the text it shows {names}")


def check_fleet(app):
    """The fleet window beside it: its value label, its buttons, and a table whose cells a
    screen reader reads as the values shown."""
    fleet = next((w for w in app if w is not None and w.name == "Мережа плат"), None)
    if fleet is None:
        fail("no fleet window \"Мережа плат\"")
    networks = [n.name for n in nodes(fleet) if n.getRoleName() == "label" and " адрес" in n.name]
    print(f"fleet: my networks: {networks}")
    if not networks:
        fail("the label of \"Мої мережі\" is not named for the addresses it shows")
    unnamed = [n.getRoleName() for n in nodes(fleet)
               if n.getRoleName() in ("push button", "text", "table") and not n.name]
    if unnamed:
        fail(f"fleet controls without a name: {unnamed}")
    edits = {n.name: n for n in nodes(fleet) if n.getRoleName() == "text"}
    edits["Перша адреса"].queryEditableText().setTextContents("127.0.0.2")
    edits["Остання адреса"].queryEditableText().setTextContents("")
    next(b for b in buttons(fleet) if b.name == "Шукати").queryAction().doAction(0)
    table = next(n for n in nodes(fleet) if n.getRoleName() == "table").queryTable()

    def first_row():  # the board is there already, seen as the configurator read it
        return {table.getColumnHeader(c).name: table.getAccessibleAt(0, c).name for c in range(table.nColumns)}

    end = time.time() + 10
    while time.time() < end and (table.nRows < 1 or first_row().get("Стан") != "відповіла"):
        time.sleep(0.1)
    row = first_row()
    print(f"fleet: the row found: {row}")
    for column, value in (("Адреса", "127.0.0.2"), ("Ідентифікатор", "1234"), ("Версія", "2.17"),
                          ("Стан", "відповіла")):
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
    for button, title in (("Історія…", "Історія записів: 127.0.0.2"),
                          ("Замінити плату…", "Замінити плату 127.0.0.2")):
        dialog = open_dialog(app, fleet, button, title)
        check_named(dialog)
        labels = [n.name for n in nodes(dialog) if n.getRoleName() == "label"]
        print(f"{title}: labels {labels}")
        if button == "Замінити плату…" and "(копію не вибрано)" not in labels:
            fail(f"the backup's label is not named for what it shows: {labels}")
        next(b for b in buttons(dialog) if b.name == "Закрити").queryAction().doAction(0)


def check_change_fields(app, fleet):
    """"Змінити поля…" on the row found: every control of the dialog named, a field ticked
    and typed, and the preview's cells read as shown."""
    dialog = open_dialog(app, fleet, "Змінити поля…", "Змінити поля вибраних плат")
    check_named(dialog)
    box = next(n for n in nodes(dialog) if n.getRoleName() == "check box" and n.name == "Маска")
    box.queryAction().doAction(0)
    mask = next(n for n in nodes(dialog) if n.getRoleName() == "text" and n.name == "Маска")
    mask.queryEditableText().setTextContents("255.255.0.0")
    next(b for b in buttons(dialog) if b.name == "Переглянути").queryAction().doAction(0)
    table = next(n for n in nodes(dialog) if n.getRoleName() == "table").queryTable()
    end = time.time() + 10
    while time.time() < end and table.nRows < 1:
        time.sleep(0.1)
    if table.nRows < 1:
        fail("the preview shows no row")
    row = {table.getColumnHeader(c).name: table.getAccessibleAt(0, c).name for c in range(table.nColumns)}
    print(f"change fields: the preview: {row}")
    if row != {"Плата": "127.0.0.2", "Поле": "Маска", "Зараз": "255.0.0.0", "Нове": "255.255.0.0",
               "Чому не буде записано": ""}:
        fail(f"the preview's cells are named {row}")
    write = next(b for b in buttons(dialog) if b.name == "Записати")
    if not write.getState().contains(pyatspi.STATE_ENABLED):
        fail("\"Записати\" is not enabled after a preview with a change")
    next(b for b in buttons(dialog) if b.name == "Закрити").queryAction().doAction(0)


app = application("TalvikCom")
check_start(app)
check_after_read(app)
fleet_window = check_fleet(app)
check_change_fields(app, fleet_window)
check_other_dialogs(app, fleet_window)
print("every value label is named for the text it shows")
