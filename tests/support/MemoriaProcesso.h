#pragma once
// The process's resident memory as the kernel counts it, for the benchmarks
// that report what a step took and the tests that bound it.
#include <fstream>
#include <string>

// From /proc/self/status, in MB: "VmRSS" now or "VmHWM", the peak since the
// last ZeraPico().
inline double MemoriaMB(const char* campo) {
  std::ifstream f("/proc/self/status");
  std::string nome;
  while (f >> nome) {
    if (nome == std::string(campo) + ":") {
      double kb = 0.0;
      f >> kb;
      return kb / 1024.0;
    }
    f.ignore(1 << 20, '\n');
  }
  return 0.0;
}

// Resets the peak to the current resident size (Linux 4.0 on).
inline void ZeraPico() {
  std::ofstream f("/proc/self/clear_refs");
  f << "5";
}
