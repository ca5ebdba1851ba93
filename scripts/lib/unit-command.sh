# A systemd unit's command line, expanded as systemd does: specifiers first,
# then ${NAME} as one argument and $NAME split at blanks. Anything else in the
# unit (quotes, escapes, prefixes, other specifiers) fails the caller's test
# rather than being run differently from systemd.
# Sourced by bash scripts that define fail() and set home (the user's home).
shopt -u patsub_replacement 2>/dev/null || true  # an "&" in a value stays an "&"

unit_value() { sed -n "s/^$2=//p" "$1"; }
env_value() { sed -n "s/^[[:space:]]*$2=//p" "$1" | tail -n1 | sed 's/^[[:space:]]*//; s/[[:space:]]*$//'; }
specifiers() {  # specifiers TEXT INSTANCE
  local text=$1
  [[ "$text" =~ %[^iEh%] ]] && fail "unit uses a specifier this test does not expand: $text"
  text=${text//%i/$2}
  text=${text//%E/$home/.config}
  text=${text//%h/$home}
  printf '%s' "${text//%%/%}"
}
unit_command() {  # unit_command UNIT INSTANCE ENVFILE: the argument vector, one a line
  local exec_start word name part
  exec_start=$(specifiers "$(unit_value "$1" ExecStart)" "$2")
  [[ "$exec_start" =~ [\"\'\\] || "$exec_start" =~ ^[-@:+!] ]] &&
    fail "ExecStart uses quoting or a prefix this test does not expand: $exec_start"
  set -f  # split at blanks, as systemd does, but expand no pattern
  for word in $exec_start; do
    if [[ "$word" =~ ^\$([A-Za-z_][A-Za-z0-9_]*)$ ]]; then
      for part in $(env_value "$3" "${BASH_REMATCH[1]}"); do printf '%s\n' "$part"; done
    else
      while [[ "$word" =~ \$\{([A-Za-z_][A-Za-z0-9_]*)\} ]]; do
        name=${BASH_REMATCH[1]}
        word=${word//"\${$name}"/$(env_value "$3" "$name")}
      done
      printf '%s\n' "$word"
    fi
  done
  set +f
}
