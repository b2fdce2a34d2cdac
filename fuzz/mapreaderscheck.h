#pragma once

#include <QByteArrayView>
#include <QString>

// What must hold for any bytes read as a level list, an IDE file or an IPL
// file of a map, checked by the fuzz target and the regression test that
// replays its seeds:
// - reading never crashes or hangs;
// - every listed file, definition, reference and finding lies on a line of
//   the bytes (0 for the file as a whole), in line order;
// - a map of the IDE facts read twice finds each definition of the second
//   copy defined again, and taking a file's facts out and putting them back
//   leaves the findings as they were.
// Returns an empty string when all hold, else a description of the first fault.
QString mapReadersFault(QByteArrayView input);
