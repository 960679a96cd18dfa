// Command-line front end: rtf2html [--codepage N] IN.rtf OUT.html
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "irun.h"

int main(int argc, char** argv) {
    irun::ConvertOptions options;
    const char* paths[2] = {nullptr, nullptr};
    int count = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--codepage") == 0 && i + 1 < argc) {
            options.outputCodePage = std::atoi(argv[++i]);
        } else if (std::strncmp(argv[i], "--codepage=", 11) == 0) {
            options.outputCodePage = std::atoi(argv[i] + 11);
        } else if (std::strcmp(argv[i], "--background") == 0 && i + 1 < argc) {
            options.background = argv[++i];
        } else if (count < 2 && argv[i][0] != '-') {
            paths[count++] = argv[i];
        } else {
            count = 3;
            break;
        }
    }
    if (count != 2 || options.outputCodePage <= 0) {
        std::fprintf(stderr, "usage: rtf2html [--codepage N] [--background RRGGBB] IN.rtf OUT.html\n"
                             "  N is a Windows code page (default 1252; 65001 for UTF-8)\n");
        return 2;
    }
    std::string error;
    if (irun::convertFile(paths[0], paths[1], options, &error) == irun::ConvertStatus::Ok) return 0;
    std::fprintf(stderr, "rtf2html: %s\n", error.c_str());
    return 1;
}
