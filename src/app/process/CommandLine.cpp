#include "app/process/CommandLine.h"

#include <shellapi.h>

#include <cwchar>
#include <memory>

namespace {

struct LocalFreer {
  void operator()(wchar_t** arguments) const { LocalFree(arguments); }
};

}  // namespace

StartOptions ReadCommandLine(const wchar_t* commandLine) {
  StartOptions options;
  int count = 0;
  std::unique_ptr<wchar_t*, LocalFreer> arguments(CommandLineToArgvW(commandLine, &count));
  if (!arguments) return options;
  for (int i = 1; i < count; ++i)
    if (std::wcscmp(arguments.get()[i], L"--tray") == 0) options.tray = true;
  return options;
}
