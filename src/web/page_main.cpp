// quorvane-page: writes quorvane.html from its template, the page's scripts (one
// after another, in the order given), the engine's script and its wasm. Runs
// under node at build time (the real file system).

#include <cstdio>
#include <exception>
#include <fstream>
#include <sstream>
#include <string>

#include "page.h"

namespace {

std::string slurp(const char* path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error(std::string("cannot read ") + path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 6) {
    std::fputs("Usage: quorvane-page TEMPLATE PAGE-SCRIPT... ENGINE-SCRIPT ENGINE-WASM OUTPUT\n",
               stderr);
    return 2;
  }
  try {
    std::string pageScript;
    for (int i = 2; i < argc - 3; ++i) pageScript += slurp(argv[i]) + "\n";
    const std::string html = quorvane::web::page(slurp(argv[1]), pageScript, slurp(argv[argc - 3]),
                                                 slurp(argv[argc - 2]));
    std::ofstream out(argv[argc - 1], std::ios::binary);
    out << html;
    if (!out.flush()) throw std::runtime_error(std::string("cannot write ") + argv[argc - 1]);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "quorvane-page: %s\n", error.what());
    return 1;
  }
  return 0;
}
