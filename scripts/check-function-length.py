#!/usr/bin/env python3
"""Fails, naming them, when a function body in src/ runs over 60 lines.

A function's length counts the lines from the one with its opening brace to
the one with its closing brace. The scan matches braces in the C++ sources
(.cpp and .h), skipping comments, strings and character literals; a block
whose head ends in a parameter list (with const, noexcept, override, a
trailing return type or a constructor's initializers after it) is a function,
a namespace, class, struct or union block is searched for functions inside,
anything else (initializers, enums) is passed over whole. Lambdas count as a
part of the function they are written in.

  scripts/check-function-length.py          checks, exits 1 on a long function
  scripts/check-function-length.py --list   lists every function over the limit,
                                            known exceptions included
"""
import re
import subprocess
import sys
from pathlib import Path

LIMIT_LINES = 60

# Known exceptions, each "path:function": functions in files being rewritten
# at this time. Remove a line when its function is shortened.
# --- known exceptions: begin ---
KNOWN_EXCEPTIONS = set()
# --- known exceptions: end ---

CONTAINER = re.compile(r"\b(namespace|class|struct|union)\b")
OPAQUE = re.compile(r"\b(enum)\b")
FUNCTION_TAIL = re.compile(
    r"\)\s*(const|noexcept|override|final|mutable|&|&&|\s|->\s*[\w:<>,\s*&]+)*$")


def strip_code(text):
    """The text with comments, strings and character literals blanked out
    (newlines kept), so that only code braces remain."""
    out = []
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            out.append(" " * (j - i))
            i = j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            out.append(re.sub(r"[^\n]", " ", text[i:j]))
            i = j
        elif c == "R" and text.startswith('R"', i) and (i == 0 or not (text[i - 1].isalnum() or text[i - 1] == "_")):
            k = text.find("(", i)
            delim = ")" + text[i + 2:k] + '"'
            j = text.find(delim, k)
            j = n if j < 0 else j + len(delim)
            out.append(re.sub(r"[^\n]", " ", text[i:j]))
            i = j
        elif c in "\"'":
            if c == "'" and i > 0 and text[i - 1].isalnum() and text[i + 1:i + 2].isalnum():
                out.append(" ")  # digit separator, as in 1'000
                i += 1
                continue
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            j = min(j + 1, n)
            out.append(c + " " * (j - i - 2) + c if j - i >= 2 else c)
            i = j
        else:
            out.append(c)
            i += 1
    return "".join(out)


def function_name(head):
    """The qualified name before the parameter list of a function head."""
    depth = 0
    for k in range(len(head) - 1, -1, -1):
        if head[k] == ")":
            depth += 1
        elif head[k] == "(":
            depth -= 1
            if depth == 0:
                m = re.search(r"([\w:~]+(?:operator\s*\S+?)?)\s*$", head[:k])
                if m:
                    # skip a constructor's initializer list back to its parameters
                    init = re.search(r"\)\s*:[^:]", head)
                    if init and init.start() < k:
                        return function_name(head[:init.start() + 1])
                    return m.group(1)
    return "?"


def is_function_head(head):
    head = re.sub(r"\s+", " ", head).strip()
    if not head or "=" in re.sub(r"(operator\s*\S*=|\([^()]*\))", "", head):
        return False
    if re.search(r"\)\s*:[^:]", head):  # constructor with its initializers
        return True
    return bool(FUNCTION_TAIL.search(head))


def scan(path):
    """Yields (name, first line, lines) for every function in the file."""
    code = strip_code(path.read_text(encoding="utf-8"))
    line_at = [0] * (len(code) + 1)
    line = 1
    for k, c in enumerate(code):
        line_at[k] = line
        if c == "\n":
            line += 1
    stack = []  # kinds of the open blocks
    head_start = 0
    i, n = 0, len(code)
    while i < n:
        c = code[i]
        if c in ";":
            head_start = i + 1
        elif c == "}":
            if stack:
                stack.pop()
            head_start = i + 1
        elif c == "{":
            head = code[head_start:i]
            if stack and stack[-1] == "opaque":
                stack.append("opaque")
            elif CONTAINER.search(head) and "(" not in head.split("{")[0]:
                stack.append("container")
                head_start = i + 1
            elif OPAQUE.search(head) or not is_function_head(head):
                stack.append("opaque")
            elif re.search(r"\)\s*:[^:]", head) and re.search(r"[\w>]\s*$", head):
                stack.append("opaque")  # a member initializer with braces
            else:
                end = matching_brace(code, i)
                yield function_name(head), line_at[i], line_at[end] - line_at[i] + 1
                i = end
                head_start = i + 1
        i += 1


def matching_brace(code, start):
    depth = 0
    for k in range(start, len(code)):
        if code[k] == "{":
            depth += 1
        elif code[k] == "}":
            depth -= 1
            if depth == 0:
                return k
    return len(code) - 1


def main():
    root = Path(__file__).resolve().parent.parent
    files = subprocess.run(["git", "ls-files", "src/*.cpp", "src/*.h"], cwd=root,
                           capture_output=True, text=True, check=True).stdout.split()
    list_all = "--list" in sys.argv[1:]
    long_ones, excused = [], []
    for f in files:
        for name, line, lines in scan(root / f):
            if lines > LIMIT_LINES:
                entry = f"{f}:{line}: {name} ({lines} lines)"
                (excused if f"{f}:{name}" in KNOWN_EXCEPTIONS else long_ones).append(entry)
    if list_all:
        print("\n".join(long_ones + [e + " [known exception]" for e in excused]))
    if long_ones:
        print(f"Funktionen über {LIMIT_LINES} Zeilen (scripts/check-function-length.py):",
              file=sys.stderr)
        for entry in long_ones:
            print(f"  {entry}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
