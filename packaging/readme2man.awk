# Fills the man page template with sections of README.md, so the facts about
# the mouse and the particle types are written once, in the README. A
# template line "@README The particles" becomes the roff of the README
# section "## The particles": its paragraphs, bullet lists and one table.
# "@VERSION@", "@DATE@" and "@CONTACT@" become the variables of those names.
#   awk -v version=V -v date=D -v contact=C -f readme2man.awk README.md TEMPLATE
FNR == NR {
  if ($0 ~ /^## /) { section = substr($0, 4); next }
  if ($0 ~ /^# /) { section = ""; next }
  if (section != "") readme[section] = readme[section] $0 "\n"
  next
}
/^@README / {
  name = substr($0, 9)
  if (!(name in readme)) { print "README.md has no section '" name "'" > "/dev/stderr"; exit 1 }
  convert(readme[name])
  next
}
{
  gsub(/@VERSION@/, version); gsub(/@DATE@/, date); gsub(/@CONTACT@/, contact)
  print
}

# Markdown's inline marks and the characters roff treats specially.
function inline(s) {
  gsub(/\\/, "\\e", s)
  gsub(/—/, "\\(em", s)
  while (match(s, /\*\*[^*]+\*\*/)) s = substr(s, 1, RSTART - 1) "\\fB" substr(s, RSTART + 2, RLENGTH - 4) "\\fR" substr(s, RSTART + RLENGTH)
  while (match(s, /`[^`]+`/)) s = substr(s, 1, RSTART - 1) "\\fB" substr(s, RSTART + 1, RLENGTH - 2) "\\fR" substr(s, RSTART + RLENGTH)
  if (s ~ /^[.']/) s = "\\&" s
  return s
}

function cells(row, out,   n, i) {
  sub(/^[ \t]*\|/, "", row); sub(/\|[ \t]*$/, "", row)
  n = split(row, out, "|")
  for (i = 1; i <= n; i++) { gsub(/^[ \t]+|[ \t]+$/, "", out[i]); out[i] = inline(out[i]) }
  return n
}

# A table becomes a tbl table: the first column in bold, the others as text
# blocks that wrap within the page's width, ragged so no gaps open up in
# their narrow lines.
function table(rows, count,   i, j, n, c, line) {
  print ".na"
  print ".TS"
  print "tab(@);"
  n = cells(rows[1], c)
  line = "lB"; for (j = 2; j <= n; j++) line = line " lB"; print line
  line = "lB"; for (j = 2; j < n; j++) line = line " lw(18n)"; print line " lx."
  line = c[1]; for (j = 2; j <= n; j++) line = line "@" c[j]; print line
  for (i = 3; i <= count; i++) {
    cells(rows[i], c)
    line = c[1]; for (j = 2; j <= n; j++) line = line "@T{\n" c[j] "\nT}"; print line
  }
  print ".TE"
  print ".ad"
}

function convert(text,   lines, n, i, s, rows, count, fresh) {
  n = split(text, lines, "\n")
  fresh = 1
  for (i = 1; i <= n; i++) {
    s = lines[i]
    if (s ~ /^\|/) {
      count = 0
      while (i <= n && lines[i] ~ /^\|/) rows[++count] = lines[i++]
      i--
      print ".PP"
      table(rows, count)
      fresh = 1
    } else if (s ~ /^- /) {
      print ".IP \\(bu 2"
      print inline(substr(s, 3))
      fresh = 0
    } else if (s ~ /^[ \t]*$/) {
      fresh = 1
    } else {
      if (fresh) print ".PP"
      print inline(s)
      fresh = 0
    }
  }
}
