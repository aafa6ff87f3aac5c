#!/usr/bin/python
# -*- coding: utf-8 -*-
# Copyright (c) 2025-2026 TalvikCom
# MIT License (see LICENSE in the TalvikCom source)

from __future__ import absolute_import, division, print_function

__metaclass__ = type

DOCUMENTATION = r"""
module: board_reboot
short_description: Lift-controller boards rebooted, and waited for
description:
  - Reboots the boards of a range, list or site with C(talvikctl reboot), the configurator's
    sequence, in waves with a failure limit; by default each board is then read until it answers
    again, so that it works with its permanent memory.
  - Changed when a board acknowledged its reboot. The task fails, naming each board and why, when
    a board did not acknowledge, did not come back in time, or was not tried.
  - In check mode nothing is sent; the boards that would be rebooted are returned.
version_added: "1.1.0"
options:
  wait:
    description:
      - Read each board until it answers again, at most C(wait_seconds).
    type: bool
    default: true
  wait_seconds:
    description:
      - How long to wait for each board.
    type: int
    default: 30
  max_failures:
    description:
      - Stop after this many boards failed, 0 never (talvikctl C(--max-failures)).
    type: int
extends_documentation_fragment:
  - talvik.boards.talvikctl
attributes:
  check_mode:
    description: "Says which boards would be rebooted, sending no reboot."
    support: full
author:
  - TalvikCom (@talvikcom)
"""

EXAMPLES = r"""
- name: The office's boards take their new configuration
  talvik.boards.board_reboot:
    sites: [Shevchenka 12]
"""

RETURN = r"""
boards:
  description: Each board, whether it acknowledged, when it answered again (C(up_after_s)) and its outcome.
  returned: always
  type: list
  elements: dict
  sample:
    - {address: 192.168.1.20, outcome: done, acknowledged: true, up_after_s: 1.6}
rebooted:
  description: The boards that acknowledged their reboot (in check mode, those that would be rebooted).
  returned: always
  type: list
  elements: str
"""

from ansible.module_utils.basic import AnsibleModule
from ansible_collections.talvik.boards.plugins.module_utils.talvikctl import (
    Talvikctl,
    argument_spec,
    boards_of,
    failures,
)


def main():
    module = AnsibleModule(
        argument_spec=argument_spec(
            wait=dict(type="bool", default=True),
            wait_seconds=dict(type="int", default=30),
            max_failures=dict(type="int"),
        ),
        supports_check_mode=True,
    )
    ctl = Talvikctl(module)
    args = ctl.targets() + ctl.transport()
    if module.params["wait"]:
        args += ["--wait", "--wait-seconds", str(module.params["wait_seconds"])]
    if module.params["max_failures"] is not None:
        args += ["--max-failures", str(module.params["max_failures"])]
    if module.check_mode:  # each frame that would leave, and nothing sent
        rc, lines, err = ctl.run("reboot", args + ["--dry-run"])
        if rc != 0:
            ctl.fail("reboot", rc, err)
        would = sorted(set(line["address"] for line in lines if "address" in line))
        module.exit_json(changed=bool(would), rebooted=would, boards=[])
    rc, lines, err = ctl.run("reboot", args)
    boards = boards_of(lines)
    if not boards:
        ctl.fail("reboot", rc, err)
    rebooted = [b["address"] for b in boards if b.get("acknowledged")]
    result = dict(changed=bool(rebooted), rebooted=rebooted, boards=boards, rc=rc)
    stuck = failures(boards)
    if stuck:
        module.fail_json(msg="boards not rebooted: " + "; ".join(stuck), **result)
    module.exit_json(**result)


if __name__ == "__main__":
    main()
