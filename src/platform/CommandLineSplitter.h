#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// Splits a command line into words the way a Windows program's C runtime
// splits its own: blanks separate words, double quotes group, and backslashes
// are literal except before a double quote (2n backslashes and a quote give n
// backslashes and toggle quoting; 2n+1 give n backslashes and a literal
// quote). Inside quotes, a doubled quote is a literal quote.
QStringList splitArguments(const QString& arguments);

// The same for a whole command line, whose first word is the program. As for
// Windows, the program word knows no backslash escapes: quotes only group,
// and it runs to the first blank outside them.
QStringList splitCommandLine(const QString& commandLine);

} // namespace platform
