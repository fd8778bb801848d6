# How the sanitizers report, for the tests of a build with -DMKD_SANITIZE=ON.
# Sourced by scripts/test.sh; source it yourself before running ctest in
# such a build by hand:  . tests/sanitizers/env.sh && ctest --test-dir build-asan
#
# Every error stops the test that hit it. Leaks are reported at exit, except
# those listed (each with its reason) in lsan.supp; ubsan.supp lists what is
# left out of UBSan's report, each with its reason.
sanitizer_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$sanitizer_dir/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:suppressions=$sanitizer_dir/ubsan.supp"
unset sanitizer_dir
