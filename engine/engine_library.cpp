// The shared library is the engine core linked whole; see CMakeLists.txt.
