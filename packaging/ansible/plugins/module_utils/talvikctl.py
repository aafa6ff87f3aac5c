# -*- coding: utf-8 -*-
# Copyright (c) 2025-2026 TalvikCom
# MIT License (see LICENSE in the TalvikCom source)
"""talvikctl on the site PC, for the modules: found, run with --json, its lines read and its
exit code put into words."""

from __future__ import absolute_import, division, print_function

__metaclass__ = type

import json

# What talvikctl's exit codes mean (talvikctl --help).
EXIT_CODES = {
    0: "success",
    1: "no reply",
    2: "refused before anything was sent",
    3: "a board holds something else than was written",
    4: "some boards did not succeed",
    5: "port 6767 is taken (is the configurator open?)",
    6: "a backup could not be written",
    7: "the journal could not be written",
    8: "the backup's on-change command failed",
    130: "interrupted",
}

# The outcomes of a board that count as success ("unchanged": it held the values already).
SUCCEEDED = ("done", "unverified", "unchanged", "planned")


def argument_spec(**own):
    """The options of every module (doc fragment talvik.boards.talvikctl), and a module's own."""
    spec = dict(
        boards=dict(type="list", elements="str", default=[]),
        sites=dict(type="list", elements="str", default=[]),
        sites_file=dict(type="path"),
        ports=dict(type="list", elements="int"),
        local_port=dict(type="int"),
        timeout=dict(type="int"),
        retries=dict(type="int"),
        talvikctl=dict(type="path"),
    )
    spec.update(own)
    return spec


class Talvikctl(object):
    """talvikctl as a module runs it on the site PC."""

    def __init__(self, module):
        self.module = module
        given = module.params["talvikctl"]
        self.program = given or module.get_bin_path("talvikctl")
        if not self.program:
            module.fail_json(
                msg="talvikctl is not installed on this site PC (not found on its PATH): install the "
                "talvikcom package there, or give the module talvikctl: with its path"
            )

    def targets(self):
        """The boards given: addresses, ranges and sites, as talvikctl's arguments."""
        params = self.module.params
        if not params["boards"] and not params["sites"]:
            self.module.fail_json(msg="no boards given: set boards (addresses or ranges) or sites")
        args = list(params["boards"])
        for site in params["sites"]:
            args += ["--site", site]
        if params["sites_file"]:
            args += ["--sites-file", params["sites_file"]]
        return args

    def transport(self):
        """How talvikctl talks to the boards: ports, time-out, retries."""
        params = self.module.params
        args = []
        if params["ports"]:
            args += ["--ports", ",".join(str(p) for p in params["ports"])]
        for option in ("local_port", "timeout", "retries"):
            if params[option] is not None:
                args += ["--" + option.replace("_", "-"), str(params[option])]
        return args

    def run(self, command, args):
        """Runs `talvikctl COMMAND ARGS --json`: its exit code, its JSON lines, its stderr."""
        argv = [self.program, command] + args + ["--json"]
        rc, out, err = self.module.run_command(argv)
        lines = []
        for number, text in enumerate(out.splitlines(), 1):
            if not text.strip():
                continue
            try:
                lines.append(json.loads(text))
            except ValueError:
                self.module.fail_json(
                    msg="talvikctl %s printed a line that is not JSON (line %d): %r" % (command, number, text[:200]),
                    rc=rc,
                    stderr=err,
                )
        return rc, lines, err

    def fail(self, command, rc, err, **extra):
        """The task fails with talvikctl's own words and what its exit code means."""
        said = err.strip() or EXIT_CODES.get(rc, "exit code %d" % rc)
        self.module.fail_json(
            msg="talvikctl %s: %s" % (command, said), rc=rc, meaning=EXIT_CODES.get(rc, "unknown"), stderr=err, **extra
        )


def boards_of(lines):
    """The lines of a job that are a board's (not the job's first line, nor its summary)."""
    return [line for line in lines if "address" in line and "outcome" in line]


def summary_of(lines):
    for line in lines:
        if "summary" in line:
            return line["summary"]
    return {}


def failures(boards):
    """Each board that did not succeed, with talvikctl's words for why."""
    return ["%s: %s" % (b["address"], b.get("result") or b["outcome"]) for b in boards if b["outcome"] not in SUCCEEDED]
