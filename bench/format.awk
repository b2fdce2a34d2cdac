# What a scripter would write instead of tarnel-cli format: the same
# classification of lines into the six tables and the path lines, and the same
# layout on output. Runs with any POSIX awk that takes a regular expression as
# record separator (mawk, gawk, busybox awk):
#
#   awk -v header="# Generated ..." -f format.awk IN > OUT
#
# Load errors (a short objs or tobj line, once per missing value) go to
# standard error as "line N: <line>".
BEGIN {
    RS = "\r\n|\n|\r"
    ORS = "\r\n"
    if (header == "") header = "# Generated from Tarnel by Quorbin"
    # Field count of each table.
    count["objs"] = 6; count["tobj"] = 8; count["lights"] = 20
    count["sun"] = 9; count["part"] = 14; count["ani"] = 16
    for (k in count) { kindOf[count[k]] = k; rows[k] = 0 }
    paths = 0
}

function trim(s) {
    sub(/^ +/, "", s)
    sub(/ +$/, "", s)
    return s
}

# The line's space-trimmed values joined with ", ".
function joined(line,    n, f, i, out) {
    n = split(line, f, ",")
    if (n == 0) return ""
    out = trim(f[1])
    for (i = 2; i <= n; i++) out = out ", " trim(f[i])
    return out
}

function add(kind, line) {
    table[kind, ++rows[kind]] = joined(line)
}

# Commas plus one, without the empty pieces at the end.
function effectFields(line,    n, f) {
    n = split(line, f, ",")
    while (n > 0 && f[n] ~ /^ *$/) n--
    return n
}

{
    t = trim($0)
    if (t == "") next
    w = tolower(t)
    if (w == "objs") { inObjs = 1; next }
    if (w == "tobj") { inTobj = 1; next }
    if (w == "path") { inPath = 1; next }
    if (w == "2dfx") { in2dfx = 1; next }
    if (substr(t, 1, 1) == "#") {
        n = split($0, f, ",")
        if (n in kindOf) add(kindOf[n], $0)
        next
    }
    if (w == "end") { inObjs = inTobj = inPath = in2dfx = 0; next }
    if (inObjs || inTobj) {
        kind = inObjs ? "objs" : "tobj"
        add(kind, $0)
        for (missing = count[kind] - split($0, f, ","); missing > 0; missing--)
            printf "line %d: %s\n", NR, $0 > "/dev/stderr"
    } else if (inPath) {
        path[++paths] = $0
    } else if (in2dfx) {
        n = effectFields($0)
        if (!((n in kindOf) && n != 6 && n != 8)) n = split($0, f, ",")
        if ((n in kindOf) && n != 6 && n != 8) add(kindOf[n], $0)
    }
}

function dump(kind,    i) {
    for (i = 1; i <= rows[kind]; i++) print table[kind, i]
}

END {
    print header
    print "objs"; dump("objs"); print "end"
    print "tobj"; dump("tobj"); print "end"
    print "Path"
    for (i = 1; i <= paths; i++) print path[i]
    print "end"
    print "2dfx"
    print "# Lights"; dump("lights")
    print "# ped animations"; dump("ani")
    print "# particle"; dump("part")
    print "# sun reflections"; dump("sun")
    print "end"
}
