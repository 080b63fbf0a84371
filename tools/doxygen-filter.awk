# Doxygen input filter: turns the plain // comments of this project's headers
# into documentation comments, so that the reference is built from the
# comments as they are written.
# - the block at the top of a header describes the file, and also the class
#   named after the file when no comment of its own comes before it;
# - a comment line before a declaration documents it (// becomes ///);
# - a comment after a member on its line documents that member (///<);
# - comment lines indented by three spaces or more (usage examples) become code.
# Run by the docs target as: awk -f doxygen-filter.awk File.h

function codeLine(text) {
    return text ~ /^   / ? "    " text : text
}

FNR == 1 {
    base = FILENAME
    sub(/^.*\//, "", base)
    sub(/\.[^.]*$/, "", base)
    state = "start"
    top = ""
    previousWasComment = 0
}

state == "start" && /^\/\// {
    state = "top"
    print "/// \\file"
}
state == "start" {
    print
    next
}

state == "top" && /^\/\// {
    text = codeLine(substr($0, 3))
    top = top "///" text "\n"
    print "///" text
    next
}
state == "top" {
    state = "body"
}

/^[ \t]*\/\/( |$)/ {
    at = index($0, "//")
    print substr($0, 1, at - 1) "///" codeLine(substr($0, at + 2))
    previousWasComment = 1
    next
}

{
    if (!previousWasComment && top != "" && $0 ~ ("^(class|struct) " base "([ :{]|$)") && $0 !~ /;[ \t]*$/) {
        printf "%s", top
    }
    if ($0 ~ /[;,{][ \t]+\/\/ /) sub(/[ \t]+\/\/ /, "  ///< ")
    previousWasComment = 0
    print
}
