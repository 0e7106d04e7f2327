"""The manual pages keep up with the programs: every command tirva-tool lists, with every
option its own help names, has an entry in tirva-tool.1, and every play key of the README's
"How to play" table has one in tirva.6."""

import os
import re
import unittest

from harness import SOURCE_DIR, main, run_tool

PAGES_DIR = os.path.join(SOURCE_DIR, "packaging")


def plain(roff):
    """A line of roff as text: no macro name, font changes, quotes or escaped hyphens."""
    text = re.sub(r"^\.[A-Z]{1,2}\s*", "", roff)
    text = re.sub(r"\\f[BIRP]", "", text).replace("\\-", "-").replace("\\&", "")
    return text.replace('"', "")


def entries(page, section):
    """The tagged paragraphs of a section of a manual page: {tag text: body text}."""
    with open(os.path.join(PAGES_DIR, page)) as source:
        lines = source.read().splitlines()
    start = lines.index(f".SH {section}")
    found, tag = {}, None
    for number in range(start + 1, len(lines)):
        line = lines[number]
        if line.startswith(".SH"):
            break
        if line == ".TP":
            tag = plain(lines[number + 1])
            found[tag] = ""
        elif tag is not None and lines[number - 1] != ".TP":
            found[tag] += plain(line) + "\n"
    return found


def play_keys():
    """The keys in the first column of the README's "How to play" table ("`a` / `s`" is two)."""
    with open(os.path.join(SOURCE_DIR, "README.md")) as readme:
        section = readme.read().split("## How to play", 1)[1].split("\n## ", 1)[0]
    keys = []
    for row in re.findall(r"^\| ([^|]+?) \|", section, re.MULTILINE):
        if row.startswith("during play") or set(row) <= set("-"):
            continue
        keys += [key.strip().strip("`") for key in row.split(" / ")]
    return keys


class ManualPagesTest(unittest.TestCase):
    def test_every_tool_command_and_option_has_an_entry_in_tirva_tool_1(self):
        listing = run_tool("--help").stdout
        commands = re.findall(r"^  (\S+)\s", listing, re.MULTILINE)
        self.assertIn("check", commands)
        documented = {tag.split()[0]: tag + "\n" + body
                      for tag, body in {**entries("tirva-tool.1", "COMMANDS"),
                                        **entries("tirva-tool.1", "OPTIONS")}.items()}
        missing = []
        for command in commands:
            if command not in documented:
                missing.append(f"the command {command}")
                continue
            if command.startswith("-"):
                continue
            options = set(re.findall(r"(?<![\w-])--[a-z][a-z-]*", run_tool(command,
                                                                         "--help").stdout))
            missing += [f"{option} of {command}" for option in sorted(options - {"--help"})
                        if not re.search(rf"{option}\b", documented[command])]
        self.assertFalse(missing, "packaging/tirva-tool.1 has no entry for " + ", ".join(missing))

    def test_every_play_key_of_the_readme_has_an_entry_in_tirva_6(self):
        keys = play_keys()
        self.assertIn("Escape", keys)
        documented = {name.strip().lower() for tag in entries("tirva.6", "KEYS")
                      for name in re.split(r"[,/]", tag)}
        missing = [key for key in keys if key.lower() not in documented]
        self.assertFalse(missing, "packaging/tirva.6 has no KEYS entry for these keys of the "
                                  "README's How to play table: " + ", ".join(missing))


if __name__ == "__main__":
    main()
