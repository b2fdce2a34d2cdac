#pragma once

// Every text the user reads: the title, captions, messages and the version.
// They are kept here, exactly as shown, so that wording is changed in one
// place and a test can compare against the same constant the program shows.

#include <QString>
#include <QStringList>

namespace texts {

// ---- The program -----------------------------------------------------------


// ---- Files: open, load, save -----------------------------------------------

// Why an existing file was not read.
inline const QString notRegularFile = QStringLiteral("it is not a regular file");
inline const QString utf16File = QStringLiteral("it is UTF-16 text");

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

inline const QString newLineAddedStatus = QStringLiteral("New line added");
inline const QString lineAddedStatus = QStringLiteral("Line added");
inline const QString lineUpdatedStatus = QStringLiteral("Line updated");

// The names of the steps in the Edit menu's Undo and Redo; %1 is the line's number.
inline const QString addLineStep = QStringLiteral("Add line");
inline const QString changeLineStep = QStringLiteral("Change line %1");

inline const QString missingValue =
    QStringLiteral("Missing value detected\r\nPlease make shure all sections have there values");
inline const QString rowGone =
    QStringLiteral("The line this editor was opened on no longer exists.\r\nIts changes were not written.");
// %1 is the field's caption; the subject of unstorableText and commaInValue.
inline const QString fieldSubject = QStringLiteral("The field \"%1\"");
inline const QString commaInValue =
    QStringLiteral("%1 holds a comma, which an IDE file reads as the end of a value.");

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
    QStringLiteral("0 - white steam medium"),
    QStringLiteral("1 - white steam small"),
    QStringLiteral("2 - white steam big"),
    QStringLiteral("3 - Fire"),
    QStringLiteral("4 - black smoke"),
    QStringLiteral("5 - water spray up"),
    QStringLiteral("6 - water fall down"),
    QStringLiteral("x - Custom"),
};
inline const QStringList areaTypes = {
    QStringLiteral("0 - Handle object"),
    QStringLiteral("1 - Sit on it"),
    QStringLiteral("2 - Bus stop"),
    QStringLiteral("3 - display window"),
    QStringLiteral("4 - Uk and above"),
};


// ---- Paste line ------------------------------------------------------------


// ---- Settings --------------------------------------------------------------


} // namespace texts
