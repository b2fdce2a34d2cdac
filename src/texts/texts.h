#pragma once

// Every text the user reads: the title, captions, messages and the version.
// They are kept here, exactly as shown, so that wording is changed in one
// place and a test can compare against the same constant the program shows.

#include <QLocale>
#include <QString>
#include <QStringList>

namespace tarnel {

namespace texts {

// ---- The program -----------------------------------------------------------

inline const QString appTitle = QStringLiteral("Tarnel");
inline const QString version = QStringLiteral("Beta 0.1");
inline const QString homePageHost = QStringLiteral("tarnel.example.org");
inline const QString homePage = QStringLiteral("https://tarnel.example.org/");
inline const QString ready = QStringLiteral("Tarnel ready");
inline const QString aboutTitle = QStringLiteral("About Tarnel");
inline const QString aboutVersion = QStringLiteral("Version ") + version;
inline const QString aboutBuilt = QStringLiteral("Built 16-Feb-04");
inline const QString aboutCredits = QStringLiteral("Written by the Tarnel developers");
inline const QString lineBreak = QStringLiteral("\r\n");

// A line of the file as the texts name it: "line 1,204". The load report and
// the tables' row headers show the bare number.
inline QString fileLineNumber(qsizetype line)
{
    return QLocale(QLocale::English).toString(qlonglong(line));
}

// ---- Command line ----------------------------------------------------------

inline const QString cliName = QStringLiteral("tarnel-cli");
inline const QString appDescription = QStringLiteral("IDE file editor");
inline const QString fileArgument = QStringLiteral("file");
inline const QString fileArgumentHelp =
    QStringLiteral("The IDE file to open; a path with spaces may be in double quotes.");
// Below the editor's --help; %1 is the settings file it uses.
inline const QString settingsWhere =
    QStringLiteral("Settings: %1\n"
                   "(beside the program, or in the per-user configuration folder\n"
                   "when the program's folder is not writable)");
// tarnel-cli on standard error, after "tarnel-cli: ". A file as given: "-" is
// standard input or output.
inline const QString cliStandardInput = QStringLiteral("standard input");
inline const QString cliStandardOutput = QStringLiteral("standard output");
// A fixed-layout format that drops lines: %1 how many, %2 the input (one
// wording for any count, as scripts may look for it).
inline const QString cliDroppedLines = QStringLiteral(
    "%1 lines not kept by the fixed layout: tarnel-cli report %2 lists them; --keep-layout keeps them");
// What is wrong with a command line, said before the usage.
inline const QString cliNoCommand = QStringLiteral("no command given");
inline const QString cliUnknownCommand = QStringLiteral("unknown command %1");
inline const QString cliUnknownSection = QStringLiteral("unknown section %1");
inline const QString cliUnknownOption = QStringLiteral("unknown option %1");
// %1 the command, %2 the argument's placeholder ("format: missing OUT") or the argument.
inline const QString cliMissingArgument = QStringLiteral("%1: missing %2");
inline const QString cliExtraArgument = QStringLiteral("%1: unexpected argument %2");
inline const QString cliLateOption = QStringLiteral("%1: option %2 after the files: options go before them");
inline const QString cliMissingValue = QStringLiteral("%1 needs a value");
inline const QString cliBadCount = QStringLiteral("--count needs a whole number above 0, not %1");
inline const QString cliBadBound = QStringLiteral("%1 needs a whole number, not %2");
inline const QString cliBadIdLimit = QStringLiteral("--id-limit needs a whole number, 0 for none, not %1");
inline const QString cliNoSuchFolder = QStringLiteral("--game: no such folder %1");

// ---- Files: open, load, save -----------------------------------------------

// The name shown for a document that has no file yet.
inline const QString untitledName = QStringLiteral("empty");
// Filter of the open and save dialogs, in the "caption|pattern" form.
inline const QString ideFileFilter = QStringLiteral("IDE Files (*.ide)|*.ide");
inline const QString saveChangesTitle = QStringLiteral("Save changes?");
inline const QString saveChangesFile = QStringLiteral("File: ");
inline const QString saveChangesQuestion = QStringLiteral("Do you want to save changes?");
inline const QString notIdeFile = QStringLiteral("This is not an IDE file.");
inline const QString notIdeFileJoke =
    QStringLiteral("This is an Tarnel. Try and guess why it wont open this file.");
inline const QString fileMissing = QStringLiteral("Does not exsist");
// A file named on the command line that is not there: the document takes its name.
inline const QString fileNotThereYet = QStringLiteral("New file: the first save creates it");
inline const QString fileUnreadable = QStringLiteral("Could not be read: ");
inline const QString fileUtf16 = QStringLiteral("Could not be read: it is UTF-16 text.");
inline const QString fileUtf16Advice = QStringLiteral("Save it as ANSI or UTF-8 text and open it again.");
inline const QString couldNotSave = QStringLiteral("Could not save ");
// The open file changed on disk, made so by another program.
inline const QString fileChangedReload =
    QStringLiteral("The file was changed by another program. Reload it from the disk?");
inline const QString fileChangedKeepingChanges =
    QStringLiteral("The file was changed by another program: Save will ask before writing over it");
inline const QString fileVanished = QStringLiteral("The file was deleted or moved away by another program");
inline const QString fileChangedBeforeSave =
    QStringLiteral("The file was changed by another program since it was opened.");
inline const QString fileVanishedBeforeSave =
    QStringLiteral("The file was deleted or moved away by another program since it was opened.");
inline const QString reload = QStringLiteral("Reload");
inline const QString saveAnyway = QStringLiteral("Save anyway");
// %1 the number of files dropped on the window at once.
inline const QString firstDroppedFileOpened = QStringLiteral("IDE File opened: the first of the %1 files dropped");
inline const QString fileReopened = QStringLiteral("File reopened");
inline const QString fileCreated = QStringLiteral("New file created");
inline const QString fileClosed = QStringLiteral("File closed");
inline const QString fileOpened = QStringLiteral("IDE File opened");
inline const QString fileOpenedReport = QStringLiteral("IDE File opened - ");
inline const QString inLoadReport = QStringLiteral(" in the load report");
inline const QString fileSaved = QStringLiteral("IDE File saved");
inline const QString droppedOne = QStringLiteral(" of this file is");
inline const QString droppedMany = QStringLiteral(" of this file are");
inline const QString droppedByLayout = QStringLiteral(" not kept by the Tarnel layout:");
inline const QString keepThem = QStringLiteral("Keep them");
inline const QString leaveThemOut = QStringLiteral("Leave them out");
inline const QString cancel = QStringLiteral("Cancel");
inline const QString loadErrorLine =
    QStringLiteral("The below line caused and error. Please correct or further errors could occur");
inline const QString loadErrorSilence = QStringLiteral("Do not show again for this file");
inline const QString oneMoreLoadError = QStringLiteral("There was 1 more load error in this file.");
inline const QString moreLoadErrors = QStringLiteral("There were %1 more load errors in this file.");
inline const QString loadErrorsListed = QStringLiteral("File > Load report lists every one.");

// Why an existing file was not read.
inline const QString notRegularFile = QStringLiteral("it is not a regular file");
inline const QString utf16File = QStringLiteral("it is UTF-16 text");

// Why a file was not saved, beside the system's own reasons and notRegularFile.
// %1 the folder, %2 the system's reason.
inline const QString folderRefusesFile = QStringLiteral("the folder %1 does not let a file be made in it: %2");
// Added to the reason when a file written in place could not get its old content back; %1 the copy.
inline const QString oldContentKeptIn = QStringLiteral("; its old content is kept in %1");
// Why files given new content together were all left as they were: %1 the file, %2 the reason.
inline const QString fileNotReplaced = QStringLiteral("%1: %2");

// Text that a file cannot hold (a character outside Latin-1, a line break where
// one line is meant); %1 names the field or text, as in "The line".
inline const QString unstorableText = QStringLiteral("%1 holds characters that an IDE file cannot store.");

// Why a line of a file is in the load report (%1 a count or a keyword).
inline const QString oneValueMissing = QStringLiteral("%1 value missing");
inline const QString valuesMissing = QStringLiteral("%1 values missing");
inline const QString otherSection = QStringLiteral("section %1");
inline const QString commentLine = QStringLiteral("comment");
inline const QString outsideSections = QStringLiteral("outside sections");
inline const QString effectFieldCount = QStringLiteral("2dfx line of %1 fields");
// The summary of the lines a save in the fixed layout leaves out: %1 names
// the sections, %2 (or %1) is a count of lines as oneLine or lines reads it.
inline const QString oneLine = QStringLiteral("%1 line");
inline const QString lines = QStringLiteral("%1 lines");
inline const QString oneOtherSectionSummary = QStringLiteral("section %1: %2");
inline const QString otherSectionsSummary = QStringLiteral("sections %1: %2");
inline const QString commentsSummary = QStringLiteral("comments: %1");
inline const QString outsideSummary = QStringLiteral("lines outside sections: %1");
inline const QString effectsSummary = QStringLiteral("2dfx lines of other field counts: %1");

// ---- Main window -----------------------------------------------------------
// The window's title: "Tarnel [ name ]", a "*" after it while the document is changed.
inline QString windowTitle(const QString& documentName, bool changed)
{
    return appTitle + QStringLiteral(" [ ") + documentName + QStringLiteral(" ]") +
           (changed ? QStringLiteral("*") : QString());
}

inline const QString menuFile = QStringLiteral("File");
inline const QString menuNew = QStringLiteral("New");
inline const QString menuOpen = QStringLiteral("Open");
inline const QString menuClose = QStringLiteral("Close");
inline const QString menuSave = QStringLiteral("Save");
inline const QString menuSaveAs = QStringLiteral("Save as");
inline const QString menuLoadReport = QStringLiteral("Load report");
inline const QString menuOpenRecent = QStringLiteral("Open recent");
// The map: a level list or a folder of IDE and IPL files, open as a whole.
inline const QString menuOpenMap = QStringLiteral("Open map\u2026");
inline const QString menuRecentMaps = QStringLiteral("Recent maps");
inline const QString menuSaveAll = QStringLiteral("Save all");
inline const QString levelListFilter = QStringLiteral("Level lists (*.dat)|*.dat|All files (*)|*");
inline const QString chooseMapFolder = QStringLiteral("Choose folder");
inline const QString mapPanelTitle = QStringLiteral("Map");
inline const QString gameFolderLabel = QStringLiteral("Game folder");
inline const QString gameFolderHint = QStringLiteral("The level list's own, when empty");
inline const QString idLimitLabel = QStringLiteral("ID limit");
inline const QString idLimitHint = QStringLiteral("From the inst lines, when empty; 0: none");
inline const QString mapFileMissing = QStringLiteral("%1 (not found)");
inline const QString mapOpened = QStringLiteral("Map opened: %1 files");
inline const QString mapClosed = QStringLiteral("Map closed");
inline const QString mapSaved = QStringLiteral("%1 files saved");
inline const QString mapNotReadable = QStringLiteral("No IDE or IPL file found for this map.");
inline const QString saveChangedFiles = QStringLiteral("Files changed:");
inline const QString menuExit = QStringLiteral("Exit");
inline const QString menuEdit = QStringLiteral("Edit");
inline const QString menuUndo = QStringLiteral("Undo");
inline const QString menuRedo = QStringLiteral("Redo");
inline const QString menuCutLines = QStringLiteral("Cu&t lines");
inline const QString menuCopyLines = QStringLiteral("&Copy lines");
inline const QString menuPasteInLine = QStringLiteral("Paste in line");
inline const QString menuFind = QStringLiteral("Find\u2026");
inline const QString menuGoToId = QStringLiteral("Go to ID\u2026");
// The filter field above a table and what it tells.
inline const QString filterHint = QStringLiteral("Text, an ID or a range of IDs (2000-2099)");
// "12 of 3,599 rows".
inline const QString filterCount = QStringLiteral("%1 of %2 rows");
inline const QString goToIdTitle = QStringLiteral("Go to ID");
inline const QString goToIdLabel = QStringLiteral("ID:");
inline const QString noLineWithId = QStringLiteral("No line with ID %1");
// Edit > "Set column…" (Ctrl+E): one column of many rows at once.
inline const QString menuSetColumn = QStringLiteral("Set column\u2026");
inline const QString setColumnTitle = QStringLiteral("Set column");
// Which rows it changes: "60 selected lines", "all 555,707 lines shown".
inline const QString setColumnOneSelected = QStringLiteral("1 selected line");
inline const QString setColumnSelected = QStringLiteral("%1 selected lines");
inline const QString setColumnAllShown = QStringLiteral("all %1 lines shown");
inline const QString setColumnColumn = QStringLiteral("Column:");
inline const QString setColumnSetTo = QStringLiteral("Set to:");
inline const QString setColumnReplace = QStringLiteral("Replace:");
inline const QString setColumnWith = QStringLiteral("with:");
inline const QString setColumnWholeValue = QStringLiteral("Whole value");
// The multiplier, read with its field: "× 0.5".
inline const QString setColumnMultiply = QStringLiteral("\u00d7");
inline const QString setColumnButton = QStringLiteral("Set");
inline const QString oneLineSet = QStringLiteral("1 line changed");
inline const QString linesSet = QStringLiteral("%1 lines changed");
// Edit > "Convert table layout…": objects and timed objects with or without a mesh count.
inline const QString menuConvertLayout = QStringLiteral("Convert table layout\u2026");
inline const QString convertLayoutTitle = QStringLiteral("Convert table layout");
// %1 and %2: layoutCounted or layoutLater, for the objects and the timed objects.
inline const QString layoutNow = QStringLiteral("Objects are now in the %1, timed objects in the %2.");
inline const QString layoutCounted = QStringLiteral("layout with a mesh count");
inline const QString layoutLater = QStringLiteral("later layout without a mesh count");
inline const QString convertToCounted =
    QStringLiteral("With a mesh count (6 values for one mesh, 8 for a timed object)");
inline const QString convertToLater =
    QStringLiteral("Later layout, without a mesh count (5 values, 7 for a timed object)");
inline const QString convertButton = QStringLiteral("Convert");
inline const QString closeButton = QStringLiteral("Close");
inline const QString linesConverted = QStringLiteral("%1 lines converted.");
// The lines left as they are, one a line: "Objects, line 12" (%1 the table's caption, %2 the file line).
inline const QString linesLeft = QStringLiteral("These lines cannot go to that layout and stay as they are:");
inline const QString lineLeft = QStringLiteral("%1, line %2");
inline const QString newLineLeft = QStringLiteral("%1, a new line");
// Edit > "Free IDs…": runs of unused object IDs.
inline const QString menuFreeIds = QStringLiteral("Free IDs\u2026");
inline const QString freeIdsTitle = QStringLiteral("Free IDs");
inline const QString freeIdsCount = QStringLiteral("Consecutive IDs needed:");
inline const QString freeIdsFrom = QStringLiteral("From:");
inline const QString freeIdsTo = QStringLiteral("To:");
inline const QString freeIdsRangeHint = QStringLiteral(
    "An empty field searches from the lowest ID used to as many IDs above the highest as are needed.");
inline const QString freeIdsOtherFiles = QStringLiteral("IDs of these files and folders count as used too:");
inline const QString freeIdsAddFiles = QStringLiteral("Add files\u2026");
inline const QString freeIdsAddFolder = QStringLiteral("Add folder\u2026");
inline const QString freeIdsRemove = QStringLiteral("Remove");
// Unticked, the IDs of commented-out lines count as used: switched on again, they must not collide.
inline const QString freeIdsFreeCommented = QStringLiteral("Count the IDs of commented-out lines as free");
inline const QString freeIdsBlocks = QStringLiteral("First free runs:");
inline const QString freeIdsCopy = QStringLiteral("Copy");
inline const QString freeIdsNone = QStringLiteral("No free run that long in this range");
// An added file or folder and its IDs: "maps/props.ide (120 IDs)"; %2 a count.
inline const QString freeIdsFileIds = QStringLiteral("%1 (%2 IDs)");
// An added file that cannot be read, or a folder holding such files: %2 why, or their names.
inline const QString freeIdsUnreadable = QStringLiteral("%1 (cannot be read: %2)");
// Between the reasons of several files of a folder that cannot be read.
inline const QString freeIdsReasonSeparator = QStringLiteral(", ");
// A free run of IDs: its first and last ID.
inline const QString freeIdsRun = QStringLiteral("%1\u2013%2");
inline const QString freeIdsNoSuchFile = QStringLiteral("no such file");
// Edit > "Move IDs…": the IDs of objects moved to a new range with every line of the map naming them.
inline const QString menuMoveIds = QStringLiteral("Move IDs\u2026");
inline const QString moveIdsTitle = QStringLiteral("Move IDs");
// Which rows move: the selection, else all rows the filter shows.
inline const QString moveIdsOfSelection = QStringLiteral("The %1 selected rows move (%2 IDs).");
inline const QString moveIdsOfOneRow = QStringLiteral("The selected row moves (%1 ID).");
inline const QString moveIdsOfShown = QStringLiteral("All %1 rows shown move (%2 IDs).");
inline const QString moveIdsNoRows = QStringLiteral("No row with an ID to move.");
inline const QString moveIdsFirstNewId = QStringLiteral("First new ID:");
inline const QString moveIdsKeepGaps = QStringLiteral("Keep gaps");
// The move as it stands: "IDs 100–119 become 5000–5019." and the limit it stays below.
inline const QString moveIdsWillMove = QStringLiteral("IDs %1\u2013%2 become %3\u2013%4.");
inline const QString moveIdsLimit = QStringLiteral("The map's ID limit is %1.");
inline const QString moveIdsNoLimit = QStringLiteral("The map has no ID limit.");
inline const QString moveIdsTypeFirst = QStringLiteral("Type the first new ID.");
inline const QString moveIdsNoFreeRun = QStringLiteral("No run of %1 free IDs below the ID limit.");
inline const QString moveIdsPreview = QStringLiteral("Preview\u2026");
// The preview: every line the move changes, per file.
inline const QString moveIdsPreviewTitle = QStringLiteral("Move IDs: the lines that change");
inline const QString moveIdsPreviewHeading =
    QStringLiteral("%1 lines change in %2 files. Nothing is changed before Apply.");
inline const QString moveIdsFileLines = QStringLiteral("%1 (%2 lines)");
// Lines of a file its document keeps as read (a comment among path lines): the move leaves them.
inline const QString moveIdsKeptLines =
    QStringLiteral("%1: %2 lines name a moved ID but are kept as they are; change them in a text editor");
inline const QString moveIdsLineColumn = QStringLiteral("Line");
inline const QString moveIdsBeforeColumn = QStringLiteral("Before");
inline const QString moveIdsAfterColumn = QStringLiteral("After");
inline const QString moveIdsNewRow = QStringLiteral("new");
inline const QString moveIdsApply = QStringLiteral("Apply");
inline const QString moveIdsNothing = QStringLiteral("No line names these IDs.");
// The undo step, in each file's history.
inline const QString moveIdsStep = QStringLiteral("Move %1 IDs");
inline const QString moveOneIdStep = QStringLiteral("Move 1 ID");
inline const QString moveIdsNotWritten = QStringLiteral("The IDs were not moved; no file was changed.\n%1");
inline const QString moveIdsUndoNotWritten = QStringLiteral("The placement files could not be written back.\n%1");
inline const QString moveIdsDone = QStringLiteral("%1 lines changed in %2 files.");
// An object ID more than one row uses: the menu item, the ID cell's tooltip
// (one line per other row: its line in the file, the table's selector
// caption), the statistics figure and the status when there is none.
inline const QString menuNextDuplicateId = QStringLiteral("Next duplicate ID");
inline const QString alsoUsedBy = QStringLiteral("Also used by line %1 of %2");
inline const QString alsoUsedByNewLine = QStringLiteral("Also used by a new line of %1");
inline const QString duplicateIdsCaption = QStringLiteral("Duplicate IDs");
// With a map open, the ID cell's tooltip also names the other files'
// definitions (%1 file name, %2 line) and the inst lines placing the object:
// "Placed 12 times: smalltown1.ipl:3, …" (the first few).
inline const QString alsoDefinedAt = QStringLiteral("Also defined at %1:%2");
inline const QString placeAt = QStringLiteral("%1:%2");
inline const QString placedOnce = QStringLiteral("Placed once: %1");
inline const QString placedTimes = QStringLiteral("Placed %1 times: %2");
inline const QString placedMore = QStringLiteral(", \u2026");
// The Problems panel: the map's findings, a count per severity above them.
inline const QString problemsPanelTitle = QStringLiteral("Problems");
inline const QString problemError = QStringLiteral("error");
inline const QString problemWarning = QStringLiteral("warning");
inline const QString problemAt = QStringLiteral("%1:%2");
inline const QStringList problemColumns = {QStringLiteral("Severity"), QStringLiteral("File"),
                                           QStringLiteral("Message")};
// "3 errors, 5 warnings"; "No problems" when there are none.
inline QString problemCounts(qsizetype errors, qsizetype warnings)
{
    if (errors == 0 && warnings == 0)
        return QStringLiteral("No problems");
    const QString e =
        errors == 1 ? QStringLiteral("1 error") : QStringLiteral("%1 errors").arg(fileLineNumber(errors));
    const QString w =
        warnings == 1 ? QStringLiteral("1 warning") : QStringLiteral("%1 warnings").arg(fileLineNumber(warnings));
    return e + QStringLiteral(", ") + w;
}
// Free IDs with a map open: the IDs of all its files count, none at or above the limit is offered.
inline const QString freeIdsMapIds = QStringLiteral("Every ID of the open map counts as used.");
inline const QString freeIdsLimit = QStringLiteral("ID limit: %1 (no ID at or above it is offered)");
inline const QString freeIdsNoLimit = QStringLiteral("ID limit: none");
inline const QString noDuplicateIds = QStringLiteral("No duplicate IDs");
inline const QString menuActions = QStringLiteral("Actions");
inline const QString menuNewLine = QStringLiteral("New line");
inline const QString menuCommentOut = QStringLiteral("Comment out");
inline const QString menuUnComment = QStringLiteral("Un-Comment");
inline const QString menuRemoveLine = QStringLiteral("Remove line");
inline const QString menuDuplicateLine = QStringLiteral("Duplicate line");
inline const QString menuHelp = QStringLiteral("Help");
inline const QString menuAbout = QStringLiteral("About");
// The undo steps of the Actions menu: "Remove 500 lines".
inline const QString stepCommentOut = QStringLiteral("Comment out");
inline const QString stepUnComment = QStringLiteral("Un-comment");
inline const QString stepRemove = QStringLiteral("Remove");
inline const QString stepDuplicate = QStringLiteral("Duplicate");
// %1 the command, %2 the count, %3 stepLine or stepLines.
inline const QString stepOnLines = QStringLiteral("%1 %2 %3");
inline const QString stepLine = QStringLiteral("line");
inline const QString stepLines = QStringLiteral("lines");
// The undo steps of the paths text and of "Sort by object num".
inline const QString stepEditPaths = QStringLiteral("Edit paths");
inline const QString stepSort = QStringLiteral("Sort");
// Edit > "Set column…" names its step by the rows changed: "Set column on 60 lines".
inline const QString stepSetColumn = QStringLiteral("Set column on");
inline const QString stepConvertLayout = QStringLiteral("Convert table layout");
inline const QString stepUnsort = QStringLiteral("Unsort");
inline const QString gridLines = QStringLiteral("Grid lines");
inline const QString catchPaste = QStringLiteral("Catch Ctrl -V Paste");
inline const QString sortByObject = QStringLiteral("Sort by object num");
inline const QString keepFileLayout = QStringLiteral("Keep file layout");
inline const QString notepad = QStringLiteral("Notepad");
inline const QString reloadOpenFile = QStringLiteral("Reload open file");
inline const QString statisticsTitle = QStringLiteral("IDE Stats");
// The statistics' figures (the panel and tarnel-cli stats), top to bottom, and whether there are paths.
inline const QString statisticsObjects = QStringLiteral("Objects");
inline const QString statisticsTimedObjects = QStringLiteral("Timed objs");
inline const QString statisticsPaths = QStringLiteral("Paths");
inline const QString statisticsLights = QStringLiteral("Lights");
inline const QString statisticsParticles = QStringLiteral("Particles");
inline const QString statisticsSun = QStringLiteral("Sun");
inline const QString statisticsPedAreas = QStringLiteral("Ped areas");
inline const QString statisticsYes = QStringLiteral("YES");
inline const QString statisticsNo = QStringLiteral("NO");
inline const QString lineDuplicated = QStringLiteral("Line duplicated");
// What a command of the Actions menus did, by the number of lines: one, several.
inline const QString oneLineCommentedOut = QStringLiteral("1 line commented out");
inline const QString linesCommentedOut = QStringLiteral("%1 lines commented out");
inline const QString oneLineUnCommented = QStringLiteral("1 line un-commented");
inline const QString linesUnCommented = QStringLiteral("%1 lines un-commented");
inline const QString oneLineRemoved = QStringLiteral("1 line removed");
inline const QString linesRemoved = QStringLiteral("%1 lines removed");
inline const QString linesDuplicated = QStringLiteral("%1 lines duplicated");
inline const QString oneLineCopied = QStringLiteral("1 line copied");
inline const QString linesCopied = QStringLiteral("%1 lines copied");
// A command of the Actions menus that found nothing to do among the selected lines.
inline const QString noLineChanged = QStringLiteral("No line changed.");
// After the paste dialog added lines to the tables.
inline const QString oneLinePasted = QStringLiteral("1 line pasted");
inline const QString linesPasted = QStringLiteral("%1 lines pasted");
inline const QString settingsRebuilt = QStringLiteral("Settings file rebuilt");
inline const QString textEditorFailed = QStringLiteral("The text editor could not be started.");
inline const QString pathsSubject = QStringLiteral("The paths text");
inline const QString pathsKeptAsWere =
    QStringLiteral(" Until it is put right, the file keeps the paths as they were.");
// Below the paths text, of the first line that would not read back as a path
// line: "Line 12" and one of the reasons after it.
inline const QString pathsLineNumber = QStringLiteral("Line %1");
inline const QString pathsLineBlank = QStringLiteral(" is blank: it is dropped when the file is opened again.");
inline const QString pathsLineComment =
    QStringLiteral(" is a comment: it leaves the paths when the file is opened again.");
inline const QString pathsLineSectionName =
    QStringLiteral(" is a section name: it is dropped when the file is opened again.");
inline const QString pathsLineSectionStart = QStringLiteral(
    " starts another section: it and the lines after it leave the paths when the file is opened again.");
inline const QString pathsLineEnd =
    QStringLiteral(" is \"end\": it and the lines after it are lost when the file is opened again.");
inline const QString loadReportTitle = QStringLiteral("Load report");
// The Load report's column headings.
inline const QString loadReportLineColumn = QStringLiteral("Line");
inline const QString loadReportWhatColumn = QStringLiteral("What");
inline const QString loadReportTextColumn = QStringLiteral("Text");
// The section selector, top to bottom.
inline const QString sectionCaptions[] = {QStringLiteral("Objects"),       QStringLiteral("Timed objects"),
                                          QStringLiteral("Paths"),         QStringLiteral("2DFX"),
                                          QStringLiteral("  :... Lights"), QStringLiteral("  :... Particles"),
                                          QStringLiteral("  :... Sun"),    QStringLiteral("  :... Ped areas")};

// The column captions of each kind's table (and of tarnel-cli table), one per field.
inline const QStringList objectColumns = {QStringLiteral("ID"),           QStringLiteral("Name"),
                                          QStringLiteral("Texture Pack"), QStringLiteral("Object count"),
                                          QStringLiteral("Draw Dis"),     QStringLiteral("Parameters")};
inline const QStringList timedObjectColumns = {QStringLiteral("ID"),           QStringLiteral("Name"),
                                               QStringLiteral("Texture Pack"), QStringLiteral("Object Count"),
                                               QStringLiteral("Draw Dis"),     QStringLiteral("Parameters"),
                                               QStringLiteral("Time On"),      QStringLiteral("Time Off")};
inline const QStringList lightColumns = {
    QStringLiteral("ID"),          QStringLiteral("X"),         QStringLiteral("Y"),
    QStringLiteral("Z"),           QStringLiteral("R"),         QStringLiteral("G"),
    QStringLiteral("B"),           QStringLiteral("?1"),        QStringLiteral("?2"),
    QStringLiteral("coronastar"),  QStringLiteral("shad_exp"),  QStringLiteral("View dis"),
    QStringLiteral("Out range"),   QStringLiteral("Lamp size"), QStringLiteral("In range"),
    QStringLiteral("Corona size"), QStringLiteral("Control"),   QStringLiteral("Ref on wet"),
    QStringLiteral("Lensflare"),   QStringLiteral("Dust")};
inline const QStringList sunColumns = {QStringLiteral("ID"), QStringLiteral("X"),  QStringLiteral("Y"),
                                       QStringLiteral("Z"),  QStringLiteral("R"),  QStringLiteral("G"),
                                       QStringLiteral("B"),  QStringLiteral("?1"), QStringLiteral("2dfx ID")};
inline const QStringList particleColumns = {
    QStringLiteral("ID"),        QStringLiteral("X"),    QStringLiteral("Y"),         QStringLiteral("Z"),
    QStringLiteral("R"),         QStringLiteral("G"),    QStringLiteral("B"),         QStringLiteral("?1"),
    QStringLiteral("?2"),        QStringLiteral("Type"), QStringLiteral("?Output 1"), QStringLiteral("?Output 2"),
    QStringLiteral("?Output 3"), QStringLiteral("Size2")};
inline const QStringList pedAreaColumns = {QStringLiteral("ID"),
                                           QStringLiteral("X"),
                                           QStringLiteral("Y"),
                                           QStringLiteral("Z"),
                                           QStringLiteral("R"),
                                           QStringLiteral("G"),
                                           QStringLiteral("B"),
                                           QStringLiteral("?1"),
                                           QStringLiteral("?2"),
                                           QStringLiteral("Type"),
                                           QStringLiteral("?Direction 1"),
                                           QStringLiteral("?Direction 2"),
                                           QStringLiteral("?Direction 3"),
                                           QStringLiteral("?Direction 4"),
                                           QStringLiteral("?Direction 5"),
                                           QStringLiteral("?Direction 6")};

// ---- Line editors ----------------------------------------------------------

inline const QString objectEditorTitle = QStringLiteral("Object line editor");
inline const QString timedObjectEditorTitle = QStringLiteral("Timed object line editor");
inline const QString lightEditorTitle = QStringLiteral("Light editor");
inline const QString particleEditorTitle = QStringLiteral("Particle editor");
inline const QString sunEditorTitle = QStringLiteral("Sun reflection editor");
inline const QString pedEditorTitle = QStringLiteral("Ped animation area editor");

// The frame around the fields: %1 is the line's number in its table.
inline const QString lineFrame = QStringLiteral("Parameters for line [ %1 ]");
inline const QString newLineFrame = QStringLiteral("Parameters for new line");
inline const QString lightFrame = QStringLiteral("Light parameters");
inline const QString particleFrame = QStringLiteral("Particle parameters");
inline const QString sunFrame = QStringLiteral("Sun parameters");
inline const QString pedFrame = QStringLiteral("Parameters");

inline const QString updateButton = QStringLiteral("Update");
inline const QString cancelButton = QStringLiteral("Cancel");
inline const QString addLineButton = QStringLiteral("Add line");
inline const QString addNewButton = QStringLiteral("Add new");
inline const QString changeColourButton = QStringLiteral("Change");
inline const QString colourDialogTitle = QStringLiteral("Light color");

// Asked before another row replaces fields the user changed; %1 is the line's number.
inline const QString discardLineChanges = QStringLiteral("Discard the changes to line %1?");
// The same, of a new line or of a line that is gone; %1 is the editor's title.
inline const QString discardEditorChanges = QStringLiteral("Discard the changes in the %1?");

inline const QString newLineAddedStatus = QStringLiteral("New line added");
inline const QString lineAddedStatus = QStringLiteral("Line added");
inline const QString lineUpdatedStatus = QStringLiteral("Line updated");
inline const QString lightAddedStatus = QStringLiteral("New light added");
inline const QString lightUpdatedStatus = QStringLiteral("Light updated");
inline const QString particleAddedStatus = QStringLiteral("New particle added");

// The names of the steps in the Edit menu's Undo and Redo; %1 is the line's number in the file.
inline const QString addLineStep = QStringLiteral("Add line");
inline const QString changeLineStep = QStringLiteral("Change line %1");
inline const QString changeNewLineStep = QStringLiteral("Change new line");

inline const QString missingValue =
    QStringLiteral("Missing value detected\r\nPlease make shure all sections have there values");
inline const QString rowGone =
    QStringLiteral("The line this editor was opened on no longer exists.\r\nIts changes were not written.");
// %1 is the field's caption; the subject of unstorableText and commaInValue.
inline const QString fieldSubject = QStringLiteral("The field \"%1\"");
inline const QString commaInValue =
    QStringLiteral("%1 holds a comma, which an IDE file reads as the end of a value.");
// Set column's multiplier on a value that is no number; %1 fieldSubject, %2 the value.
inline const QString notANumber = QStringLiteral("%1 holds \"%2\", which is not a number to multiply.");
// A choice list's custom value longer than its box takes; %1 fieldSubject, %2 the most characters.
inline const QString valueTooLong = QStringLiteral("%1 takes at most %2 characters.");

// Below the object editor's fields: how many meshes and draw distances the line has.
inline const QString oneMesh = QStringLiteral("%1 mesh");
inline const QString meshes = QStringLiteral("%1 meshes");
inline const QString oneDrawDistance = QStringLiteral("%1 draw distance");
inline const QString drawDistances = QStringLiteral("%1 draw distances");
inline const QString meshesAndDrawDistances = QStringLiteral("%1, %2");

// The captions of the editors' fields.
inline const QString redCaption = QStringLiteral("R");
inline const QString greenCaption = QStringLiteral("G");
inline const QString blueCaption = QStringLiteral("B");
inline const QString objectIdCaption = QStringLiteral("Object ID");
inline const QString objectNameCaption = QStringLiteral("Object name");
inline const QString textureFileCaption = QStringLiteral("Texture file");
inline const QString objectCountCaption = QStringLiteral("Object count");
inline const QString drawDistanceCaption = QStringLiteral("Draw distance");
inline const QString objectParametersCaption = QStringLiteral("Parameters");
inline const QString timeOnCaption = QStringLiteral("Time on");
inline const QString timeOffCaption = QStringLiteral("Time off");
inline const QString customControlCaption = QStringLiteral("Custum control");
inline const QString lightUnknown1Caption = QStringLiteral("Unknown 1 (Usually 200)");
inline const QString lightUnknown2Caption = QStringLiteral("Unknown 2 (Usually 0)");
inline const QString coronaShapeCaption = QStringLiteral("Corona shape");
inline const QString shadeCaption = QStringLiteral("Shade thingy");
inline const QString viewDistanceCaption = QStringLiteral("View distance");
inline const QString outRangeCaption = QStringLiteral("Out range");
inline const QString lampSizeCaption = QStringLiteral("Lamp size");
inline const QString inRangeCaption = QStringLiteral("In range");
inline const QString coronaSizeCaption = QStringLiteral("Corona size");
inline const QString wetReflectionsCaption = QStringLiteral("Reflections on wet");
inline const QString lensFlareCaption = QStringLiteral("Lens flare");
inline const QString dustCaption = QStringLiteral("Dust");
inline const QString controlCaption = QStringLiteral("Control");
inline const QString particleTypeCaption = QStringLiteral("Particle type");
inline const QString particleUnknown1Caption = QStringLiteral("Unknown 1 (Usually 200)");
inline const QString particleUnknown2Caption = QStringLiteral("Unknown 2 (Usually 1)");
inline const QString unknownOut1Caption = QStringLiteral("Unknown out 1");
inline const QString unknownOut2Caption = QStringLiteral("Unknown out 2");
inline const QString unknownOut3Caption = QStringLiteral("Unknown out 3");
inline const QString particleSizeCaption = QStringLiteral("Size");
inline const QString areaTypeCaption = QStringLiteral("Area type");
inline const QString pedUnknown1Caption = QStringLiteral("Unknown 1 (Usually 120)");
inline const QString pedUnknown2Caption = QStringLiteral("Unknown 2 (Usually 3)");
inline const QString unknownDirectionCaption = QStringLiteral("Unknown direction %1");
inline const QString sunUnknown1Caption = QStringLiteral("Unknown 1 (Usually 4)");
inline const QString xCaption = QStringLiteral("X");
inline const QString yCaption = QStringLiteral("Y");
inline const QString zCaption = QStringLiteral("Z");

// The choice lists: the known values of a column, the last entry standing for any other.
inline const QStringList lightControls = {
    QStringLiteral("0- light day/night"),
    QStringLiteral("1- light night"),
    QStringLiteral("2- flicker day/night"),
    QStringLiteral("3- flicker night"),
    QStringLiteral("4- blink 1 sec, day/night"),
    QStringLiteral("5- blink 1 sec, night"),
    QStringLiteral("6- blink 2 sec, day/night"),
    QStringLiteral("7- blink 2 sec, night"),
    QStringLiteral("8- light day"),
    QStringLiteral("9- blink 3 sec, night"),
    QStringLiteral("10- blink 3 sec, day/night"),
    QStringLiteral("11- random flicker at night"),
    QStringLiteral("12- And higher unknown"),
};
inline const QStringList particleTypes = {
    QStringLiteral("0 - white steam medium"), QStringLiteral("1 - white steam small"),
    QStringLiteral("2 - white steam big"),    QStringLiteral("3 - Fire"),
    QStringLiteral("4 - black smoke"),        QStringLiteral("5 - water spray up"),
    QStringLiteral("6 - water fall down"),    QStringLiteral("x - Custom"),
};
inline const QStringList areaTypes = {
    QStringLiteral("0 - Handle object"),  QStringLiteral("1 - Sit on it"),    QStringLiteral("2 - Bus stop"),
    QStringLiteral("3 - display window"), QStringLiteral("4 - Uk and above"),
};

// ---- Paste line ------------------------------------------------------------

inline const QString pasteTitle = QStringLiteral("Paste line");
inline const QString pasteHeading = QStringLiteral("New line...");
inline const QString pasteKindCaption = QStringLiteral("Line type:");
inline const QString pasteAdd = QStringLiteral("Add line");
inline const QString pasteLineSubject = QStringLiteral("The line");
// The kind a pasted line is read as, by its commas.
inline const QString pasteKindUnknown = QStringLiteral("Unknown");
inline const QString pasteKindObject = QStringLiteral("Object line");
inline const QString pasteKindTimedObject = QStringLiteral("Timed object line");
inline const QString pasteKindLight = QStringLiteral("Light line");
inline const QString pasteKindSun = QStringLiteral("Sun line");
inline const QString pasteKindParticle = QStringLiteral("Particle line");
inline const QString pasteKindPedArea = QStringLiteral("Ped line");
// The kinds of several pasted lines, counted: "3 object lines, 1 unknown".
inline const QString pasteCountObject = QStringLiteral("object line");
inline const QString pasteCountTimedObject = QStringLiteral("timed object line");
inline const QString pasteCountLight = QStringLiteral("light line");
inline const QString pasteCountSun = QStringLiteral("sun line");
inline const QString pasteCountParticle = QStringLiteral("particle line");
inline const QString pasteCountPedArea = QStringLiteral("ped line");
inline const QString pasteCountUnknown = QStringLiteral("unknown");
// %1 the count, %2 the noun above, %3 pasteCountPlural past one line: "3 object lines".
inline const QString pasteCounted = QStringLiteral("%1 %2%3");
inline const QString pasteCountPlural = QStringLiteral("s");
// The undo step of several lines pasted at once: "Paste 4 lines".
inline const QString pasteCommand = QStringLiteral("Paste");
inline const QString pasteUnknownTitle = QStringLiteral("Unknown format");
// Shown on "Add line" for a line of no kind; %1 the reason below.
inline const QString pasteUnknown = QStringLiteral("Line format unknown.\r\n%1");
// Why a pasted line is of no kind: %1 its values ("9 values"), then the value
// counts each kind takes ("6 to 8", "5", "5 or 6 to 8").
inline const QString pasteUnknownReason =
    QStringLiteral("Unknown: %1; object lines take %2, timed object lines %3, sun lines %4, "
                   "particle lines %5, ped lines %6, light lines %7");
inline const QString pasteOneValue = QStringLiteral("1 value");
inline const QString pasteValues = QStringLiteral("%1 values");
inline const QString pasteCountRange = QStringLiteral("%1 to %2");
inline const QString pasteCountOr = QStringLiteral("%2 (%1 in the later layout)");

// ---- Settings --------------------------------------------------------------

// What a read gives for a key it cannot find, and the message shown for it.
inline const QString settingsError = QStringLiteral("INI Error -Check Settings");

} // namespace texts

} // namespace tarnel
