// Throughput of the RTF-to-HTML engine: irun_bench [FILE.rtf ...]; with no files, a generated document.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "irun.h"

namespace {

// A document in the style word processors write: styles, tables, lists, fields and code pages.
std::string generatedDocument(size_t targetBytes) {
    std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}"
        "{\\f1\\fmodern\\fcharset204 Courier New;}}{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
        "{\\stylesheet{\\s0 Normal;}{\\s1\\sbasedon0\\b\\fs32 heading 1;}}\n";
    size_t n = 0;
    while (rtf.size() < targetBytes) {
        ++n;
        rtf += "\\pard\\plain\\s1 Section " + std::to_string(n) + "\\par\n";
        rtf += "\\pard\\plain\\qj\\sa120 Plain text with {\\b bold}, {\\i italic} and {\\cf1 red} words, "
               "\\'e9t\\'e9 and \\u8364?, a {\\field{\\*\\fldinst HYPERLINK \"http://example.org/\"}"
               "{\\fldrslt link}} and {\\f1 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}.\\par\n";
        rtf += "\\trowd\\cellx3000\\cellx6000\\pard\\intbl cell one\\cell cell two\\cell\\row\n";
        rtf += "\\pard\\plain{\\pntext\\'b7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}\\fi-360\\li720 item\\par\n";
    }
    rtf += "}";
    return rtf;
}

bool readFile(const char* path, std::string& data) {
    std::FILE* file = std::fopen(path, "rb");
    if (!file) return false;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) data.append(buffer, n);
    std::fclose(file);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> inputs;
    for (int i = 1; i < argc; ++i) {
        std::string data;
        if (!readFile(argv[i], data)) {
            std::fprintf(stderr, "irun_bench: cannot read %s\n", argv[i]);
            return 1;
        }
        inputs.push_back(std::move(data));
    }
    if (inputs.empty()) inputs.push_back(generatedDocument(32u << 20));
    size_t bytes = 0;
    for (const auto& in : inputs) bytes += in.size();
    irun::ConvertOptions options;
    double best = 1e30;
    size_t outBytes = 0;
    for (int round = 0; round < 3; ++round) {
        auto start = std::chrono::steady_clock::now();
        outBytes = 0;
        for (const auto& in : inputs) outBytes += irun::rtfToHtml(in, options).size();
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (seconds < best) best = seconds;
    }
    std::printf("inputs: %zu, %.2f MB in, %.2f MB out\n", inputs.size(), bytes / 1e6, outBytes / 1e6);
    std::printf("best of 3: %.3f s, %.1f MB/s\n", best, bytes / 1e6 / best);
    return 0;
}
