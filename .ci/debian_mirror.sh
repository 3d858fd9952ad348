# debian_mirror [APT_FOLDER]: prints the Debian mirror the machine takes Debian 12 from,
# as its own APT sources (APT_FOLDER, /etc/apt by default) name it; fails, printing
# nothing, when they name none. Sourced by .ci/run and by its test.
#
# The mirror is the URI of the first source for binary packages ("deb") of Debian 12's main
# archive (suite "bookworm", component "main"), in the order APT reads them: sources.list,
# then the files of sources.list.d/ by name, one-line ".list" files and deb822 ".sources"
# files alike. Sources of other archives (a vendor's packages, the security updates) are
# passed over, whatever their place. A "mirror+file:" URI stands for the first mirror its
# list names.

# One line per source of binary packages, from one-line entries on standard input:
# URI, suites and components, separated by tabs.
_one_line_sources() {
  awk '{
    sub(/#.*/, "")
    if ($1 != "deb") next
    sub(/^[ \t]*deb[ \t]+/, "")
    if (sub(/^\[[^]]*\][ \t]*/, "") == 0 && /^\[/) next
    n = split($0, f, /[ \t]+/)
    components = ""
    for (i = 3; i <= n; i++) components = components (i > 3 ? " " : "") f[i]
    if (n >= 2) print f[1] "\t" f[2] "\t" components
  }'
}

# The same from deb822 stanzas on standard input: field names in any case, values over
# several lines, stanzas switched off with "Enabled: no" left out.
_deb822_sources() {
  awk '
    function flush() {
      if (fields["types"] ~ /(^| )deb( |$)/ && tolower(fields["enabled"]) != "no" && fields["uris"] != "") {
        split(fields["uris"], uris, " ")
        print uris[1] "\t" fields["suites"] "\t" fields["components"]
      }
      delete fields
      name = ""
    }
    function add(value) {
      gsub(/[ \t]+/, " ", value)
      sub(/^ /, "", value)
      sub(/ $/, "", value)
      if (value == "") return
      fields[name] = fields[name] == "" ? value : fields[name] " " value
    }
    /^#/ { next }
    /^[ \t]*$/ { flush(); next }
    /^[ \t]/ { if (name != "") add($0); next }
    {
      colon = index($0, ":")
      if (colon == 0) next
      name = tolower(substr($0, 1, colon - 1))
      add(substr($0, colon + 1))
    }
    END { flush() }
  '
}

# The first mirror a "mirror+file:" list names: its first line that is not a comment, up
# to the first blank.
_first_listed_mirror() {
  awk '!/^[ \t]*(#|$)/ { print $1; exit }' "$1" 2>/dev/null
}

# Every source of binary packages under the APT folder, in APT's order, as the lines above.
_apt_sources() {
  local file
  for file in "$1/sources.list" "$1"/sources.list.d/*; do
    [ -f "$file" ] || continue
    case $file in
      *.list) _one_line_sources <"$file" ;;
      *.sources) _deb822_sources <"$file" ;;
    esac
  done
}

# The first of those lines that is for Debian 12's main archive, as debootstrap reads it.
_first_debian12_mirror() {
  local uri suites components
  while IFS=$'\t' read -r uri suites components; do
    [[ " $suites " == *" bookworm "* && " $components " == *" main "* ]] || continue
    case $uri in
      mirror+file:*) uri=$(_first_listed_mirror "${uri#mirror+file:}") ;;
      mirror*:*) continue ;;  # a list fetched from the network, which debootstrap cannot read
    esac
    if [ -n "$uri" ]; then
      echo "$uri"
      return
    fi
  done
}

debian_mirror() {
  local mirror
  mirror=$(_apt_sources "${1:-/etc/apt}" | _first_debian12_mirror)
  [ -n "$mirror" ] && echo "$mirror"
}
