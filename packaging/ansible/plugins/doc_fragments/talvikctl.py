# -*- coding: utf-8 -*-
# Copyright (c) 2025-2026 TalvikCom
# MIT License (see LICENSE in the TalvikCom source)
"""The options every module of the collection takes: which boards, and how talvikctl talks to them."""

from __future__ import absolute_import, division, print_function

__metaclass__ = type


class ModuleDocFragment(object):
    DOCUMENTATION = r"""
options:
  boards:
    description:
      - Boards by address (C(192.168.1.20)) or range inside one /24 (C(192.168.1.1-254)).
      - With C(sites), the boards of both.
    type: list
    elements: str
    default: []
  sites:
    description:
      - Sites of the site PC's sites file (C(talvikctl sites)), each standing for its boards.
    type: list
    elements: str
    default: []
  sites_file:
    description:
      - The sites file; by default the one beside the settings file, as talvikctl finds it.
    type: path
  ports:
    description:
      - The boards' command ports (talvikctl C(--ports)); by default 8026, 8024 and 6767.
    type: list
    elements: int
  local_port:
    description:
      - The port the boards answer to (talvikctl C(--local-port)), 6767 by default. While the
        configurator is open on the site PC it holds that port, and the task fails saying so.
    type: int
  timeout:
    description:
      - The longest wait for a board's reply, in milliseconds (talvikctl C(--timeout)).
    type: int
  retries:
    description:
      - How many times a silent board is asked again (talvikctl C(--retries)).
    type: int
  talvikctl:
    description:
      - The talvikctl program on the site PC; by default the one on its C(PATH).
    type: path
requirements:
  - talvikctl (the Debian package C(talvikcom)) on the site PC, the managed host
notes:
  - The modules run on the site PC and call talvikctl with C(--json); they speak to no board
    themselves. talvikctl's exit codes map onto the task as follows. 0 is success. 2 (bad input,
    or a configuration the boards' rules refuse) fails the task with talvikctl's own reason, and
    nothing was sent. 1 (no reply), 3 (a board holds something else after the write), 4 (some
    boards failed), 5 (port 6767 is taken), 6 (a backup could not be written), 7 (the journal
    could not be written), 8 (the backup's hook failed) and 130 (interrupted) fail the task, naming
    each board that did not succeed and why.
"""
