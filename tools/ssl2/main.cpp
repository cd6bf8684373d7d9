// ssl2: the command-line tool over the ssl2 library.  A thin main: the subcommands
// live in their own files (Commands.h); this file maps every way of ending to the
// tool's exit codes.
#include <cerrno>
#include <iostream>
#include <optional>

#include "tools/ssl2/Commands.h"
#include "tools/ssl2/ToolSupport.h"

int main(int argc, char** argv) {
    using namespace ssl2tool;
    CLI::App app{"ssl2 " SSL2_VERSION
                 ": check, show, convert, compare and deliver SSL job tickets; show plotter "
                 "capabilities and preflight tickets against them.\nExit codes: 0 ok, 1 the input "
                 "has errors, 2 usage or I/O error.",
                 "ssl2"};
    app.set_version_flag("--version", "ssl2 " SSL2_VERSION);
    app.require_subcommand(1);
    app.fallthrough();

    // The library's log on standard error: -v severe messages, -vv also warnings, -vvv
    // information, -vvvv trace; -q nothing.  Without either, SSL2_LOG_LEVEL (and
    // SSL2_LOG_FILE) decide.
    int verbosity = 0;
    bool quiet = false;
    app.add_flag("-v,--verbose", verbosity,
                 "Log the library's messages to standard error, one more level per -v "
                 "(1 severe, 2 warnings, 3 information, 4 trace)");
    app.add_flag("-q,--quiet", quiet, "Log nothing, whatever SSL2_LOG_LEVEL and -v say");
    std::optional<RCFileLog> log;
    std::optional<RCScopedLog> logScope;
    app.parse_complete_callback([&] {
        if (quiet || verbosity > 0) {
            log.emplace(stderr, quiet ? 0 : verbosity);
            logScope.emplace(&*log);
        }
    });

    int status = kExitOk;
    AddCheckCommand(app, status);
    AddShowCommand(app, status);
    AddConvertCommands(app, status);
    AddDeliveryCommands(app, status);
    AddCapasCommand(app, status);
    AddPreflightCommand(app, status);
    AddPreviewCommand(app, status);
    AddDiffCommand(app, status);

    // CLI11 would call an unknown word an argument it did not expect.
    if (argc > 1 && argv[1][0] != '-') {
        try {
            app.get_subcommand(argv[1]);
        } catch (const CLI::OptionNotFound&) {
            std::cerr << "ssl2: unknown subcommand " << argv[1] << " (see ssl2 --help)\n";
            return kExitUsage;
        }
    }
    try {
        app.parse(argc, argv);
        // Output that never arrived (a full disk, a closed pipe) is no success.
        std::cout.flush();
        if (!std::cout)
            ThrowIoError("cannot write", "standard output", errno);
    } catch (const CLI::ParseError& e) {
        // --help and --version end the parse too, successfully.
        return app.exit(e) == 0 ? kExitOk : kExitUsage;
    } catch (const RCToolError& e) {
        std::cout.flush();
        std::cerr << "ssl2: " << e.what() << '\n';
        return e.GetCode();
    } catch (const TException& e) {
        std::cout.flush();
        std::cerr << "ssl2: " << e.what() << '\n';
        ClearError();
        return kExitUsage;
    } catch (const std::bad_alloc&) {
        std::cout.flush();
        std::cerr << "ssl2: out of memory\n";
        return kExitUsage;
    } catch (const std::exception& e) {
        std::cout.flush();
        std::cerr << "ssl2: " << e.what() << '\n';
        return kExitUsage;
    }
    return status;
}
