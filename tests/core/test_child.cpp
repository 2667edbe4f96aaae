// A small console program that the process-helper tests start as a real
// child. Usage:
//   test_child echo <text> <exit code>   writes <text> to stdout, exits
//   test_child silent <exit code>        writes nothing, exits
//   test_child cat                        copies stdin to stdout until EOF
//   test_child args ...                   writes each argument on its own line
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "echo") == 0 && argc >= 4) {
    std::fputs(argv[2], stdout);
    std::fflush(stdout);
    return std::atoi(argv[3]);
  }
  if (argc >= 2 && std::strcmp(argv[1], "silent") == 0 && argc >= 3) return std::atoi(argv[2]);
  if (argc >= 2 && std::strcmp(argv[1], "cat") == 0) {
    int c;
    while ((c = std::getchar()) != EOF) std::putchar(c);
    std::fflush(stdout);
    return 0;
  }
  if (argc >= 2 && std::strcmp(argv[1], "args") == 0) {
    for (int i = 2; i < argc; ++i) std::printf("%s\n", argv[i]);
    std::fflush(stdout);
    return 0;
  }
  return 99;
}
