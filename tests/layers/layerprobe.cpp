// Compiled once for each library and header in CMakeLists.txt beside it: it
// builds only when the header is visible exactly when the library links the
// header's layer.
#if __has_include(TARNEL_PROBE_HEADER) != TARNEL_PROBE_VISIBLE
#error "a header is visible to a library that does not link its layer, or hidden from one that does"
#endif
