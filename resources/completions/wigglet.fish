# fish completion for wigglet(1)

set -l commands shake stop toggle status doctor
set -l no_command "not __fish_seen_subcommand_from $commands"

complete -c wigglet -f
complete -c wigglet -n $no_command -a shake -d 'Shake for MINUTES (none or 0: indefinitely)'
complete -c wigglet -n $no_command -a stop -d 'Stop shaking'
complete -c wigglet -n $no_command -a toggle -d 'Shake indefinitely, or stop'
complete -c wigglet -n $no_command -a status -d 'Tell whether Wigglet shakes'
complete -c wigglet -n $no_command -a doctor -d 'Check what Wigglet reaches in this session'
complete -c wigglet -n $no_command -l settings -r -F -d 'Read and write the settings in another file'
complete -c wigglet -n $no_command -l trace -r -F -d 'Write a JSON line for everything Wigglet does'
complete -c wigglet -n $no_command -l verbose -d 'Log what the program does on standard error'
complete -c wigglet -l version -d 'Print the version and exit'
complete -c wigglet -s h -l help -d 'Print a usage summary and exit'
complete -c wigglet -n '__fish_seen_subcommand_from shake' -a '0 5 10 30 60 120 240 480 540 720' -d Minutes
complete -c wigglet -n '__fish_seen_subcommand_from status doctor' -l json -d 'Print one JSON object'
