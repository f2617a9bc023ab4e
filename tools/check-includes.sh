#!/usr/bin/env bash
# check-includes.sh <source folder> <link-graph.txt>
# Run by every build: no folder includes a header of a folder that links it.
# A folder is a top-level folder of the tree (tools/<name> and plugins/<name>
# each count as one); folder A links folder B when a library or program of A
# links one of B, directly or through others (test programs and benchmarks
# are left out: they link whatever they check). The contracts between the
# programs and DLLs (include/qel/) sit below everything and include nothing
# but each other. Only includes with a folder in their name
# ("dir/name.h", "../dir/name.h") are checked; each is found next to the
# including file, from the top of the tree, below include/, or else as the
# one file of the tree whose path ends so.
set -euo pipefail
src=$1 graph=$2
cd "$src"

# The sources as they stand in the working tree (moved ones where they are now).
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  files=$(git ls-files --cached --others --exclude-standard -- '*.h' '*.cpp' '*.c' '*.rc' |
          while IFS= read -r path; do [ -f "$path" ] && echo "$path"; done)
else
  files=$(find . \( -name .git -o -name 'build*' \) -prune -o -type f \
            \( -name '*.h' -o -name '*.cpp' -o -name '*.c' -o -name '*.rc' \) -print | sed 's#^\./##')
fi

# "<file> <line> <included name>" for every include with a folder in its name.
# (grep finds none in some files: that is no failure.)
includes=$(echo "$files" | { xargs grep -HnE '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[^"]*/' || true; } |
           sed -E 's/^([^:]*):([0-9]*):[^"]*"([^"]*)".*/\1 \2 \3/')

awk -v graphFile="$graph" -v fileList=<(echo "$files") '
function unitOf(path,    part, n) {
  n = split(path, part, "/")
  if ((part[1] == "tools" || part[1] == "plugins") && n > 2) return part[1] "/" part[2]
  return part[1]
}
# The path with "." and ".." taken out; "" when it leaves the tree.
function normal(path,    part, n, i, out, depth, kept) {
  n = split(path, part, "/")
  depth = 0
  for (i = 1; i <= n; i++) {
    if (part[i] == "" || part[i] == ".") continue
    if (part[i] == "..") { if (depth == 0) return ""; depth--; continue }
    kept[++depth] = part[i]
  }
  out = kept[1]
  for (i = 2; i <= depth; i++) out = out "/" kept[i]
  return out
}
function dirOf(path) { return path ~ /\// ? substr(path, 1, match(path, /\/[^\/]*$/) - 1) : "" }
function resolve(file, name,    try, i) {
  try = normal(dirOf(file) "/" name); if (try in known) return try
  try = normal(name);                 if (try in known) return try
  try = normal("include/" name);      if (try in known) return try
  return (name in bySuffix && bySuffix[name] != "?") ? bySuffix[name] : ""
}
BEGIN {
  while ((getline path < fileList) > 0) {
    known[path] = 1
    rest = path
    while ((at = index(rest, "/")) > 0) {
      rest = substr(rest, at + 1)
      bySuffix[rest] = (rest in bySuffix) ? "?" : path
    }
  }
  while ((getline line < graphFile) > 0) {
    n = split(line, word, " ")
    target = word[1]
    folderOf[target] = unitOf(word[2])
    isTest[target] = (word[3] == "test")
    for (i = 4; i <= n; i++) direct[target, word[i]] = 1
    targets[target] = 1
  }
  # A graph that is missing or empty would let every include pass.
  if (length(targets) == 0) {
    printf "check-includes: no link graph in %s\n", graphFile
    broken = 1
    exit
  }
  # Transitive closure over the targets (the graph is small).
  for (t in targets) reach[t, t] = 1
  do {
    grew = 0
    for (key in direct) {
      split(key, pair, SUBSEP)
      if (!(pair[2] in targets)) continue
      for (t in targets)
        if ((t, pair[1]) in reach && !((t, pair[2]) in reach)) { reach[t, pair[2]] = 1; grew = 1 }
    }
  } while (grew)
  for (key in reach) {
    split(key, pair, SUBSEP)
    if (isTest[pair[1]] || folderOf[pair[1]] == folderOf[pair[2]]) continue
    links[folderOf[pair[1]], folderOf[pair[2]]] = pair[1] " links " pair[2]
  }
}
{
  file = $1; line = $2; name = $3
  header = resolve(file, name)
  if (header == "") next
  from = unitOf(file); to = unitOf(header)
  if (from == "include" && to != "include") {
    printf "check-includes: %s:%s: the contracts include only each other, not %s\n", file, line, header
    bad = 1
  } else if (from != to && (to, from) in links) {
    printf "check-includes: %s:%s: includes %s, but %s links %s (%s)\n", file, line, header, to, from,
           links[to, from]
    bad = 1
  }
}
END { exit broken ? 2 : bad }
' <<<"$includes" >&2
