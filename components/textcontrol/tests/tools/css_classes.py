#!/usr/bin/env python3
"""Parses a style sheet as browsers do (tinycss2) and prints the class names its selectors define,
one a line. Exits 1, naming the place, at the first thing a browser would drop: a rule or a
declaration that does not parse, or an at-rule other than @page and @media."""
import sys

import tinycss2


def fail(node, what):
    print(f"{what} at line {getattr(node, 'source_line', '?')}: {getattr(node, 'message', node)}", file=sys.stderr)
    sys.exit(1)


def check_declarations(content, where):
    for node in tinycss2.parse_declaration_list(content, skip_whitespace=True, skip_comments=True):
        if node.type == "error":
            fail(node, f"bad declaration in {where}")
        if node.type == "declaration" and not [t for t in node.value if t.type not in ("whitespace", "comment")]:
            fail(node, f"empty value of {node.name} in {where}")


def classes_of(prelude):
    names = []
    tokens = [t for t in prelude if t.type != "comment"]
    for a, b in zip(tokens, tokens[1:]):
        if a.type == "literal" and a.value == "." and b.type == "ident":
            names.append(b.value)
    return names


def walk(rules, out):
    for rule in rules:
        if rule.type in ("whitespace", "comment"):
            continue
        if rule.type == "error":
            fail(rule, "bad rule")
        if rule.type == "at-rule":
            if rule.lower_at_keyword == "page":
                check_declarations(rule.content, "@page")
            elif rule.lower_at_keyword == "media":
                walk(tinycss2.parse_rule_list(rule.content, skip_whitespace=True, skip_comments=True), out)
            else:
                fail(rule, f"unexpected @{rule.at_keyword}")
            continue
        check_declarations(rule.content, tinycss2.serialize(rule.prelude).strip())
        out.extend(classes_of(rule.prelude))


def main():
    with open(sys.argv[1], encoding="utf-8") as f:
        sheet = f.read()
    out = []
    walk(tinycss2.parse_stylesheet(sheet, skip_whitespace=True, skip_comments=True), out)
    for name in sorted(set(out)):
        print(name)


main()
