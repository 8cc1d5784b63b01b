#pragma once

#include <QString>
#include <QStringList>

namespace prefbookctl {

// A wrong command line: reported on one line, exit status 2, nothing written.
struct UsageError {
    QString message;
};
// A command that was understood but failed: exit status 1.
struct RunError {
    QString message;
};

// Runs the command named by the positional arguments ("overview" when there are none) and prints
// its result as text or JSON. Throws UsageError or RunError.
void RunCommand(const QStringList& args, bool json);

}  // namespace prefbookctl
