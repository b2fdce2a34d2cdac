#pragma once

// The texts of a map's checks (src/map): the findings' messages, shared by
// tarnel-cli and the window. %1 is the ID wherever there is one.

#include <QString>

namespace tarnel {

namespace texts {

// "PATH:LINE: error: MESSAGE", as compilers write a finding.
inline const QString mapError = QStringLiteral("error");
inline const QString mapWarning = QStringLiteral("warning");

// A place of the map in a message: %1 the file as shown, %2 its line.
inline const QString mapPlace = QStringLiteral("%1:%2");

// ---- Level lists and folders ------------------------------------------------
// %1 the path as the list writes it.
inline const QString mapListedFileMissing = QStringLiteral("%1: file not found");
inline const QString mapListNamesItself = QStringLiteral("%1: the list names itself; not read as a map file");
inline const QString mapLeavesGameFolder = QStringLiteral("%1: the path leaves the game folder; not read");
inline const QString mapListNamesNothing = QStringLiteral("the list names no IDE or IPL file");
inline const QString mapFolderNote =
    QStringLiteral("every IDE and IPL file below this folder is read, stray copies beside the real files too");
inline const QString mapFolderLoop = QStringLiteral("a folder reached again through a link; not read again");
inline const QString mapNoSuchOperand = QStringLiteral("no such file or folder");
// %1 the system's reason.
inline const QString mapCannotRead = QStringLiteral("cannot read: %1");
inline const QString mapBinaryPlacements = QStringLiteral("binary placement file; not read");
inline const QString mapBinaryFile =
    QStringLiteral("the file holds binary data (NUL bytes); its text lines are read");
inline const QString mapEmptyFile = QStringLiteral("empty file");

// ---- IDs across the map -------------------------------------------------------
// %2 the place of the first definition.
inline const QString mapIdDefinedAgain = QStringLiteral("ID %1 defined again; first defined at %2");
inline const QString mapIdUndefined = QStringLiteral("ID %1 is defined by no IDE file");
// %2 how many listed IDE files were not found.
inline const QString mapIdUndefinedSomeMissing =
    QStringLiteral("ID %1 is defined by no IDE file read (%2 listed IDE files not found)");
// %2 the name here, %3 the definition's name, %4 its place.
inline const QString mapNameDiffers = QStringLiteral("ID %1 is named %2 here, but %3 at its definition %4");
// Appended to it when the name here is another ID's: %1 the name, %2 that ID, %3 its place.
inline const QString mapNameIsOtherId = QStringLiteral("; %1 is ID %2 (%3)");
// %2 the limit.
inline const QString mapIdAtLimit = QStringLiteral("ID %1 is not below the ID limit %2");
inline const QString mapIdTooWide = QStringLiteral("ID %1 lies beyond 64 bits; not compared");

// ---- Moving IDs -------------------------------------------------------------------
// Why a move is refused. %1 the last new ID, %2 the limit.
inline const QString moveReachesLimit =
    QStringLiteral("The new IDs would reach the ID limit %2 (the last would be %1); set the limit to 0 for none");
// %1 the new ID, %2 the place of the line defining it.
inline const QString moveTargetDefined = QStringLiteral("ID %1 is already defined at %2");
inline const QString moveIdDefinedNowhere = QStringLiteral("ID %1 is defined nowhere in the map");
inline const QString moveNothingToMove = QStringLiteral("no ID to move");
// What is wrong with IDs written as ranges ("3465-3470,3480"): %1 the piece.
inline const QString idRangesEmpty = QStringLiteral("no IDs given");
inline const QString idRangesBadPiece = QStringLiteral("%1 is not an ID or a range of IDs (A-B)");
inline const QString idRangesBackwards = QStringLiteral("%1: the range ends below its start");
inline const QString idRangesTooMany = QStringLiteral("%1: more IDs than can be moved at once");

// ---- One file's own lines -------------------------------------------------------
// %2 the LOD index, %3 the file's inst line count.
inline const QString mapLodOutOfRange =
    QStringLiteral("ID %1: LOD index %2 is not between -1 and the file's %3 inst lines");
// %2 this line's value count, %3 that of most inst lines of the file.
inline const QString mapInstValueCount =
    QStringLiteral("ID %1: inst line of %2 values, where most inst lines of the file have %3 (a missing comma?)");
// %2 the hour as written.
inline const QString mapHourOutOfRange = QStringLiteral("ID %1: timed object switches at hour %2, outside 0-23");
// %2 the draw distance as written.
inline const QString mapDrawDistance = QStringLiteral("ID %1: draw distance %2 is not a number above 0");
// %2 the mesh count as written, %3 the number of draw distances.
inline const QString mapMeshCount = QStringLiteral("ID %1: mesh count %2, but %3 draw distances");

} // namespace texts

} // namespace tarnel
