// fontconfig keeps its configuration, built when Qt first looks for a font,
// for the life of the process and never frees it: one allocation pair that is
// not ours. Only these GUI test programs load fonts, so only they carry this.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so.1\n"; }
