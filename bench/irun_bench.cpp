// Throughput of the RTF-to-HTML engine over a corpus, per writer, against a baseline converter.
// irun_bench [--baseline "unrtf --html"] [FILE.rtf ...]; with no files, a generated document.
// Files are grouped by the writer prefix of their names (lo_, abi_, pandoc_, ...); names beginning
// with edge_ are hand-written parser tests and count in no writer figure.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#if !defined(_WIN32)
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
#endif

#include "base/whole_file.h"
#include "irun.h"

namespace {

struct Input {
    std::string path, writer, data;
};

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

std::string writerOf(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    size_t underscore = name.find('_');
    return underscore == std::string::npos ? std::string("other") : name.substr(0, underscore);
}

template <typename Work>
double bestOfThree(Work work) {
    double best = 1e30;
    for (int round = 0; round < 3; ++round) {
        auto start = std::chrono::steady_clock::now();
        work();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

double engineSeconds(const std::vector<const Input*>& inputs, size_t& outBytes) {
    irun::ConvertOptions options;
    return bestOfThree([&] {
        outBytes = 0;
        for (const Input* in : inputs) outBytes += irun::rtfToHtml(in->data, options).size();
    });
}

#if !defined(_WIN32)
std::vector<std::string> splitWords(const std::string& command) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < command.size()) {
        size_t end = command.find(' ', i);
        if (end == std::string::npos) end = command.size();
        if (end > i) words.push_back(command.substr(i, end - i));
        i = end + 1;
    }
    return words;
}

// Runs the command with the file as its last argument, its output thrown away.
bool runCommand(const std::vector<std::string>& words, const std::string& file) {
    std::vector<char*> argv;
    for (const std::string& w : words) argv.push_back(const_cast<char*>(w.c_str()));
    argv.push_back(const_cast<char*>(file.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid;
    int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return false;
    int status = 0;
    waitpid(pid, &status, 0);
    return true;
}

// The baseline runs one process per file: it has no batch mode. Its start-up alone is timed
// on an empty document, so that the figures can be read with and without it.
void compareWithBaseline(const std::string& command, const std::vector<const Input*>& inputs, double ours) {
    std::vector<std::string> words = splitWords(command);
    if (words.empty() || !runCommand(words, inputs.front()->path)) {
        std::printf("baseline \"%s\" cannot be run\n", command.c_str());
        return;
    }
    double theirs = bestOfThree([&] {
        for (const Input* in : inputs) runCommand(words, in->path);
    });
    char emptyPath[] = "/tmp/irun_bench_XXXXXX";
    int fd = mkstemp(emptyPath);
    double startup = 0;
    if (fd >= 0) {
        static const char kEmpty[] = "{\\rtf1 }";
        ssize_t written = write(fd, kEmpty, sizeof kEmpty - 1);
        close(fd);
        if (written > 0)
            startup = bestOfThree([&] {
                for (size_t i = 0; i < inputs.size(); ++i) runCommand(words, emptyPath);
            });
        unlink(emptyPath);
    }
    std::printf("\nbaseline \"%s\", one process per file, best of 3: %.3f s (start-up alone %.3f s)\n",
                command.c_str(), theirs, startup);
    std::printf("engine, all files in one process, best of 3:   %.3f s\n", ours);
    std::printf("speed-up: %.1f times, %.1f times without the baseline's start-up\n", theirs / ours,
                (theirs - startup) / ours);
}
#endif

}  // namespace

int main(int argc, char** argv) {
    std::string baseline;
    std::vector<Input> inputs;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--baseline" && i + 1 < argc) {
            baseline = argv[++i];
            continue;
        }
        Input in{arg, writerOf(arg), std::string()};
        std::string error;
        if (!base::readWholeFile(arg, in.data, &error)) {
            std::fprintf(stderr, "irun_bench: %s\n", error.c_str());
            return 1;
        }
        inputs.push_back(std::move(in));
    }
    if (inputs.empty()) inputs.push_back({"generated", "generated", generatedDocument(32u << 20)});

    std::map<std::string, std::vector<const Input*>> groups;
    std::vector<const Input*> writers;
    for (const Input& in : inputs) {
        groups[in.writer].push_back(&in);
        if (in.writer != "edge") writers.push_back(&in);
    }
    std::printf("%-12s %6s %10s %10s %10s\n", "writer", "files", "MB in", "seconds", "MB/s");
    for (const auto& group : groups) {
        size_t bytes = 0, outBytes = 0;
        for (const Input* in : group.second) bytes += in->data.size();
        double seconds = engineSeconds(group.second, outBytes);
        std::printf("%-12s %6zu %10.2f %10.4f %10.1f\n", group.first.c_str(), group.second.size(), bytes / 1e6,
                    seconds, bytes / 1e6 / seconds);
    }
    if (writers.empty()) return 0;
    size_t bytes = 0, outBytes = 0;
    for (const Input* in : writers) bytes += in->data.size();
    double ours = engineSeconds(writers, outBytes);
    std::printf("%-12s %6zu %10.2f %10.4f %10.1f  (every writer, best of 3)\n", "all", writers.size(), bytes / 1e6,
                ours, bytes / 1e6 / ours);
    if (!baseline.empty()) {
#if defined(_WIN32)
        std::printf("a baseline command can only be timed in the native build\n");
#else
        compareWithBaseline(baseline, writers, ours);
#endif
    }
    return 0;
}
