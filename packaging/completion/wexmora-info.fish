# fish completion for wexmora-info: one line per option of --help.
function __wexmora_info_keys
    set -l program (commandline -opc)[1]
    command $program --list 2>/dev/null
end

complete -c wexmora-info -f
complete -c wexmora-info -l brand -x -d 'Identify TEXT as the brand string'
complete -c wexmora-info -l identifier -x -d 'Use TEXT as the identifier'
complete -c wexmora-info -l language -x -a 'en\tEnglish ru\tRussian' -d 'The interface language'
complete -c wexmora-info -l stored-language -x -a '0\tRussian 1\tEnglish' -d 'Run as if this language were stored'
complete -c wexmora-info -l switch-language -x -a '0\tRussian 1\tEnglish' -d 'Afterwards pick this language'
complete -c wexmora-info -l json -d 'Print the data sheet as JSON'
complete -c wexmora-info -l dump-controls -d 'Print every control of the window as JSON'
complete -c wexmora-info -l key -x -a '(__wexmora_info_keys)' -d 'Print the data sheet of a catalogue entry or table row'
complete -c wexmora-info -l explain -d 'Show why the processor is identified as it is'
complete -c wexmora-info -l brands -r -F -d 'Identify each line of a file as a brand string'
complete -c wexmora-info -l csv -d 'With --brands: a header row and RFC 4180 records'
complete -c wexmora-info -l catalogue-only -d 'Answer from the built-in catalogue alone'
complete -c wexmora-info -l prometheus -d 'Print the data sheet as Prometheus metrics'
complete -c wexmora-info -l prometheus-file -r -F -d 'Write the metrics into a file, replaced whole'
complete -c wexmora-info -l list -d 'Print the catalogue keys'
complete -c wexmora-info -s h -l help -d 'Print the option list'
complete -c wexmora-info -l version -d 'Print the version'
