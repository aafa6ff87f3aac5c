#!/usr/bin/python
# -*- coding: utf-8 -*-
# Copyright (c) 2025-2026 TalvikCom
# MIT License (see LICENSE in the TalvikCom source)

from __future__ import absolute_import, division, print_function

__metaclass__ = type

DOCUMENTATION = r"""
module: board_config
short_description: Fields held on lift-controller boards, each write verified by talvikctl
description:
  - Holds the given fields on every board of a range, list or site of the site PC, each board
    changed on its own permanent memory by C(talvikctl write), which decides what may be written,
    journals the write, sends it, reads the permanent memory back and compares.
  - A board that holds the fields already is not written; the task is changed only when a board
    was written and verified, so a second run changes nothing.
  - The task fails, naming each board and why, when a write is refused by the boards' rules, the
    board holds something else afterwards, gave no answer, or was not tried (the job stopped at
    its failure limit).
  - In check mode C(talvikctl write --dry-run) reads each board and nothing is written; diff mode
    shows each board's fields before and after.
  - A board takes its permanent memory at its next reboot (M(talvik.boards.board_reboot)).
version_added: "1.1.0"
options:
  fields:
    description:
      - The fields to hold, by talvikctl's names - C(ip), C(mask), C(router), C(mac),
        C(dhcp) (a boolean), C(console) (C(static) or C(dynamic)), C(dispatcher), C(ident),
        C(reserve1), C(reserve2) and C(branch).
      - A name talvikctl does not know, or a value it does not take, fails the task with its own
        reason before anything is sent.
      - Required with C(state=merged).
    type: dict
  state:
    description:
      - C(merged) writes the fields where a board does not hold them; C(gathered) only reads each
        board's permanent memory and returns it.
    type: str
    choices: [merged, gathered]
    default: merged
  force:
    description:
      - Write also what the rules refuse but let a force through (talvikctl C(--force)), such as
        an identifier a static console's frame cannot carry, which is then left out.
    type: bool
    default: false
  max_failures:
    description:
      - Stop after this many boards failed, 0 never (talvikctl C(--max-failures)); by default after
        3 while fewer than 5 were tried, then once a third of those tried failed.
    type: int
  verify:
    description:
      - Read each board's permanent memory back after its write and compare.
    type: bool
    default: true
extends_documentation_fragment:
  - talvik.boards.talvikctl
attributes:
  check_mode:
    description: "Reads each board and says what would be written, sending no write."
    support: full
  diff_mode:
    description: "Each board's fields before and after."
    support: full
author:
  - TalvikCom (@talvikcom)
"""

EXAMPLES = r"""
- name: A new dispatcher for every board of the office's site
  talvik.boards.board_config:
    sites: [Shevchenka 12]
    fields:
      dispatcher: 10.2.2.2

- name: The mask of a range, the failure limit off
  talvik.boards.board_config:
    boards: [192.168.1.1-254]
    fields:
      mask: 255.255.255.0
    max_failures: 0

- name: What the boards hold, read only
  talvik.boards.board_config:
    boards: [192.168.1.20, 192.168.1.21]
    state: gathered
  register: held
"""

RETURN = r"""
boards:
  description: Each board, what became of it, and the fields that changed (or would, in check mode).
  returned: state is merged
  type: list
  elements: dict
  sample:
    - address: 192.168.1.20
      outcome: done
      reason: null
      result: "written, verified; takes effect at the next reboot"
      changes: [{field: dispatcher, now: 0.0.0.0, new: 10.2.2.2}]
job:
  description: The id of the job in the site PC's journal (C(talvikctl history --job ID)); none when nothing was written.
  returned: state is merged and a board was written
  type: str
  sample: 20261208T101500-4711-1
gathered:
  description: Each board's permanent memory, as C(talvikctl read --permanent --json) gives it, or its error.
  returned: state is gathered
  type: list
  elements: dict
"""

from ansible.module_utils.basic import AnsibleModule
from ansible_collections.talvik.boards.plugins.module_utils.talvikctl import (
    Talvikctl,
    argument_spec,
    boards_of,
    failures,
    summary_of,
)


def field_options(fields):
    """talvikctl's options for the fields: --mask=255.255.0.0, --dhcp, --console-static."""
    args = []
    for name in sorted(fields):
        value = fields[name]
        if name == "dhcp" and isinstance(value, bool):
            args.append("--dhcp" if value else "--no-dhcp")
        elif name == "console" and str(value) in ("static", "dynamic"):
            args.append("--console-" + str(value))
        else:
            args.append("--%s=%s" % (name, value))
    return args


def diff_of(boards):
    """Each board's fields before and after, as text."""
    before, after = [], []
    for b in boards:
        for c in b.get("changes", []):
            before.append("%s %s: %s" % (b["address"], c["field"], c["now"]))
            after.append("%s %s: %s" % (b["address"], c["field"], c["new"]))
    return {"before": "\n".join(before) + "\n", "after": "\n".join(after) + "\n"}


def main():
    module = AnsibleModule(
        argument_spec=argument_spec(
            fields=dict(type="dict"),
            state=dict(type="str", default="merged", choices=["merged", "gathered"]),
            force=dict(type="bool", default=False),
            max_failures=dict(type="int"),
            verify=dict(type="bool", default=True),
        ),
        required_if=[("state", "merged", ["fields"])],
        supports_check_mode=True,
    )
    ctl = Talvikctl(module)
    targets = ctl.targets() + ctl.transport()
    if module.params["state"] == "gathered":
        rc, lines, err = ctl.run("survey", targets + ["--permanent"])
        if rc not in (0, 1, 4):
            ctl.fail("survey", rc, err)
        module.exit_json(changed=False, gathered=lines)

    args = targets + field_options(module.params["fields"])
    if module.params["force"]:
        args.append("--force")
    if module.params["max_failures"] is not None:
        args += ["--max-failures", str(module.params["max_failures"])]
    if not module.params["verify"]:
        args.append("--no-verify")
    # What each board would come to: read, decided, nothing written.
    rc, lines, err = ctl.run("write", args + ["--dry-run"])
    planned = boards_of(lines)
    if not planned:  # refused as a whole before anything was sent: talvikctl says why
        ctl.fail("write", rc, err)
    would = [b for b in planned if b["outcome"] == "planned" and b.get("changes")]
    result = dict(changed=bool(would), boards=planned)
    if module._diff:
        result["diff"] = diff_of(would)
    stuck = failures(planned)
    if module.check_mode or (not would and not stuck):
        if stuck:
            module.fail_json(msg="boards that would not be written: " + "; ".join(stuck), **result)
        module.exit_json(**result)

    rc, lines, err = ctl.run("write", args + ["--skip-unchanged"])
    done = boards_of(lines)
    if not done:
        ctl.fail("write", rc, err)
    changes = dict((b["address"], b.get("changes", [])) for b in planned)
    for b in done:
        b["changes"] = changes.get(b["address"], []) if b["outcome"] != "unchanged" else []
    written = [b for b in done if b["outcome"] in ("done", "unverified")]
    result.update(changed=bool(written), boards=done, rc=rc, job=summary_of(lines).get("job"))
    if module._diff:
        result["diff"] = diff_of(written)
    stuck = failures(done)
    if stuck:
        module.fail_json(msg="boards not written: " + "; ".join(stuck), **result)
    module.exit_json(**result)


if __name__ == "__main__":
    main()
