#!/usr/bin/python
# -*- coding: utf-8 -*-
# Copyright (c) 2025-2026 TalvikCom
# MIT License (see LICENSE in the TalvikCom source)

from __future__ import absolute_import, division, print_function

__metaclass__ = type

DOCUMENTATION = r"""
module: board_info
short_description: The lift-controller boards of a site PC
description:
  - Reads every board of a range, list or site with C(talvikctl survey), its working
    configuration and its permanent memory (what it takes at its next reboot), and returns them
    as C(boards), one entry per board; it sets no fact (register the result). A board that did
    not answer is there with its error. Nothing is written.
version_added: "1.1.0"
options:
  permanent:
    description:
      - Read the permanent memory too (a second read of each board).
    type: bool
    default: true
extends_documentation_fragment:
  - talvik.boards.talvikctl
attributes:
  check_mode:
    description: "It only reads: the same in check mode."
    support: full
author:
  - TalvikCom (@talvikcom)
"""

EXAMPLES = r"""
- name: Every board of the office
  talvik.boards.board_info:
    boards: [192.168.1.1-254]
  register: office

- name: The boards that did not answer
  ansible.builtin.debug:
    msg: "{{ office.boards | selectattr('error', 'defined') | map(attribute='address') }}"
"""

RETURN = r"""
boards:
  description:
    - One entry per board, in address order, with its C(address), its C(site) where the sites file
      names one, its C(working) configuration and C(permanent) memory (talvikctl's JSON keys C(ip),
      C(mask), C(router), C(mac), C(dhcp), C(console), C(dispatcher), C(ident), C(reserve1),
      C(reserve2), C(branch), C(version)), C(pending) (the fields it takes at its next reboot), or
      its C(error).
  returned: always
  type: list
  elements: dict
  sample:
    - address: 192.168.1.20
      working: {ip: 192.168.1.20, mask: 255.255.255.0, dispatcher: 10.2.2.2}
      permanent: {ip: 192.168.1.20, mask: 255.255.255.0, dispatcher: 10.2.2.3}
      pending: [dispatcher]
    - address: 192.168.1.21
      error: no reply
"""

from ansible.module_utils.basic import AnsibleModule
from ansible_collections.talvik.boards.plugins.module_utils.talvikctl import Talvikctl, argument_spec

FIELDS = ("ip", "mask", "router", "mac", "dhcp", "console", "dispatcher", "ident", "reserve1", "reserve2", "branch")


def survey(ctl, args):
    rc, lines, err = ctl.run("survey", args)
    if rc not in (0, 1, 4):  # answered, none did, some did
        ctl.fail("survey", rc, err)
    return dict((line["address"], line) for line in lines if "address" in line)


def main():
    module = AnsibleModule(
        argument_spec=argument_spec(permanent=dict(type="bool", default=True)),
        supports_check_mode=True,
    )
    ctl = Talvikctl(module)
    args = ctl.targets() + ctl.transport()
    working = survey(ctl, args)
    permanent = survey(ctl, args + ["--permanent"]) if module.params["permanent"] else {}
    boards = []
    for address, line in working.items():
        board = {"address": address}
        if "site" in line:
            board["site"] = line["site"]
        if "error" in line:
            board["error"] = line["error"]
        else:
            board["working"] = dict((k, line[k]) for k in FIELDS + ("version",) if k in line)
        held = permanent.get(address)
        if held and "error" not in held:
            board["permanent"] = dict((k, held[k]) for k in FIELDS + ("version",) if k in held)
            if "working" in board:
                board["pending"] = [k for k in FIELDS if board["working"].get(k) != board["permanent"].get(k)]
        boards.append(board)
    module.exit_json(changed=False, boards=boards)


if __name__ == "__main__":
    main()
