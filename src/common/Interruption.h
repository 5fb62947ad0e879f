#pragma once

// Ctrl+C and SIGTERM for the command line: they end the process at once, except while a
// change of several files is under way; that one is finished or taken back first.
namespace Interruption
{

// Installs the handlers of SIGINT and SIGTERM.
void install();

// While one lives, a signal only waits.
class Shield
{
public:
    Shield();
    ~Shield();
    Shield(const Shield &) = delete;
    Shield &operator=(const Shield &) = delete;
};

// A signal came while shielded.
bool requested();
// Ends the process by the signal that came, if one did.
void endIfRequested();

} // namespace Interruption
