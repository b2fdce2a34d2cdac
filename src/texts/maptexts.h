#pragma once

// The texts of a map's checks (src/map): the findings' messages, shared by
// tarnel-cli and the window.

#include <QString>

namespace tarnel {

namespace texts {

// "PATH:LINE: error: MESSAGE", as compilers write a finding.
inline const QString mapError = QStringLiteral("error");
inline const QString mapWarning = QStringLiteral("warning");

} // namespace texts

} // namespace tarnel
