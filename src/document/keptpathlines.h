#pragma once

#include <QByteArrayView>
#include <QList>

#include <vector>

namespace tarnel {

// Where the lines of an edited paths text go among the file's path lines, so
// that a save keeping the layout moves no line the edit left alone: unchanged
// lines stay, a changed line takes the place of the line it replaced, lines
// added after a line follow it, removed lines are dropped where they were.
struct KeptPathLines {
    // What goes at one of the file's path lines, in their order.
    struct At {
        bool kept = false;
        // The new lines [from, to) written after it when kept, else in its place.
        qsizetype from = 0;
        qsizetype to = 0;
    };
    QList<QByteArrayView> lines; // the lines of the new text
    qsizetype leading = 0;       // new lines [0, leading) go before the first path line
    std::vector<At> at;          // one for each line of the file's paths text
};

// `before` and `after` are the paths text as read and as edited.
KeptPathLines placePathLines(QByteArrayView before, QByteArrayView after);

} // namespace tarnel
