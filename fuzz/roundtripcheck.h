#pragma once

#include <QByteArrayView>
#include <QString>

// What must hold for any bytes handed to the loader, checked by the fuzz target
// and by the regression test that replays what it found:
// - reading never crashes;
// - the saved form, read again, gives the same tables (every value of every
//   row, in order; styles aside) and the same path store;
// - saving that again gives the same bytes apart from the header line;
// - the streamed save (the one the editor uses) writes what formatIde makes,
//   and so does a document that took the content over.
// Returns an empty string when all hold, else a description of the first fault.
QString roundTripFault(QByteArrayView input);
