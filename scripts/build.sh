# Sourced: configures and builds the Windows programs into build/bin with the MinGW-w64 toolchain.
skimdex_build_windows() {
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
  cmake --build build
}
