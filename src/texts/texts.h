#pragma once

// Every text the user reads: the title, captions, messages and the version.
// They are kept here, exactly as shown, so that wording is changed in one
// place and a test can compare against the same constant the program shows.

#include <QString>

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


// ---- Files: open, load, save -----------------------------------------------

// The name shown for a document that has no file yet.
inline const QString untitledName = QStringLiteral("empty");
// Filter of the open and save dialogs, in the "caption|pattern" form.
inline const QString ideFileFilter = QStringLiteral("IDE Files (*.ide)|*.ide");
inline const QString saveChangesTitle = QStringLiteral("Save changes?");
inline const QString saveChangesFile = QStringLiteral("File: ");
inline const QString saveChangesQuestion = QStringLiteral("Do you want to save changes?");
inline const QString notIdeFile = QStringLiteral("This is not an IDE file.");
inline const QString notIdeFileJoke = QStringLiteral("This is an Tarnel. Try and guess why it wont open this file.");
inline const QString fileMissing = QStringLiteral("Does not exsist");
inline const QString fileUnreadable = QStringLiteral("Could not be read: ");
inline const QString fileUtf16 = QStringLiteral("Could not be read: it is UTF-16 text.");
inline const QString fileUtf16Advice = QStringLiteral("Save it as ANSI or UTF-8 text and open it again.");
inline const QString couldNotSave = QStringLiteral("Could not save ");
inline const QString fileReopened = QStringLiteral("File reopened");
inline const QString fileCreated = QStringLiteral("New file created");
inline const QString fileClosed = QStringLiteral("File closed");
inline const QString fileOpened = QStringLiteral("IDE File opened");
inline const QString fileOpenedReport = QStringLiteral("IDE File opened - ");
inline const QString inLoadReport = QStringLiteral(" in the load report");
inline const QString fileSaved = QStringLiteral("IDE File saved");
inline const QString oneLine = QStringLiteral(" line");
inline const QString manyLines = QStringLiteral(" lines");
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
inline const QString loadErrorsListed = QStringLiteral("tarnel-cli format lists every one.");
inline const QString unstorableText = QStringLiteral(" holds characters that an IDE file cannot store.");


// ---- Main window -----------------------------------------------------------

inline const QString menuFile = QStringLiteral("File");
inline const QString menuNew = QStringLiteral("New");
inline const QString menuOpen = QStringLiteral("Open");
inline const QString menuClose = QStringLiteral("Close");
inline const QString menuSave = QStringLiteral("Save");
inline const QString menuSaveAs = QStringLiteral("Save as");
inline const QString menuLoadReport = QStringLiteral("Load report");
inline const QString menuOpenRecent = QStringLiteral("Open recent");
inline const QString menuExit = QStringLiteral("Exit");
inline const QString menuEdit = QStringLiteral("Edit");
inline const QString menuUndo = QStringLiteral("Undo");
inline const QString menuRedo = QStringLiteral("Redo");
inline const QString menuPasteInLine = QStringLiteral("Paste in line");
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
inline const QString gridLines = QStringLiteral("Grid lines");
inline const QString catchPaste = QStringLiteral("Catch Ctrl -V Paste");
inline const QString sortByObject = QStringLiteral("Sort by object num");
inline const QString keepFileLayout = QStringLiteral("Keep file layout");
inline const QString notepad = QStringLiteral("Notepad");
inline const QString reloadOpenFile = QStringLiteral("Reload open file");
inline const QString statisticsTitle = QStringLiteral("IDE Stats");
inline const QString lineDuplicated = QStringLiteral("Line duplicated");
inline const QString settingsRebuilt = QStringLiteral("Settings file rebuilt");
inline const QString textEditorFailed = QStringLiteral("The text editor could not be started.");
inline const QString pathsSubject = QStringLiteral("The paths text");
inline const QString pathsKeptAsWere = QStringLiteral(" Until it is put right, the file keeps the paths as they were.");
inline const QString loadReportTitle = QStringLiteral("Load report");
// The section selector, top to bottom.
inline const QString sectionCaptions[] = {
    QStringLiteral("Objects"),          QStringLiteral("Timed objects"), QStringLiteral("Paths"),
    QStringLiteral("2DFX"),             QStringLiteral("  :... Lights"), QStringLiteral("  :... Particles"),
    QStringLiteral("  :... Sun"),       QStringLiteral("  :... Ped areas")};


// ---- Line editors ----------------------------------------------------------


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
inline const QString pasteUnknownTitle = QStringLiteral("Unknown format");
inline const QString pasteUnknown =
    QStringLiteral("Line format unknown.\r\nPlease insure that all commas are included");


// ---- Settings --------------------------------------------------------------

// What a read gives for a key it cannot find, and the message shown for it.
inline const QString settingsError = QStringLiteral("INI Error -Check Settings");


} // namespace texts
