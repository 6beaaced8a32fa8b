#!/usr/bin/python3
"""Makes the mutants of scripts/mutants.sh: small faults planted one at a time in a C++ file.

  mutants.py order SEED NAME FILE         the candidates' numbers, in the sample's order
  mutants.py apply NAME FILE NUMBER OUT   writes FILE with candidate NUMBER in place to OUT and
                                          prints its diff lines, headed by NAME and the line
  mutants.py reason EQUIVALENTS           why the mutant whose diff lines are on standard
                                          input is equivalent; fails when it is not listed
  mutants.py sync FROM TO                 makes TO hold the files named on standard input
                                          (NUL-separated) as FROM has them

Candidates are found on the text, not on a parse: the project is clang-formatted, so a binary
operator has a blank on each side and a statement begins after a line ending in ';', '{' or '}'.
What this gets wrong does not compile, or compiles to the same object, and the caller skips it.
"""

import os
import random
import re
import shutil
import sys

# A comparison loosened or tightened by its boundary, an equality flipped.
COMPARISONS = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
COMPARISON = re.compile(r"(?<!\S)(<=|>=|==|!=|<|>)(?!\S)")
LOGIC = re.compile(r"(?<!\S)(&&|\|\|)(?!\S)")
NUMBER = re.compile(r"(?<![\w.'])(0[xX][0-9a-fA-F]+|\d+)([uUlL]*)(?![\w.'])")
CONDITION = re.compile(r"\b(?:if|while)\s*\(")
LOGGING = re.compile(r"^\s*(?:qC?(?:Debug|Info|Warning|Critical)|qFatal)\b")
NOT_A_STATEMENT = re.compile(
    r"^\s*(?:return|case|default|break|continue|goto|else|if|for|while|do|switch|try|catch|"
    r"namespace|class|struct|enum|union|template|using|typedef|static_assert|public|private|"
    r"protected|Q_[A-Z_]+)\b|^\s*[{}#]")
# A declaration: dropping it leaves its name undeclared, so it is not tried.
DECLARATION = re.compile(r"^\s*(?:(?:static|const|constexpr|auto)\s+)*[A-Za-z_][\w:]*(?:<[^;=]*>)?"
                         r"[\s*&]+[A-Za-z_]\w*\s*(?:[=({;\[]|$)")
# Values a dropped return value would give anyway.
EMPTY_RETURNS = {"{}", "false", "0", "nullptr", "std::nullopt", "QString()", "QStringList()"}
# Branches that only a Windows or macOS build compiles.
OTHER_PLATFORM = re.compile(r"\b(?:Q_OS_WIN\w*|_WIN32|WIN32|_MSC_VER|Q_OS_MAC\w*|Q_OS_DARWIN)\b")
MAX_STATEMENT_LINES = 6


def mask_line(line, in_comment):
    """The line with comments, string and character literals blanked, and whether a block
    comment is still open at its end."""
    out = []
    i = 0
    n = len(line)
    while i < n:
        if in_comment:
            end = line.find("*/", i)
            if end < 0:
                out.append(" " * (n - i))
                return "".join(out), True
            out.append(" " * (end + 2 - i))
            i = end + 2
            in_comment = False
            continue
        c = line[i]
        if line.startswith("//", i):
            out.append(" " * (n - i))
            break
        if line.startswith("/*", i):
            in_comment = True
            continue
        raw = re.match(r'R"([^(\s]*)\(', line[i:])
        if raw:
            end = line.find(")" + raw.group(1) + '"', i + raw.end())
            stop = n if end < 0 else end + len(raw.group(1)) + 2
            out.append('""' + " " * (stop - i - 2))
            i = stop
            continue
        if c in "\"'" and not (c == "'" and i > 0 and line[i - 1].isalnum()
                               and line[i - 1] not in "uUL"):
            j = i + 1
            while j < n and line[j] != c:
                j += 2 if line[j] == "\\" else 1
            stop = min(j + 1, n)
            out.append(c + " " * (stop - i - 2) + (c if stop - i >= 2 else ""))
            i = stop
            continue
        out.append(c)
        i += 1
    return "".join(out), in_comment


class Source:
    def __init__(self, text):
        self.lines = text.split("\n")
        self.code = []
        self.active = []
        in_comment = False
        stack = []  # per open #if: is its current branch compiled here, and its #else branch
        for line in self.lines:
            code, in_comment = mask_line(line, in_comment)
            directive = re.match(r"^\s*#\s*(\w+)(.*)", code)
            if directive:
                word, rest = directive.groups()
                if word in ("if", "ifdef", "ifndef"):
                    if not OTHER_PLATFORM.search(rest):
                        stack.append((True, True))
                    elif word == "ifndef" or "!" in rest:
                        stack.append((True, False))
                    else:
                        stack.append((False, True))
                elif word in ("else", "elif") and stack:
                    stack[-1] = (stack[-1][1], stack[-1][1])
                elif word == "endif" and stack:
                    stack.pop()
                self.code.append("")
                self.active.append(False)
                continue
            self.code.append(code)
            self.active.append(all(compiled for compiled, _ in stack))
        self.logging = self._logging_lines()

    def _logging_lines(self):
        skip = set()
        for k, code in enumerate(self.code):
            if LOGGING.match(code):
                end = self.statement_end(k)
                skip.update(range(k, (end if end is not None else k) + 1))
        return skip

    def statement_end(self, start):
        """The last line of the statement that begins on line `start`, or None."""
        depth = 0
        for k in range(start, min(start + MAX_STATEMENT_LINES, len(self.code))):
            for c in self.code[k]:
                if c in "([{":
                    depth += 1
                elif c in ")]}":
                    depth -= 1
                    if depth < 0:
                        return None
            if depth == 0 and self.code[k].rstrip().endswith(";"):
                return k
            if depth == 0 and self.code[k].rstrip().endswith(("{", "}")):
                return None
        return None

    def mutable(self, k):
        return self.active[k] and k not in self.logging and self.code[k].strip() != ""

    def begins_statement(self, k):
        if NOT_A_STATEMENT.match(self.code[k]) or not self.code[k].startswith(" "):
            return False
        previous = k - 1
        while previous >= 0 and self.code[previous].strip() == "":
            previous -= 1
        if previous < 0:
            return False
        before = self.code[previous].rstrip()
        if before.endswith((";", "{", "}")) or re.search(r"\belse$", before):
            return True
        # The body of an if, for or while without braces.
        return bool(before.endswith(")") and re.match(r"^\s*(?:\}\s*)?(?:else\s+)?(?:if|for|while)\b",
                                                      before))


def replace_span(line, start, end, text):
    return line[:start] + text + line[end:]


def matching_paren(source, k, column):
    """Line and column of the parenthesis closing the one at (k, column)."""
    depth = 0
    semicolon = None
    for line in range(k, min(k + MAX_STATEMENT_LINES, len(source.code))):
        code = source.code[line]
        for col in range(column if line == k else 0, len(code)):
            c = code[col]
            if c in "([{":
                depth += 1
            elif c in ")]}":
                depth -= 1
                if depth == 0:
                    return line, col, semicolon
            elif c == ";" and depth == 1:
                semicolon = (line, col)
    return None


def line_mutants(source, k):
    """Mutants on one line: (first line, last line, replacement lines, operator)."""
    line, code = source.lines[k], source.code[k]
    found = []
    for m in COMPARISON.finditer(code):
        new = COMPARISONS[m.group(1)]
        found.append((k, k, [replace_span(line, m.start(), m.end(), new)], "comparison"))
    for m in LOGIC.finditer(code):
        new = "||" if m.group(1) == "&&" else "&&"
        found.append((k, k, [replace_span(line, m.start(), m.end(), new)], "logic"))
    for m in NUMBER.finditer(code):
        digits, suffix = m.group(1), m.group(2)
        value = int(digits, 0)
        for moved in (value + 1, value - 1):
            if moved < 0:
                continue
            text = (hex(moved) if digits[:2].lower() == "0x" else str(moved)) + suffix
            found.append((k, k, [replace_span(line, m.start(), m.end(), text)], "constant"))
    for m in CONDITION.finditer(code):
        close = matching_paren(source, k, m.end() - 1)
        if close is None:
            continue
        end_line, end_col, semicolon = close
        open_line, open_col = (semicolon[0], semicolon[1] + 1) if semicolon else (k, m.end())
        lines = source.lines[k:end_line + 1]
        # Insert the closing parenthesis first so the opening one does not move it.
        lines[end_line - k] = replace_span(lines[end_line - k], end_col, end_col, ")")
        opener = " !(" if semicolon else "!("
        first = lines[open_line - k]
        skip = 1 if semicolon and first[open_col:open_col + 1] == " " else 0
        lines[open_line - k] = replace_span(first, open_col, open_col + skip, opener)
        found.append((k, end_line, lines, "negation"))
    return found


def statement_mutants(source, k):
    code = source.code[k]
    end = source.statement_end(k)
    if end is None:
        return []
    indent = code[:len(code) - len(code.lstrip())]
    returned = re.match(r"^\s*return\s+(.*);\s*$", " ".join(c.strip() for c in source.code[k:end + 1]))
    if re.match(r"^\s*return\b", code):
        if not returned or returned.group(1).strip() in EMPTY_RETURNS:
            return []
        return [(k, end, [indent + "return {};"] + [""] * (end - k), "return")]
    if not source.begins_statement(k) or DECLARATION.match(code):
        return []
    return [(k, end, [indent + "{}"] + [""] * (end - k), "statement")]


def candidates(text):
    source = Source(text)
    found = []
    for k in range(len(source.lines)):
        if not source.mutable(k):
            continue
        found.extend(line_mutants(source, k))
        found.extend(statement_mutants(source, k))
    return source, [m for m in found if all(source.mutable(j) for j in range(m[0], m[1] + 1))]


def read(path):
    with open(path, encoding="utf-8", newline="") as f:
        return f.read()


def order(seed, name, path):
    _, found = candidates(read(path))
    numbers = list(range(len(found)))
    random.Random("%s:%s" % (seed, name)).shuffle(numbers)
    print("\n".join(str(n) for n in numbers))


def apply(name, path, number, out):
    source, found = candidates(read(path))
    first, last, replacement, operator = found[number]
    lines = source.lines[:first] + replacement + source.lines[last + 1:]
    with open(out, "w", encoding="utf-8", newline="") as f:
        f.write("\n".join(lines))
    print("%s:%d: %s" % (name, first + 1, operator))
    for line in source.lines[first:last + 1]:
        print("-" + line)
    for line in replacement:
        if line.strip():
            print("+" + line)


def key(name, lines):
    """What identifies a mutant across edits elsewhere in its file: its file, and its lines
    before and after without their blanks."""
    changed = tuple(line[0] + line[1:].strip() for line in lines if line[:1] in ("-", "+"))
    return name, changed


def equivalents(path):
    """The listed equivalent mutants, by key, with their reasons."""
    listed = {}
    name, reason, lines = None, None, []
    with open(path, encoding="utf-8") as f:
        for line in f.read().split("\n") + [""]:
            if line[:1] in ("-", "+") and name:
                lines.append(line)
                continue
            if name and lines:
                listed[key(name, lines)] = reason
            name, reason, lines = None, None, []
            header = re.match(r"^([^\s:#][^:]*)(?::\d+)?: (.*)$", line)
            if header:
                name, reason = header.groups()
    return listed


def reason(path):
    """Prints why the mutant on standard input is equivalent; fails when it is not listed."""
    block = sys.stdin.read().split("\n")
    name = block[0].split(":")[0]
    listed = equivalents(path).get(key(name, block[1:]))
    if listed is None:
        return 1
    print(listed)
    return 0


def sync(origin, target):
    """Makes `target` hold the files named on standard input (NUL-separated) as `origin` has
    them, leaving its build folder alone."""
    files = [name for name in sys.stdin.read().split("\0") if name]
    listed = set(os.path.normpath(name) for name in files)
    for name in files:
        source, copy = os.path.join(origin, name), os.path.join(target, name)
        if not os.path.isfile(source) or os.path.islink(source):
            continue
        with open(source, "rb") as f:
            data = f.read()
        if os.path.isfile(copy):
            with open(copy, "rb") as f:
                if f.read() == data:
                    continue
        os.makedirs(os.path.dirname(copy), exist_ok=True)
        # A fresh time, so that the build sees the change even when the file goes back.
        shutil.copyfile(source, copy)
    for folder, dirs, names in os.walk(target):
        relative = os.path.relpath(folder, target)
        if relative == ".":
            dirs[:] = [d for d in dirs if d != "build"]
        for name in names:
            if os.path.normpath(os.path.join(relative, name)) not in listed:
                os.remove(os.path.join(folder, name))


def main(argv):
    if len(argv) == 4 and argv[0] == "order":
        order(argv[1], argv[2], argv[3])
    elif len(argv) == 5 and argv[0] == "apply":
        apply(argv[1], argv[2], int(argv[3]), argv[4])
    elif len(argv) == 2 and argv[0] == "reason":
        return reason(argv[1])
    elif len(argv) == 3 and argv[0] == "sync":
        sync(argv[1], argv[2])
    else:
        sys.stderr.write(__doc__)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
