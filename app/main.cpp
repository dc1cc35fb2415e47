// The `schematic` program: headless commands over compositions.
#include <cstdio>
#include <cstring>
#include <string>

namespace {

void printUsage() {
    std::puts("schematic - the node-graph view of a compositing application\n"
              "\n"
              "usage:\n"
              "  schematic help                 this text\n"
              "\n"
              "Commands to render, lay out and check compositions are being built;\n"
              "see README.md for the project's state.");
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "help") == 0 || std::strcmp(argv[1], "--help") == 0) {
        printUsage();
        return 0;
    }
    std::fprintf(stderr, "schematic: unknown command '%s' (try 'schematic help')\n", argv[1]);
    return 2;
}
