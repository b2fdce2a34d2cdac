#pragma once

#include <QStringList>

namespace tarnel {

// What the files beside a document (the other files of an open map) say
// about its IDs: the duplicate-ID marks and the ID cell's tooltip take them
// in. Asked for the rows on screen only, so each answer is a look-up.
class OutsideIds {
public:
    virtual ~OutsideIds() = default;
    // Whether another file defines `id` too.
    virtual bool definesElsewhere(qint64 id) const = 0;
    // Tooltip lines on `id`: where else it is defined, where it is placed.
    virtual QStringList notesOn(qint64 id) const = 0;
};

} // namespace tarnel
