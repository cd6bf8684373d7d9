// The subcommands of the ssl2 tool.  Each Add...Command registers one or a few
// subcommands with their options on `app`; when the subcommand runs, its exit
// code (TExitCode) is stored in `status`.  Failures that end a subcommand are
// raised as RCToolError and reported by main.
#pragma once

#include <CLI/CLI.hpp>

namespace ssl2tool {

/// check TICKET...
void AddCheckCommand(CLI::App& app, int& status);
/// show TICKET [--json]
void AddShowCommand(CLI::App& app, int& status);
/// convert, embed and cfg: the ticket written in another form.
void AddConvertCommands(CLI::App& app, int& status);
/// deliver, normalize and queue: the job copied into directories.
void AddDeliveryCommands(CLI::App& app, int& status);
/// capas INI... [--plotter NAME|auto] [--statement NAME]
void AddCapasCommand(CLI::App& app, int& status);
/// preflight TICKET --capas INI... [--plotter NAME|auto] [--json] [--fix -o OUT]
void AddPreflightCommand(CLI::App& app, int& status);
/// preview TICKET [--capas INI... --plotter NAME|auto] [-o OUT.html] [--svg DIR]
void AddPreviewCommand(CLI::App& app, int& status);
/// diff A B [--json]
void AddDiffCommand(CLI::App& app, int& status);

}  // namespace ssl2tool
