// The subcommands of velnor-analyze register themselves here, one file each.
#pragma once

#include <stdexcept>
#include <string>

namespace CLI {
class App;
}

// Bad input: main prints the message as one line on standard error and exits with status 2.
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

using CommandSetup = void (*)(CLI::App& app);

// A file-scope instance adds a subcommand: its setup adds the options and the callback.
struct CommandRegistration {
  explicit CommandRegistration(CommandSetup setup);
};

void setupRegisteredCommands(CLI::App& app);
