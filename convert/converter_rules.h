// The converter library call's rules that need no platform: where it is looked for, its texts, line ends.
#pragma once

#include <string>
#include <vector>

namespace t2c {

constexpr char kConverterLibraryName[] = "irun.dll";
constexpr char kConverterEntryPoint[] = "EXRTF2WEB";

// Why a conversion failed; the caller logs its own line and drops these.
constexpr char kCannotLoadConverter[] = "Cannot load irun dll";
constexpr char kCannotWriteTempFile[] = "Cannot write to temp file";
constexpr char kCannotFindEntryPoint[] = "Cannot find entry point EXRTF2WEB";
constexpr char kBadConverterCall[] = "Bad call on EXRTF2WEB";
constexpr char kCannotReadBufferFile[] = "Cannot read from buffer file";

// The paths tried, in order, to load the library: the library in the given place (a folder, with
// one "\" put between), the place itself as a library path, then the bare name for the
// platform's own search. An empty place leaves only the bare name.
std::vector<std::string> converterLibraryCandidates(const std::string& libraryPlace,
                                                    const std::string& libraryName);

// Why a conversion failed once the library has been called, or null when its HTML is to be read:
// a library that returned zero yet wrote the HTML file made a bad call, and one that did not
// write it left nothing to read, whatever it returned.
const char* converterCallFailure(bool returnedNonZero, bool wroteOutput);

// The converter's output as a text-mode reader sees it, line by line: every line, the last
// included even without a line end, ends in "\r\n"; a "\r\n" pair in the file counts as one end.
std::string linesEndingInCrLf(const std::string& fileBytes);

}  // namespace t2c
