// A module that loads but has none of the print module's functions.
extern "C" __attribute__((visibility("default"))) int mkdSomethingElse() { return 0; }
