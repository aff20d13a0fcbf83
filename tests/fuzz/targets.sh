# Sourced: what each libFuzzer target reads, in one place for the test command's
# short runs and for the campaign (scripts/fuzz-campaign.sh).
#   quillmont_fuzz_options NAME   sets fuzz_seeds (folders of real files from elsewhere,
#                                 read and never written), fuzz_flags (more options, such
#                                 as single seed files) and fuzz_max_len (the largest input)
# Seeds that are not there (a clone without the real-file corpus) are left out.
# Every target also starts from its corpus in tests/fuzz/corpus/NAME, which the
# campaign keeps minimised.
quillmont_fuzz_options() {
  local root testdata
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
  testdata="${QUILLMONT_TESTDATA:-$root/../shared/testdata}"
  fuzz_seeds=()
  fuzz_flags=()
  fuzz_max_len=65536
  case "$1" in
    # Descriptors and manifests are a few KB; long inputs only slow every run down.
    fuzz_attribute_*)
      fuzz_seeds=("$testdata/text")
      local descriptors=("$testdata/j2me"/*.jad)
      [ -f "${descriptors[0]}" ] && fuzz_flags=(-seed_inputs="$(printf '%s,' "${descriptors[@]}" | sed 's/,$//')")
      fuzz_max_len=8192 ;;
    fuzz_zip_reader) fuzz_seeds=("$testdata/j2me" "$testdata/zip/go" "$testdata/zip/libzip" "$testdata/zip/minizip-ng" /usr/share/java) ;;
    # Up to a million UTF-16 units of pattern: nesting as deep as a hostile file can make it.
    fuzz_pattern_matcher) fuzz_seeds=("$root/tests/fuzz/seeds/pattern"); fuzz_max_len=2000004 ;;
    fuzz_pe_machine) fuzz_seeds=("$root/build/windows/bin") ;;
    fuzz_update_response) fuzz_seeds=("$root/tests/fuzz/seeds/update"); fuzz_max_len=8192 ;;
    # The input changes a laid-out machine: a few KB of edits reach every detector.
    fuzz_scanners) fuzz_max_len=16384 ;;
    fuzz_command_line|fuzz_template_expansion) fuzz_max_len=4096 ;;
  esac
  local corpus="$root/tests/fuzz/corpus/$1" seed present=()
  [ -d "$corpus" ] && fuzz_seeds=("$corpus" "${fuzz_seeds[@]}")
  for seed in "${fuzz_seeds[@]}"; do [ -d "$seed" ] && present+=("$seed"); done
  fuzz_seeds=("${present[@]}")
  return 0
}
