#include "cutshortinput.h"

#include "document/filereplacement.h"
#include "texts/clitexts.h"
#include "texts/texts.h"

#include <QByteArray>

#include <algorithm>
#include <csignal>
#include <cstring>

#include <unistd.h>

namespace tarnel::cli {

namespace {

// The line told, made before any signal: the handler may only copy bytes out.
char message[512];
size_t messageSize = 0;

extern "C" void onBusError(int)
{
    // Only what a signal handler may call: unlink, write and _exit.
    if (const char* name = unfinishedFileName())
        ::unlink(name);
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, message, messageSize);
    ::_exit(1);
}

} // namespace

void leaveWhenInputCutShort()
{
    const QByteArray line =
        (texts::cliName + QStringLiteral(": ") + texts::cliInputCutShort + QLatin1Char('\n')).toLocal8Bit();
    messageSize = std::min(size_t(line.size()), sizeof message);
    std::memcpy(message, line.constData(), messageSize);
    struct sigaction action {};
    action.sa_handler = onBusError;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGBUS, &action, nullptr);
}

} // namespace tarnel::cli
