// velnor-analyze: the computer player and the rules from the command line.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <vector>

#include "command.h"

namespace {

std::vector<CommandSetup>& registry() {
  static std::vector<CommandSetup> setups;
  return setups;
}

}  // namespace

CommandRegistration::CommandRegistration(CommandSetup setup) {
  registry().push_back(setup);
}

void setupRegisteredCommands(CLI::App& app) {
  for (CommandSetup setup : registry()) setup(app);
}

int main(int argc, char** argv) {
  CLI::App app{"velnor-analyze: the rules and the computer player of Velnor Part1"};
  app.set_version_flag("--version", "velnor-analyze " VELNOR_VERSION, "the version, then exit");
  app.require_subcommand(1);
  setupRegisteredCommands(app);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    std::fprintf(stderr, "velnor-analyze: %s\n", e.what());
    return 2;
  } catch (const UsageError& e) {
    std::fprintf(stderr, "velnor-analyze: %s\n", e.what());
    return 2;
  }
  return 0;
}
