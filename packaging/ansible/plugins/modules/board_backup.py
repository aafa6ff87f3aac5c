#!/usr/bin/python
# -*- coding: utf-8 -*-
# Copyright (c) 2025-2026 TalvikCom
# MIT License (see LICENSE in the TalvikCom source)

from __future__ import absolute_import, division, print_function

__metaclass__ = type

DOCUMENTATION = r"""
module: board_backup
short_description: Every board's configuration kept in a folder of the site PC, with git
description:
  - Runs C(talvikctl backup) on the site PC - reads every board and rewrites its file in C(into)
    only when the board changed; with C(git) one commit for a run that changed anything.
  - Changed when the backups changed (with C(git), when a commit was made). Nothing is written to
    a board; in check mode the task is skipped, since only reading the boards tells.
version_added: "1.1.0"
options:
  into:
    description:
      - The folder of backups on the site PC, made when missing.
    type: path
    required: true
  git:
    description:
      - Keep the folder as a git repository, a commit for each run that changed anything.
    type: bool
    default: false
  permanent_too:
    description:
      - Keep each board's permanent memory too, beside its working configuration.
    type: bool
    default: false
extends_documentation_fragment:
  - talvik.boards.talvikctl
attributes:
  check_mode:
    description: "Not supported: a backup run writes its folder (and commits with C(git))."
    support: none
author:
  - TalvikCom (@talvikcom)
"""

EXAMPLES = r"""
- name: Every board kept, before the works weekend
  talvik.boards.board_backup:
    boards: [192.168.1.1-254]
    into: /var/lib/talvikcom/backups
    git: true
"""

RETURN = r"""
commit:
  description: The commit made, when C(git) and the backups changed.
  returned: always
  type: str
  sample: 4f1c2a9e0b7d3c5a6e8f9012a3b4c5d6e7f80912
boards:
  description: Each board's backup, as C(talvikctl backup --json) gives it (C(address), C(status), C(changes), C(file)).
  returned: always
  type: list
  elements: dict
answered:
  description: How many boards answered.
  returned: always
  type: int
"""

from ansible.module_utils.basic import AnsibleModule
from ansible_collections.talvik.boards.plugins.module_utils.talvikctl import Talvikctl, argument_spec, summary_of


def main():
    module = AnsibleModule(
        argument_spec=argument_spec(
            into=dict(type="path", required=True),
            git=dict(type="bool", default=False),
            permanent_too=dict(type="bool", default=False),
        ),
        supports_check_mode=False,
    )
    ctl = Talvikctl(module)
    args = ctl.targets() + ctl.transport() + ["--into", module.params["into"]]
    if module.params["git"]:
        args.append("--git")
    if module.params["permanent_too"]:
        args.append("--permanent-too")
    rc, lines, err = ctl.run("backup", args)
    summary = summary_of(lines)
    boards = [line for line in lines if "address" in line]
    if rc != 0 or not summary:
        ctl.fail("backup", rc, err, boards=boards)
    changed = bool(summary.get("commit")) if module.params["git"] else bool(summary.get("changed"))
    module.exit_json(changed=changed, commit=summary.get("commit"), boards=boards, answered=summary.get("answered"))


if __name__ == "__main__":
    main()
