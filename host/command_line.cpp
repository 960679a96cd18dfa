// Parsing the stand-in's arguments.
#include "host/command_line.h"

#include <cstdlib>
#include <map>

#include "model/node_kinds.h"

namespace tly {

namespace {

int choice(const std::string& value, const std::map<std::string, int>& choices) {
  auto found = choices.find(value);
  return found == choices.end() ? -1 : found->second;
}

const std::map<std::string, int> kOnOff{{"on", 1}, {"off", 0}};

}  // namespace

std::string hostUsage() {
  return "usage: TessalyHost.exe [--plugin DLL]\n"
         "         prints what Tessaly sees of the plug-in\n"
         "       TessalyHost.exe DOCUMENT [--current PATH]\n"
         "         opens a document folder (or a .nodes list of nodes) in a window, with the plug-in's menu\n"
         "       TessalyHost.exe DOCUMENT --export document|branch [--branch PATH] --out FILE.chm\n"
         "                       [--rtf html|rtf|skip|link] [--plain-text html|text]\n"
         "                       [--full-text-search on|off] [--syntax on|off] [--pictures on|off]\n"
         "                       [--title TEXT] [--exclude PATH ...] [--current PATH] [--timeout SECONDS]\n"
         "                       [--build on|off]\n"
         "         makes the help file through the plug-in's windows, as a person would (with\n"
         "         --build off the window only opens, takes the options and closes)\n";
}

HostCommand parseHostCommand(const std::vector<std::string>& arguments) {
  HostCommand command;
  std::string exportScope;
  auto fail = [&](const std::string& message) {
    command.error = message;
    return command;
  };
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument.size() < 2 || argument.compare(0, 2, "--") != 0) {
      if (!command.document.empty()) return fail("more than one document: " + argument);
      command.document = argument;
      continue;
    }
    if (i + 1 == arguments.size()) return fail(argument + " needs a value");
    const std::string& value = arguments[++i];
    int* option = nullptr;
    std::map<std::string, int> choices = kOnOff;
    if (argument == "--plugin") {
      command.pluginPath = value;
    } else if (argument == "--export") {
      if (value != "document" && value != "branch") return fail("--export takes document or branch");
      exportScope = value;
    } else if (argument == "--branch") {
      command.branchPath = value;
    } else if (argument == "--current") {
      command.current = value;
    } else if (argument == "--out") {
      command.output = value;
    } else if (argument == "--title") {
      command.title = value;
    } else if (argument == "--exclude") {
      command.excluded.push_back(value);
    } else if (argument == "--timeout") {
      char* end = nullptr;
      long seconds = std::strtol(value.c_str(), &end, 10);
      if (value.empty() || *end != '\0' || seconds < 1 || seconds > 86400)
        return fail("--timeout takes a number of seconds from 1 to 86400");
      command.timeoutSeconds = static_cast<int>(seconds);
    } else if (argument == "--build") {
      option = &command.build;
    } else if (argument == "--rtf") {
      option = &command.options.convertHtml;
      choices = {{"html", t2c::kRtfToHtml}, {"rtf", t2c::kRtfArticle}, {"skip", t2c::kRtfSkip},
                 {"link", t2c::kRtfLinkPage}};
    } else if (argument == "--plain-text") {
      option = &command.options.plainTextAsHtml;
      choices = {{"html", 1}, {"text", 0}};
    } else if (argument == "--full-text-search") {
      option = &command.options.fullTextSearch;
    } else if (argument == "--syntax") {
      option = &command.options.syntax;
    } else if (argument == "--pictures") {
      option = &command.options.pictures;
    } else {
      return fail("unknown option " + argument);
    }
    if (option) {
      *option = choice(value, choices);
      if (*option < 0) return fail("unknown value " + value + " for " + argument);
    }
  }
  if (exportScope.empty()) {
    if (!command.output.empty() || !command.branchPath.empty() || !command.excluded.empty())
      return fail("--out, --branch and --exclude go with --export");
    command.mode = command.document.empty() ? HostCommand::Mode::Describe : HostCommand::Mode::Interactive;
    return command;
  }
  command.mode = HostCommand::Mode::Export;
  command.branch = exportScope == "branch";
  if (command.document.empty()) return fail("--export needs a document folder");
  if (command.output.empty()) return fail("--export needs --out FILE.chm");
  if (!command.branchPath.empty() && !command.branch) return fail("--branch goes with --export branch");
  return command;
}

}  // namespace tly
