// Runs velnor-analyze with arguments and collects what it prints.
#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

struct ToolResult {
  int status;          // exit status
  std::string output;  // standard output, or standard error when it failed
};

inline ToolResult runTool(const std::string& arguments) {
  const std::string command = std::string(VELNOR_ANALYZE) + " " + arguments + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return {-1, "popen failed"};
  std::string output;
  std::array<char, 4096> buffer;
  size_t n;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) output.append(buffer.data(), n);
  const int raw = pclose(pipe);
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, output};
}
