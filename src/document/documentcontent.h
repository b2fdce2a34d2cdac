#pragma once

#include "document/filelayout.h"
#include "document/linekind.h"
#include "document/loadreport.h"
#include "document/rowstore.h"

#include <QByteArray>

#include <array>

namespace tarnel {

// What an IDE file holds once read: the six tables' rows and the path lines.
struct DocumentContent {
    std::array<RowStore, lineKindCount> tables;
    // The path sections' lines as read, joined by CR LF.
    QByteArray pathText;
    // The file's lines for a save that keeps them, and what is worth telling of them.
    FileLayout layout;
    LoadReport report;

    RowStore& table(LineKind kind) { return tables[size_t(kind)]; }
    const RowStore& table(LineKind kind) const { return tables[size_t(kind)]; }
};

} // namespace tarnel
