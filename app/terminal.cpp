#include "terminal.h"

#include <cstdio>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

bool morvane::standardErrorIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

void morvane::useBinaryStandardStreams()
{
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
}
#else
#include <unistd.h>

bool morvane::standardErrorIsTerminal() { return isatty(fileno(stderr)) != 0; }

void morvane::useBinaryStandardStreams() {}
#endif
