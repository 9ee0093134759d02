#!/usr/bin/env python3
"""Checks the layout of the source tree:

  * no include cycle between folders (a file in folder A including a header of folder B makes A
    depend on B; data/core, data/odbc, data/ui and app/ui are folders of their own);
  * no include cycle between the units of one folder (a unit is X.h with X*.cpp), except the few
    that belong together by design (ACCEPTED_UNIT_CYCLES);
  * no folder holds more than about 3,000 lines of its own (files directly in it).

    scripts/check-layout.py [src folder]      exit code 0 when all holds, 1 otherwise
"""
import os
import re
import sys

LINE_LIMIT = 3200          # "about 3,000"

# Units of one folder that belong together by design and may include each other: a dataset and
# its fields and writer, a connection and its statements, the formula parser and its evaluator.
ACCEPTED_UNIT_CYCLES = [
    {'data/dataset/DataSetWriter', 'data/dataset/TField', 'data/dataset/TwwOEDataSet'},
    {'data/odbc/THdbc', 'data/odbc/THstmt', 'data/odbc/THstmtBlock', 'data/odbc/THstmtCell'},
    {'pricing/formula/FormulaEvaluator', 'pricing/formula/FormulaExpressionParser'},
]
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def sources(root):
    for folder, _, files in os.walk(root):
        for name in sorted(files):
            if name.endswith(('.h', '.cpp')):
                path = os.path.join(folder, name)
                yield os.path.relpath(path, root).replace(os.sep, '/')


def unit_of(path):
    """TwwOEDataSetEditing.cpp belongs to the unit of TwwOEDataSet.h when that header exists."""
    return path.rsplit('.', 1)[0]


def cycles(graph):
    """Strongly connected components with more than one node (Tarjan, iterative)."""
    index, low, on_stack, stack, result, counter = {}, {}, set(), [], [], [0]
    for start in sorted(graph):
        if start in index:
            continue
        work = [(start, iter(sorted(graph.get(start, ()))))]
        index[start] = low[start] = counter[0]
        counter[0] += 1
        stack.append(start)
        on_stack.add(start)
        while work:
            node, children = work[-1]
            advanced = False
            for child in children:
                if child not in index:
                    index[child] = low[child] = counter[0]
                    counter[0] += 1
                    stack.append(child)
                    on_stack.add(child)
                    work.append((child, iter(sorted(graph.get(child, ())))))
                    advanced = True
                    break
                if child in on_stack:
                    low[node] = min(low[node], index[child])
            if advanced:
                continue
            work.pop()
            if work:
                low[work[-1][0]] = min(low[work[-1][0]], low[node])
            if low[node] == index[node]:
                component = []
                while True:
                    member = stack.pop()
                    on_stack.discard(member)
                    component.append(member)
                    if member == node:
                        break
                if len(component) > 1:
                    result.append(sorted(component))
    return result


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..', 'src')
    root = os.path.normpath(root)
    files = list(sources(root))
    headers = {f for f in files if f.endswith('.h')}
    folder_graph, unit_graph, lines = {}, {}, {}
    units = {}
    for f in files:
        base = unit_of(f)
        # A file TwwOEDataSetNavigation.cpp without its own header joins the longest unit whose
        # header name it starts with (TwwOEDataSet.h).
        if f.endswith('.cpp') and base + '.h' not in headers:
            folder, name = os.path.split(base)
            candidates = [h[:-2] for h in headers
                          if os.path.dirname(h) == folder and name.startswith(os.path.basename(h)[:-2])]
            if candidates:
                base = max(candidates, key=len)
        units[f] = base
    failures = []
    for f in files:
        with open(os.path.join(root, f), encoding='utf-8') as handle:
            text = handle.read()
        folder = os.path.dirname(f)
        if os.path.basename(f) == 'main.cpp':
            folder = f        # a program's entry sits above its folder's library
        lines[folder] = lines.get(folder, 0) + text.count('\n')
        folder_graph.setdefault(folder, set())
        unit_graph.setdefault(units[f], set())
        for target in INCLUDE.findall(text):
            if target not in headers:
                continue      # generated or outside src
            target_folder = os.path.dirname(target)
            if target_folder != folder:
                folder_graph[folder].add(target_folder)
            elif units[target] != units[f]:
                unit_graph[units[f]].add(units[target])
    for component in cycles(folder_graph):
        failures.append('include cycle between folders: ' + ' <-> '.join(component))
    for component in cycles(unit_graph):
        if any(set(component) <= accepted for accepted in ACCEPTED_UNIT_CYCLES):
            continue
        failures.append('include cycle between files of ' + os.path.dirname(component[0]) + ': '
                        + ', '.join(os.path.basename(c) for c in component))
    for folder, count in sorted(lines.items()):
        if count > LINE_LIMIT:
            failures.append('%s holds %d lines of its own (at most about 3,000)' % (folder or '.', count))
    for failure in failures:
        print(failure)
    if not failures:
        print('layout: %d folders, %d files, no include cycle, no folder above %d lines'
              % (len(folder_graph), len(files), LINE_LIMIT))
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
